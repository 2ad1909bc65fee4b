// Rotela, the MD controller.
#include <QApplication>

#include "platform/qt/qt_host.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tovik::qt::QtHost host("Rotela", tovik::resources::rotelaStrings());
    return 0;
}
