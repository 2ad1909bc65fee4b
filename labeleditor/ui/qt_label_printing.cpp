#include "labeleditor/ui/qt_label_printing.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QWidget>

#include "platform/qt/qt_canvas.h"

namespace tovik::label {

namespace {

// The window stays disabled while a job prints.
class DisabledWhile {
public:
    explicit DisabledWhile(QWidget* window) : window_(window) {
        if (window_) window_->setEnabled(false);
    }
    ~DisabledWhile() {
        if (window_) window_->setEnabled(true);
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QWidget* window_;
};

}  // namespace

QtLabelPrinting::QtLabelPrinting(std::function<QPrinter&()> printer, QWidget* window)
    : printer_(std::move(printer)), window_(window) {}

void QtLabelPrinting::paintPage(QPrinter& printer, QPainter& painter, bool preview, const PagePainter& paint) {
    // The painter's origin is the printable area's corner; the page rectangle tells how far that
    // lies from the paper's edge (nothing on a full page).
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    qt::QtCanvas canvas(painter);
    PrinterPage page{canvas, printer.logicalDpiX(), printer.logicalDpiY(), Point{printable.left(), printable.top()},
                     preview};
    paint(page);
}

PrintOutcome QtLabelPrinting::printPage(QPrinter& printer, const PagePainter& paint) {
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::NotStarted;
    paintPage(printer, painter, false, paint);
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

bool QtLabelPrinting::printDialog(int maxPage) {
    QPrintDialog dialog(&printer_(), window_);
    dialog.setMinMax(1, maxPage);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

PrintOutcome QtLabelPrinting::printJob(const std::string& jobName, const PagePainter& paint) {
    QPrinter& printer = printer_();
    printer.setDocName(QString::fromStdString(jobName));
    DisabledWhile disabled(window_);
    return printPage(printer, paint);
}

bool QtLabelPrinting::printPreview(const std::string& jobName, const PagePainter& paint, const JobReport& report) {
    QPrinter& printer = printer_();
    if (!printer.isValid()) return false;
    printer.setDocName(QString::fromStdString(jobName));
    QPrintPreviewDialog dialog(&printer, window_);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        // The preview draws into a picture of the page; its Print button draws on the printer.
        QPainter painter;
        if (!painter.begin(target)) {
            if (target->paintEngine()->type() != QPaintEngine::Picture) report(PrintOutcome::NotStarted);
            return;
        }
        const bool preview = painter.paintEngine()->type() == QPaintEngine::Picture;
        paintPage(*target, painter, preview, paint);
        if (!painter.end() && !preview) report(PrintOutcome::Failed);
    });
    dialog.exec();
    return true;
}

}  // namespace tovik::label
