#include "controller/ui/level_meter.h"

#include <cmath>

namespace tovik::ui {

namespace {
// 1 / log10(128): the scale maps levels 1 ... 128 onto 0 ... N segments.
constexpr double kPerDecade = 0.4745611564232607;
}  // namespace

LevelMeter::LevelMeter(MeterSurface& surface) : surface_(surface) {}

int LevelMeter::litCountFor(int level, int segments) {
    const int v = level & 0x7F;
    if (v == 0) return 0;
    return static_cast<int>(std::trunc(std::log10(v) * segments * kPerDecade));
}

Rect LevelMeter::segmentRect(int channel, int segment, int width, int height, int segments) {
    const int column = width / 2;
    const int left = channel * (column + 2);
    const int h = height / segments;
    const int top = (segments - segment) * h;
    return {left, top, left + column - 2, top + h - 1};
}

Rgb LevelMeter::segmentColour(int segment, bool lit, int threshold) {
    if (segment > threshold) return lit ? rgb(255, 0, 0) : rgb(128, 0, 0);
    return lit ? rgb(0, 255, 0) : rgb(128, 128, 128);
}

void LevelMeter::drawSegment(Canvas& canvas, int channel, int segment, bool lit, bool framed) const {
    Rect r = segmentRect(channel, segment, width_, height_, segments_);
    if (framed) {
        canvas.edge(r, rgb(128, 128, 128), rgb(255, 255, 255));
        r = r.inflated(-1, -1);
        canvas.edge(r, rgb(0, 0, 0), kSilver);
        r = r.inflated(-1, -1);
    } else {
        r = r.inflated(-2, -2);
    }
    canvas.fillRect(r, segmentColour(segment, lit, threshold_));
}

void LevelMeter::resize(int width, int height) {
    width_ = width;
    height_ = height;
    surface_.recreate(width, height);
    surface_.draw([&](Canvas& canvas) {
        canvas.fillRect({0, 0, width_, height_}, kSilver);
        for (int b = 1; b <= segments_; ++b) {
            for (int a = 0; a < 2; ++a) drawSegment(canvas, a, b, false, true);
        }
    });
}

void LevelMeter::setLevels(int left, int right) {
    const int l = litCountFor(left, segments_);
    const int r = litCountFor(right, segments_);
    if (l == lit_[0] && r == lit_[1]) return;
    lit_[0] = l;
    lit_[1] = r;
    surface_.draw([&](Canvas& canvas) {
        for (int b = 1; b <= segments_; ++b) {
            drawSegment(canvas, 0, b, l >= b, false);
            drawSegment(canvas, 1, b, r >= b, false);
        }
    });
    surface_.present();
}

}  // namespace tovik::ui
