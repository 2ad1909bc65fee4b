#pragma once
// The level meter: two columns of ten lamp-like segments, left and right channel, lit on a
// logarithmic scale from the unit's raw levels. It draws into an off-screen bitmap and shows it
// at once, and only when a lit count changes.

#include <functional>

#include "platform/canvas.h"

namespace tovik::ui {

// Where the meter draws: its off-screen bitmap and the window that shows it.
class MeterSurface {
public:
    virtual ~MeterSurface() = default;
    // Drops the bitmap and makes a new one of w x h pixels.
    virtual void recreate(int width, int height) = 0;
    // Draws into the bitmap; nothing happens when there is none.
    virtual void draw(const std::function<void(Canvas&)>& paint) = 0;
    // Copies the whole bitmap to the window now (not later through an invalidation).
    virtual void present() = 0;
};

class LevelMeter {
public:
    static constexpr int kSegments = 10;
    static constexpr int kRedThreshold = 7;  // segments above it form the red zone
    static constexpr Rgb kSilver = rgb(192, 192, 192);

    explicit LevelMeter(MeterSurface& surface);

    // A size notification: a new bitmap, silver, every segment framed and unlit.
    void resize(int width, int height);
    // The unit's two raw levels (only the low 7 bits count); 0, 0 puts the meter out. Draws
    // and shows the bitmap only when a lit count changes.
    void setLevels(int left, int right);

    int litCount(int channel) const { return lit_[channel == 0 ? 0 : 1]; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Lit segments for a raw level: trunc(log10(level & 0x7F) x segments / log10(128)).
    static int litCountFor(int level, int segments = kSegments);
    // Segment b (1 = bottom) of channel a (0 = left) in a width x height meter. Its right and
    // bottom edges lie outside it, so neighbours keep a one-pixel gap of silver.
    static Rect segmentRect(int channel, int segment, int width, int height, int segments = kSegments);
    static Rgb segmentColour(int segment, bool lit, int threshold = kRedThreshold);

private:
    void drawSegment(Canvas& canvas, int channel, int segment, bool lit, bool framed) const;

    MeterSurface& surface_;
    int segments_ = kSegments;
    int threshold_ = kRedThreshold;
    int lit_[2] = {0, 0};
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tovik::ui
