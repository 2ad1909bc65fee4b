#include "controller/ui/qt_display_widget.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

#include "controller/ui/qt_name_popup.h"

namespace tovik::ui {

namespace {

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

}  // namespace

// --- name boxes ---

NameBoxButton::NameBoxButton(DisplayPanel& display, NameBox box, const qt::SkinImages& skin,
                             QWidget* parent)
    : QAbstractButton(parent), display_(display), box_(box), skin_(skin) {
    setGeometry(toQRect(nameBoxRect(box)));
    setFocusPolicy(Qt::ClickFocus);
    setAccessibleName(box == NameBox::Disc ? QStringLiteral("DISC NAME") : QStringLiteral("TRACK NAME"));
    connect(this, &QAbstractButton::clicked, this, [this] { display_.nameBoxClicked(box_); });
}

void NameBoxButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qt::QtCanvas canvas(painter, skin_);
    display_.paintNameBox(canvas, box_);
}

void NameBoxButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractButton::mouseDoubleClickEvent(event);
    event->accept();
    display_.nameBoxDoubleClicked(box_);
}

// --- the display ---

DisplayWidget::DisplayWidget(DisplayPanel& display, QWidget* parent, const qt::SkinImages& skin)
    : QWidget(parent), display_(display), skin_(skin) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    boxes_[0] = new NameBoxButton(display_, NameBox::Disc, skin_, this);
    boxes_[1] = new NameBoxButton(display_, NameBox::Track, skin_, this);
    display_.create(*this);
}

DisplayWidget::~DisplayWidget() {
    if (popup_) delete popup_.data();
}

NamePopup* DisplayWidget::popup() const { return popup_.data(); }

bool DisplayWidget::ensureSurface() {
    if (width() <= 0 || height() <= 0) return false;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (surface_.size() != pixels || surface_.devicePixelRatio() != ratio) {
        surface_ = QPixmap(pixels);
        surface_.setDevicePixelRatio(ratio);
        surfaceValid_ = false;
    }
    return true;
}

void DisplayWidget::paintEvent(QPaintEvent*) {
    if (!ensureSurface()) return;
    if (!surfaceValid_) {
        surface_.fill(Qt::black);  // erased first, as an invalidated window is
        QPainter painter(&surface_);
        qt::QtCanvas canvas(painter, skin_);
        display_.paint(canvas);
        surfaceValid_ = true;
    }
    QPainter(this).drawPixmap(0, 0, surface_);
}

void DisplayWidget::resize(Size size) { setFixedSize(size.cx, size.cy); }

void DisplayWidget::invalidate() {
    surfaceValid_ = false;
    update();
}

void DisplayWidget::drawNow(const std::function<void(Canvas&)>& draw) {
    if (ensureSurface()) {
        {
            QPainter painter(&surface_);
            qt::QtCanvas canvas(painter, skin_);
            draw(canvas);
        }
        update();
        return;
    }
    // No window area yet: measuring only.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    qt::QtCanvas canvas(painter, skin_);
    draw(canvas);
}

void DisplayWidget::showNameBoxes(bool visible) {
    for (NameBoxButton* box : boxes_) box->setVisible(visible);
}

void DisplayWidget::repaintNameBox(NameBox box) { nameBox(box)->update(); }

void DisplayWidget::setTooltip(NameBox box, const std::string& utf8) {
    nameBox(box)->setToolTip(QString::fromStdString(utf8));
}

void DisplayWidget::openNamePopup(NameBox box, const std::string& utf8) {
    if (popup_) delete popup_.data();
    popup_ = new NamePopup(utf8, display_.nameFont(), nameBox(box)->mapToGlobal(QPoint(0, 0)), this);
    popup_->show();
}

unsigned DisplayWidget::doubleClickTimeMs() const {
    return static_cast<unsigned>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

}  // namespace tovik::ui
