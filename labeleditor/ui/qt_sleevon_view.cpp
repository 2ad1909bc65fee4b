#include "labeleditor/ui/qt_sleevon_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

#include "labeleditor/ui/qt_command_ui.h"
#include "labeleditor/ui/qt_document_ui.h"
#include "labeleditor/ui/qt_print_position_dialog.h"
#include "platform/qt/qt_canvas.h"

namespace tovik::label {

namespace {

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// A device of one pixel at a window's resolution: the window's canvas for mapping and measuring.
struct ResolutionDevice {
    explicit ResolutionDevice(const QPaintDevice& like) : image(1, 1, QImage::Format_RGB32) {
        image.setDotsPerMeterX(static_cast<int>(std::lround(like.logicalDpiX() / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(like.logicalDpiY() / 0.0254)));
        painter.begin(&image);
    }
    QImage image;
    QPainter painter;
};

class WindowCanvas : private ResolutionDevice, public qt::QtCanvas {
public:
    explicit WindowCanvas(const QPaintDevice& like) : ResolutionDevice(like), QtCanvas(painter) {}
};

}  // namespace

QtSleevonView::QtSleevonView(const PreviewContext& context, QWidget* parent)
    : QAbstractScrollArea(parent), printing_(context.printer, parent ? parent->window() : nullptr) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    view_ = std::make_unique<CSleevonView>(context.host, context.doc, *this, printing_);

    Host& host = context.host;
    QWidget* window = parent ? parent->window() : nullptr;
    context.documentUi.printPositionDialog = [&host, window](int& h, int& v) {
        return runPrintPositionDialog(host.strings(), window, h, v);
    };
}

QtSleevonView::~QtSleevonView() = default;

// --- LabelViewWindow ---

int QtSleevonView::logPixelsY() const { return viewport()->logicalDpiY(); }

std::unique_ptr<Canvas> QtSleevonView::windowDC() { return std::make_unique<WindowCanvas>(*viewport()); }

Point QtSleevonView::scrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void QtSleevonView::setScrollSizes(Size total, Size page, Size line) {
    total_ = total;
    page_ = page;
    line_ = line;
    updateScrollBars();
}

void QtSleevonView::updateScrollBars() {
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total_.cx - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, total_.cy - visible.height()));
    horizontalScrollBar()->setPageStep(page_.cx);
    verticalScrollBar()->setPageStep(page_.cy);
    horizontalScrollBar()->setSingleStep(line_.cx);
    verticalScrollBar()->setSingleStep(line_.cy);
}

void QtSleevonView::invalidate(const Rect& device) { viewport()->update(toQRect(device)); }

void QtSleevonView::invalidateAll() { viewport()->update(); }

void QtSleevonView::repaintNow(const std::vector<Rect>& device) {
    QRegion region;
    for (const Rect& r : device) region += toQRect(r);
    viewport()->repaint(region);
}

// --- painting and input ---

bool QtSleevonView::event(QEvent* event) {
    if (isShiftTabPress(*event)) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void QtSleevonView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    qt::QtCanvas canvas(painter);
    const Point scroll = scrollPosition();
    canvas.setViewportOrigin({-scroll.x, -scroll.y});
    view_->OnDraw(canvas);
}

void QtSleevonView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The viewport's mouse events arrive here in the viewport's coordinates.
        const QPoint at = event->position().toPoint();
        view_->OnLButtonDown({at.x(), at.y()});
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void QtSleevonView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void QtSleevonView::scrollContentsBy(int, int) { viewport()->update(); }

PreviewPane makeLabelPreviewPane(const PreviewContext& context) {
    auto* view = new QtSleevonView(context, context.parent);
    return {view, &view->view()};
}

}  // namespace tovik::label
