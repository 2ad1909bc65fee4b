#include "controller/ui/level_meter.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_canvas.h"

namespace tovik::ui {
namespace {

using Kind = fake::CanvasOp::Kind;

// The meter's bitmap as a recording canvas, counting what reaches the window.
struct RecordingSurface : MeterSurface {
    void recreate(int w, int h) override {
        size = {w, h};
        canvas.clear();
        ++recreated;
    }
    void draw(const std::function<void(Canvas&)>& paint) override { paint(canvas); }
    void present() override { ++presented; }
    fake::RecordingCanvas canvas;
    Size size;
    int recreated = 0;
    int presented = 0;
};

constexpr Rgb kRed = rgb(255, 0, 0), kDarkRed = rgb(128, 0, 0), kGreen = rgb(0, 255, 0),
              kGrey = rgb(128, 128, 128);

TEST(LevelMeterTest, LitCountsFollowTheLogarithmicScaleOnTheLowSevenBits) {
    EXPECT_EQ(LevelMeter::litCountFor(0), 0);
    EXPECT_EQ(LevelMeter::litCountFor(1), 0);
    EXPECT_EQ(LevelMeter::litCountFor(10), 4);
    EXPECT_EQ(LevelMeter::litCountFor(64), 8);
    EXPECT_EQ(LevelMeter::litCountFor(127), 9);  // the top segment never lights
    EXPECT_EQ(LevelMeter::litCountFor(255), 9);
    EXPECT_EQ(LevelMeter::litCountFor(0x80), 0);
    // The first level of each count, and the one below it.
    const int first[] = {2, 3, 5, 7, 12, 19, 30, 49, 79};
    for (int count = 1; count <= 9; ++count) {
        EXPECT_EQ(LevelMeter::litCountFor(first[count - 1]), count) << first[count - 1];
        EXPECT_EQ(LevelMeter::litCountFor(first[count - 1] - 1), count - 1) << first[count - 1] - 1;
    }
}

TEST(LevelMeterTest, ASizeChangeDrawsEverySegmentFramedAndUnlitOnSilver) {
    RecordingSurface surface;
    LevelMeter meter(surface);
    meter.resize(47, 103);  // the panel's meter
    EXPECT_EQ(surface.size, (Size{47, 103}));
    EXPECT_EQ(surface.presented, 0);
    const auto& ops = surface.canvas.ops;
    ASSERT_EQ(ops.size(), 1u + 10 * 2 * 3);
    EXPECT_EQ(ops[0].kind, Kind::FillRect);
    EXPECT_EQ(ops[0].rect, (Rect{0, 0, 47, 103}));
    EXPECT_EQ(ops[0].color, rgb(192, 192, 192));

    // Segment 1 (bottom) of the left column, then of the right column: two edges and a fill.
    EXPECT_EQ(ops[1].kind, Kind::Edge);
    EXPECT_EQ(ops[1].rect, (Rect{0, 90, 21, 99}));
    EXPECT_EQ(ops[1].color, kGrey);
    EXPECT_EQ(ops[1].color2, rgb(255, 255, 255));
    EXPECT_EQ(ops[2].rect, (Rect{1, 91, 20, 98}));
    EXPECT_EQ(ops[2].color, rgb(0, 0, 0));
    EXPECT_EQ(ops[2].color2, rgb(192, 192, 192));
    EXPECT_EQ(ops[3].kind, Kind::FillRect);
    EXPECT_EQ(ops[3].rect, (Rect{2, 92, 19, 97}));
    EXPECT_EQ(ops[3].color, kGrey);
    EXPECT_EQ(ops[4].rect, (Rect{25, 90, 46, 99}));
    // Segment 10 is at the top, in the red zone.
    EXPECT_EQ(ops[55].rect, (Rect{0, 0, 21, 9}));
    EXPECT_EQ(ops[57].color, kDarkRed);
}

TEST(LevelMeterTest, NewLevelsRedrawOnlyWhenACountChanges) {
    RecordingSurface surface;
    LevelMeter meter(surface);
    meter.resize(47, 103);
    surface.canvas.clear();

    meter.setLevels(0xFF, 64);  // 9 and 8
    EXPECT_EQ(surface.presented, 1);
    auto fills = surface.canvas.opsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), 20u);  // left and right of segments 1 ... 10
    EXPECT_EQ(fills[0].rect, (Rect{2, 92, 19, 97}));  // shrunk by 2, no frame
    auto colourOf = [&](int channel, int segment) { return fills[(segment - 1) * 2 + channel].color; };
    EXPECT_EQ(colourOf(0, 7), kGreen);
    EXPECT_EQ(colourOf(0, 8), kRed);
    EXPECT_EQ(colourOf(0, 9), kRed);
    EXPECT_EQ(colourOf(0, 10), kDarkRed);
    EXPECT_EQ(colourOf(1, 8), kRed);
    EXPECT_EQ(colourOf(1, 9), kDarkRed);
    EXPECT_EQ(meter.litCount(0), 9);
    EXPECT_EQ(meter.litCount(1), 8);

    surface.canvas.clear();
    meter.setLevels(127, 70);  // the same counts
    meter.setLevels(0x7F | 0x80, 50);
    EXPECT_TRUE(surface.canvas.ops.empty());
    EXPECT_EQ(surface.presented, 1);

    meter.setLevels(0, 0);  // out
    EXPECT_EQ(surface.presented, 2);
    for (const auto& fill : surface.canvas.opsOf(Kind::FillRect)) {
        EXPECT_TRUE(fill.color == kGrey || fill.color == kDarkRed);
    }
}

TEST(LevelMeterTest, AMeterLowerThanItsSegmentCountStillWorks) {
    RecordingSurface surface;
    LevelMeter meter(surface);
    meter.resize(10, 7);
    EXPECT_EQ(LevelMeter::segmentRect(0, 3, 10, 7), (Rect{0, 0, 3, -1}));
    meter.setLevels(127, 127);
    EXPECT_EQ(surface.presented, 1);
}

}  // namespace
}  // namespace tovik::ui
