#include "labeleditor/ui/sleevon_app.h"

#include "labeleditor/ui/command_line.h"
#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

CSleevonApp::CSleevonApp(Host& host, AppUi& ui)
    : ui_(ui), recent_(host.profile(), kRecentFiles) {}

bool CSleevonApp::InitInstance(const std::vector<std::string>& args, DocumentStarter& starter) {
    // The profile already lives under "Tovik"/"Sleevon" (the host's program name).
    recent_.load();

    CommandLineInfo info = parseCommandLine(args);
    switch (info.shellCommand) {
        case CommandLineInfo::FileOpen:
            break;
        case CommandLineInfo::FilePrint:
        case CommandLineInfo::FilePrintTo:
            // Nothing prints directly: the file is opened without showing it, and the program ends.
            if (!info.fileName.empty() && starter.openDocumentFile(info.fileName)) AddToRecentFileList(info.fileName);
            return false;
        default:
            return false;  // no file: end without a window and without a message
    }
    if (!starter.openDocumentFile(info.fileName)) return false;
    AddToRecentFileList(info.fileName);
    starter.showMainWindow();
    adoptDefaultPrinter();
    return true;
}

void CSleevonApp::ExitInstance() { recent_.save(); }

void CSleevonApp::AddToRecentFileList(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    recent_.add((ec ? path : full).lexically_normal().string());
}

void CSleevonApp::adoptDefaultPrinter() {
    auto name = ui_.defaultPrinter();
    if (!name || name->empty()) return;  // no default printer: the settings stay empty
    printer_ = PrinterSettings{*name, true};
    ui_.adoptPrinter(printer_);
}

bool CSleevonApp::onCommand(unsigned id) {
    switch (id) {
        case ID_FILE_PRINT_SETUP: ui_.runPrintSetup(); return true;
        case ID_APP_ABOUT: ui_.showAbout(); return true;
        case ID_APP_EXIT: ui_.closeMainWindow(); return true;
        default: return false;
    }
}

std::optional<CommandState> CSleevonApp::commandState(unsigned id) const {
    if (id == ID_FILE_PRINT_SETUP || id == ID_APP_ABOUT || id == ID_APP_EXIT) return CommandState{};
    return std::nullopt;
}

}  // namespace tovik::label
