#pragma once
// The level meter on screen: the meter's off-screen bitmap is a QPixmap, shown at once
// (repaint, not update) when the meter says so, and on every paint the system asks for.

#include <QPixmap>
#include <QWidget>

#include "controller/ui/level_meter.h"

namespace tovik::ui {

class LevelMeterWidget : public QWidget, private MeterSurface {
public:
    explicit LevelMeterWidget(QWidget* parent = nullptr);

    void setLevels(int left, int right) { meter_.setLevels(left, right); }
    const LevelMeter& meter() const { return meter_; }
    // Paints so far (the meter is measured by it).
    long paintCount() const { return paints_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void recreate(int width, int height) override;
    void draw(const std::function<void(Canvas&)>& paint) override;
    void present() override;

    LevelMeter meter_;
    QPixmap bitmap_;
    long paints_ = 0;
};

}  // namespace tovik::ui
