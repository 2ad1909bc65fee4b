#pragma once
// What the label view needs from the window system: its window (resolution, scrolling,
// repainting) and the printing procedure (print dialog, job, preview). The Qt view implements
// them; the tests record what the view asks.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tovik::label {

class LabelViewWindow {
public:
    virtual ~LabelViewWindow() = default;
    // The vertical resolution of the window's device in dots per inch (LOGPIXELSY).
    virtual int logPixelsY() const = 0;
    // A canvas on the window for mapping and measuring: device pixels, viewport origin at the
    // window's corner, drawing nothing on screen.
    virtual std::unique_ptr<Canvas> windowDC() = 0;
    // How far the view is scrolled, in device pixels.
    virtual Point scrollPosition() const = 0;
    // The scroll extent and the amounts a page and a line scroll, in device pixels.
    virtual void setScrollSizes(Size total, Size page, Size line) = 0;
    // Marks a device rectangle, or the whole window, for repainting with erase at the next paint.
    virtual void invalidate(const Rect& device) = 0;
    virtual void invalidateAll() = 0;
    // Repaints these device rectangles at once.
    virtual void repaintNow(const std::vector<Rect>& device) = 0;
};

// A page to print on, as the printer (or the preview) hands it over.
struct PrinterPage {
    Canvas& dc;
    int logPixelsX = 0;  // the device's resolution, dots per inch
    int logPixelsY = 0;
    // The printable area's offset from the paper's upper left corner, in device units
    // (PHYSICALOFFSETX and PHYSICALOFFSETY).
    Point physicalOffset;
    bool preview = false;
};
using PagePainter = std::function<void(PrinterPage&)>;

enum class PrintOutcome {
    Printed,
    NotStarted,  // the system refused to start the job
    Failed,      // the job started but could not be finished
};

class LabelPrinting {
public:
    virtual ~LabelPrinting() = default;
    // The print dialog for a document of pages 1 to maxPage on the program's printer; false
    // when the user cancels.
    virtual bool printDialog(int maxPage) = 0;
    // Prints one job of one page under the job name, the page drawn by `paint`.
    virtual PrintOutcome printJob(const std::string& jobName, const PagePainter& paint) = 0;
    // Shows the print preview, its page drawn by `paint`, until the user closes it; false when
    // the preview cannot start. Printing from the preview runs a job under the job name and
    // tells `report` how it went.
    using JobReport = std::function<void(PrintOutcome)>;
    virtual bool printPreview(const std::string& jobName, const PagePainter& paint, const JobReport& report) = 0;
};

}  // namespace tovik::label
