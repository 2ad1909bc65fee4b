#include "labeleditor/ui/qt_sleevon_program.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <QScreen>

#include <cmath>

#include "labeleditor/ui/qt_about_dialog.h"

namespace tovik::label {

SleevonProgram::SleevonProgram(Host& host, DocumentUi* documentUi)
    : host_(host),
      qtDocumentUi_(host),
      documentUi_(documentUi ? *documentUi : qtDocumentUi_),
      app_(host, *this) {}

SleevonProgram::~SleevonProgram() {
    window_.reset();
    doc_.reset();
}

void SleevonProgram::applyLanguage(Language language) {
    // Qt's own texts follow the language through the host; the window's face is Sleevon's.
    if (language != Language::Japanese) return;
    QFont font = QApplication::font();
    font.setFamilies({"IPAPGothic", font.family()});
    QApplication::setFont(font);
}

bool SleevonProgram::start(const std::vector<std::string>& args) { return app_.InitInstance(args, *this); }

void SleevonProgram::finish() { app_.ExitInstance(); }

QPrinter& SleevonProgram::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Four label sets fit a landscape sheet; without a default printer Qt still prints to a
        // PDF file, which starts in landscape too.
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
    return *printer_;
}

ScreenSize SleevonProgram::screenWorkArea() const {
    if (workArea) return *workArea;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {800, 600};
    QSize area = screen->availableGeometry().size();
    return {area.width(), area.height()};
}

// --- DocumentStarter ---

bool SleevonProgram::openDocumentFile(const std::filesystem::path& path) {
    doc_ = std::make_unique<CSleevonDoc>(host_, documentUi_);
    PreviewContext preview{nullptr, host_, *doc_, [this]() -> QPrinter& { return printer(); }, qtDocumentUi_};
    window_ = std::make_unique<MainFrameWindow>(host_, *doc_, app_, preview, screenWorkArea());
    qtDocumentUi_.setParent(window_.get());
    if (!doc_->OnOpenDocument(path)) {
        openFailed_ = true;
        window_.reset();
        return false;
    }
    window_->layOut();
    window_->frame().InitialUpdateViews();
    return true;
}

void SleevonProgram::showMainWindow() {
    window_->show();
    window_->frame().onPaneFocused(Pane::Preview);
    window_->focusPane(Pane::Preview);
    window_->updateCommandUi();
}

// --- AppUi ---

int SleevonProgram::screenLogPixelsX() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 96;
}

std::optional<std::string> SleevonProgram::defaultPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    return info.printerName().toStdString();
}

void SleevonProgram::adoptPrinter(const PrinterSettings& settings) {
    printer().setPrinterName(QString::fromStdString(settings.printerName));
    printer().setPageOrientation(settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void SleevonProgram::runPrintSetup() {
    QPageSetupDialog dialog(&printer(), window_.get());
    dialog.exec();
}

void SleevonProgram::showAbout() {
    AboutDialog about(host_.strings(), window_.get());
    about.exec();
}

void SleevonProgram::closeMainWindow() {
    if (window_) window_->close();
}

}  // namespace tovik::label
