#pragma once
// The label view's printing on Qt: the print dialog, a job on the program's printer and the
// print preview, each page handed to the view as a canvas in the printer's device units with the
// printable area's offset from the paper's edge.

#include <QPrinter>

#include <functional>

#include "labeleditor/ui/label_view_ports.h"

class QPainter;
class QWidget;

namespace tovik::label {

class QtLabelPrinting : public LabelPrinting {
public:
    // `printer` gives the program's printer; `window` is disabled while a job prints and owns
    // the dialogs.
    QtLabelPrinting(std::function<QPrinter&()> printer, QWidget* window);

    bool printDialog(int maxPage) override;
    PrintOutcome printJob(const std::string& jobName, const PagePainter& paint) override;
    bool printPreview(const std::string& jobName, const PagePainter& paint, const JobReport& report) override;

    // Prints one page on `printer` (as a job does, and as the preview's own Print does).
    static PrintOutcome printPage(QPrinter& printer, const PagePainter& paint);
    // Hands a painter that is active on `printer` to `paint` as a page.
    static void paintPage(QPrinter& printer, QPainter& painter, bool preview, const PagePainter& paint);

private:
    std::function<QPrinter&()> printer_;
    QWidget* window_;
};

}  // namespace tovik::label
