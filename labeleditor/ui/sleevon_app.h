#pragma once
// CSleevonApp, the label editor as a program: it starts only with a label file named on its
// command line, opens it as its one document in the main window, adopts the default printer in
// landscape, keeps the recent-file list, and handles the application's commands (print setup,
// About, Exit). Without a file it ends at once, with no window and no message.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/ui/recent_file_list.h"
#include "platform/host.h"

namespace tovik::label {

// The printer the program prints on. Empty when the system has no default printer: printing
// then relies on the print dialog.
struct PrinterSettings {
    std::string printerName;
    bool landscape = false;
    bool empty() const { return printerName.empty(); }
    bool operator==(const PrinterSettings&) const = default;
};

// What the application asks of the window system.
class AppUi {
public:
    virtual ~AppUi() = default;
    // The screen's horizontal resolution in dots per inch.
    virtual int screenLogPixelsX() const = 0;
    // The name of the system's default printer, if it has one.
    virtual std::optional<std::string> defaultPrinter() = 0;
    // The program's printer is now `settings` (at start-up, from the default printer).
    virtual void adoptPrinter(const PrinterSettings& settings) = 0;
    // The print-setup dialog on the program's printer.
    virtual void runPrintSetup() = 0;
    // The modal About box.
    virtual void showAbout() = 0;
    // Closes the main window, which ends the program.
    virtual void closeMainWindow() = 0;
};

// What starting with a file creates: the document, the main window and its views.
class DocumentStarter {
public:
    virtual ~DocumentStarter() = default;
    // Creates the document and the (hidden) main window, reads the file and updates the views.
    // False when anything failed; the reason has been shown.
    virtual bool openDocumentFile(const std::filesystem::path& path) = 0;
    virtual void showMainWindow() = 0;
};

class CSleevonApp {
public:
    static constexpr std::size_t kRecentFiles = 4;

    CSleevonApp(Host& host, AppUi& ui);

    // The start-up; false means the program ends now (no file, or it could not be opened).
    bool InitInstance(const std::vector<std::string>& args, DocumentStarter& starter);
    // At the end of the run: writes the recent-file list.
    void ExitInstance();

    void AddToRecentFileList(const std::filesystem::path& path);
    const RecentFileList& recentFiles() const { return recent_; }
    const PrinterSettings& printerSettings() const { return printer_; }
    // Large tool bar images on a screen of 120 dots per inch or more (the format bar's buttons).
    bool largeIcons() const { return ui_.screenLogPixelsX() >= 120; }

    bool onCommand(unsigned id);
    std::optional<CommandState> commandState(unsigned id) const;

private:
    void adoptDefaultPrinter();

    AppUi& ui_;
    RecentFileList recent_;
    PrinterSettings printer_;
};

}  // namespace tovik::label
