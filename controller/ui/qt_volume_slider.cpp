#include "controller/ui/qt_volume_slider.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionSlider>

#include "controller/ui/panel_audio.h"

namespace tovik::ui {

namespace {
constexpr int kPageStep = 6;  // a fifth of the range, as a trackbar pages
constexpr int kTickEvery = 5;
const QColor kSilver(192, 192, 192);
const QColor kSlot(38, 40, 46);
const QColor kShadow(128, 128, 128);
const QColor kLight(255, 255, 255);
}  // namespace

VolumeSlider::VolumeSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setRange(kSliderMin, kSliderMax);
    setPageStep(kPageStep);
    // Position 0 at the top; Up, Page Up and the wheel turned away move the thumb up.
    setInvertedAppearance(true);
    setInvertedControls(true);
    setFocusPolicy(Qt::StrongFocus);
    // The user's moves come as actions (the position already moved); setValue() makes none.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int) {
        if (onScrolled) onScrolled(sliderPosition());
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (onScrolled) onScrolled(sliderPosition());
    });
}

void VolumeSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kSilver);

    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int cx = width() / 2;
    const int top = handle.height() / 2, bottom = height() - handle.height() / 2 - 1;

    // Ticks every five steps on both sides of the slot.
    p.setPen(kShadow);
    for (int v = minimum(); v <= maximum(); v += kTickEvery) {
        const int y = top + (bottom - top) * (v - minimum()) / std::max(1, maximum() - minimum());
        p.drawLine(1, y, 3, y);
        p.drawLine(width() - 4, y, width() - 2, y);
    }

    // The slot: dark, sunk into the panel.
    const QRect slot(cx - 2, top, 4, bottom - top);
    p.fillRect(slot, kSlot);
    p.setPen(kShadow);
    p.drawLine(slot.topLeft() + QPoint(-1, -1), slot.topRight() + QPoint(0, -1));
    p.drawLine(slot.topLeft() + QPoint(-1, -1), slot.bottomLeft() + QPoint(-1, 0));
    p.setPen(kLight);
    p.drawLine(slot.bottomLeft() + QPoint(-1, 1), slot.bottomRight() + QPoint(1, 1));
    p.drawLine(slot.topRight() + QPoint(1, -1), slot.bottomRight() + QPoint(1, 1));

    // The thumb: a brushed cap with a line across its middle.
    const QRect cap = handle.adjusted(2, 1, -2, -1);
    QLinearGradient metal(cap.topLeft(), cap.bottomLeft());
    const bool on = isEnabled();
    metal.setColorAt(0, on ? QColor(248, 248, 250) : QColor(222, 222, 222));
    metal.setColorAt(0.5, on ? QColor(200, 202, 206) : QColor(198, 198, 198));
    metal.setColorAt(1, on ? QColor(150, 152, 158) : QColor(176, 176, 176));
    p.fillRect(cap, metal);
    p.setPen(on ? QColor(60, 62, 68) : kShadow);
    p.drawRect(cap.adjusted(0, 0, -1, -1));
    p.setPen(on ? QColor(20, 20, 24) : kShadow);
    const int mid = cap.center().y();
    p.drawLine(cap.left() + 3, mid, cap.right() - 3, mid);
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace tovik::ui
