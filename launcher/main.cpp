// Traymote, the tray launcher.
#include <QApplication>
#include <QIcon>

#include "cardsim/daemon_driver.h"
#include "launcher/qt/qt_tray_desktop.h"
#include "launcher/tray_launcher.h"
#include "platform/command_line.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/shutdown_requests.h"
#include "resources/strings.h"

namespace {
constexpr const char* kUsage =
    "usage: traymote\n"
    "       traymote --help | --version\n"
    "Traymote, the tray launcher: shows whether the TOVIK card is ready and starts Rotela when\n"
    "the MD unit becomes ready.\n";
}  // namespace

int main(int argc, char** argv) {
    if (auto code = tovik::answerHelpOrVersion(argc, argv, "traymote", kUsage)) return *code;
    QApplication app(argc, argv);
    // No window of its own: the About box closing must not end the program.
    app.setQuitOnLastWindowClosed(false);
    // The desktop matches the About box to the installed entry and shows the installed icon.
    QGuiApplication::setDesktopFileName("traymote");
    QApplication::setWindowIcon(QIcon::fromTheme("traymote"));
    tovik::qt::QtHost host("Traymote", tovik::resources::traymoteStrings());

    // The card's driver is the vtovikmd daemon; without it, opening fails as a missing driver.
    auto driver = tovik::card::makeDaemonCardDriver(host);
    tovik::launcher::QtTrayDesktop desktop(host);
    tovik::launcher::TrayLauncher launcher(host, desktop, *driver);
    // A signal or the session's end closes the window as Close does: the driver is let go and
    // the icon removed.
    tovik::qt::ShutdownRequests shutdownRequests([&launcher] { launcher.requestClose(); });
    return launcher.run();
}
