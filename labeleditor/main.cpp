// Sleevon, the label editor. It is started with the label file to open; without one it ends at
// once, with no window and no message.
#include <QApplication>
#include <QFile>
#include <QIcon>

#include "labeleditor/ui/qt_sleevon_program.h"
#include "platform/command_line.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/shutdown_requests.h"
#include "resources/strings.h"

namespace {
constexpr const char* kUsage =
    "usage: sleevon LABEL.slv\n"
    "       sleevon --help | --version\n"
    "Sleevon, the MiniDisc label editor: prints case and disc labels from a label file.\n";
}  // namespace

int main(int argc, char** argv) {
    if (auto code = tovik::answerHelpOrVersion(argc, argv, "sleevon", kUsage)) return *code;
    QApplication app(argc, argv);
    // The desktop matches the windows to the installed entry and shows the installed icon.
    QGuiApplication::setDesktopFileName("sleevon");
    QApplication::setWindowIcon(QIcon::fromTheme("sleevon"));
    tovik::qt::QtHost host("Sleevon", tovik::resources::sleevonStrings());

    std::vector<std::string> args;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(QFile::encodeName(arguments[i]).toStdString());

    tovik::label::SleevonProgram::applyLanguage(host.strings().language());
    tovik::label::SleevonProgram program(host);
    // A signal or the session's end closes the window as Exit does: the window's settings are
    // kept, the document is never saved. Open dialogs go first so their loops end.
    tovik::qt::ShutdownRequests shutdownRequests([&program] {
        QApplication::closeAllWindows();
        if (program.window() && program.window()->isVisible()) program.closeMainWindow();
        QCoreApplication::exit(0);
    });
    int code = 0;
    if (program.start(args)) {
        host.setDialogParent(program.window());
        code = app.exec();
    } else {
        code = program.exitCode();
    }
    program.finish();
    return code;
}
