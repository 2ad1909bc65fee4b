// Sleevon, the label editor. It is started with the label file to open; without one it ends.
#include <QApplication>

#include "platform/qt/qt_host.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tovik::qt::QtHost host("Sleevon", tovik::resources::sleevonStrings());
    return 0;
}
