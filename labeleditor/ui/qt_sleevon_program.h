#pragma once
// Sleevon as a running program: the application object with the document, the main window and
// the printer it creates when the command line names a file.
//
//   SleevonProgram program(host);
//   if (program.start(args)) app.exec();   // start false: no file, or it could not be opened
//   program.finish();

#include <QPrinter>

#include <memory>

#include "labeleditor/ui/qt_document_ui.h"
#include "labeleditor/ui/qt_main_frame.h"
#include "labeleditor/ui/sleevon_app.h"

namespace tovik::label {

class SleevonProgram : public DocumentStarter, public AppUi {
public:
    // `documentUi` replaces the document's dialogs (tests answer them).
    explicit SleevonProgram(Host& host, DocumentUi* documentUi = nullptr);
    ~SleevonProgram() override;

    // What the language changes beyond the string tables: on a Japanese system the standard
    // buttons and dialogs speak Japanese, and the window uses a Japanese gothic face so that kana
    // and Latin letters share one face.
    static void applyLanguage(Language language);

    bool start(const std::vector<std::string>& args);
    // After the run: what the application keeps at its end.
    void finish();
    // 0 after a normal run or a start without a file; 1 when the file could not be opened.
    int exitCode() const { return openFailed_ ? 1 : 0; }

    CSleevonApp& app() { return app_; }
    CSleevonDoc* document() { return doc_.get(); }
    MainFrameWindow* window() { return window_.get(); }
    QtDocumentUi& qtDocumentUi() { return qtDocumentUi_; }
    QPrinter& printer();
    // The work area the window's default size comes from; the screen's when not set.
    std::optional<ScreenSize> workArea;

    // --- DocumentStarter ---
    bool openDocumentFile(const std::filesystem::path& path) override;
    void showMainWindow() override;

    // --- AppUi ---
    int screenLogPixelsX() const override;
    std::optional<std::string> defaultPrinter() override;
    void adoptPrinter(const PrinterSettings& settings) override;
    void runPrintSetup() override;
    void showAbout() override;
    void closeMainWindow() override;

private:
    ScreenSize screenWorkArea() const;

    Host& host_;
    QtDocumentUi qtDocumentUi_;
    DocumentUi& documentUi_;
    CSleevonApp app_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<CSleevonDoc> doc_;
    std::unique_ptr<MainFrameWindow> window_;  // goes before the document it shows
    bool openFailed_ = false;
};

}  // namespace tovik::label
