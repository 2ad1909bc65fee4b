// Traymote, the tray launcher.
#include <QApplication>

#include "platform/qt/qt_host.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    tovik::qt::QtHost host("Traymote", tovik::resources::traymoteStrings());
    return 0;
}
