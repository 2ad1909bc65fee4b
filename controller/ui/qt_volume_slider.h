#pragma once
// The MD volume slider on the panel: vertical, 0 at the top (the loudest) to 30 at the bottom,
// drawn as a slot with a metal thumb to match the panel. Every move the user makes, by mouse,
// keyboard or wheel, is reported as a scroll with the thumb's new position (and once more when
// a drag ends, as the end of a track); positions set from the unit's status report nothing.

#include <QSlider>

#include <functional>

namespace tovik::ui {

class VolumeSlider : public QSlider {
public:
    explicit VolumeSlider(QWidget* parent = nullptr);

    // Called for every scroll the user makes, with the thumb's position.
    std::function<void(int)> onScrolled;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tovik::ui
