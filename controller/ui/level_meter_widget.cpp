#include "controller/ui/level_meter_widget.h"

#include <QPainter>

#include "controller/ui/rotela_skin.h"

namespace tovik::ui {

LevelMeterWidget::LevelMeterWidget(QWidget* parent) : QWidget(parent), meter_(*this) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the bitmap covers every pixel
}

void LevelMeterWidget::resizeEvent(QResizeEvent*) { meter_.resize(width(), height()); }

void LevelMeterWidget::paintEvent(QPaintEvent*) {
    ++paints_;
    // Moved to a screen of another pixel ratio: a bitmap as sharp as the new screen.
    if (!bitmap_.isNull() && bitmap_.devicePixelRatio() != devicePixelRatioF()) {
        meter_.resize(width(), height());
    }
    if (bitmap_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, bitmap_);
}

void LevelMeterWidget::recreate(int width, int height) {
    const qreal ratio = devicePixelRatioF();
    bitmap_ = width > 0 && height > 0 ? QPixmap(QSize(width, height) * ratio) : QPixmap();
    bitmap_.setDevicePixelRatio(ratio);
}

void LevelMeterWidget::draw(const std::function<void(Canvas&)>& paint) {
    if (bitmap_.isNull()) return;
    QPainter painter(&bitmap_);
    qt::QtCanvas canvas(painter, rotelaSkin());
    paint(canvas);
}

void LevelMeterWidget::present() { repaint(); }

}  // namespace tovik::ui
