#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/fake/recording_canvas.h"

namespace tovik {
namespace {

TEST(RectTest, ContainsItsLowerAndLeftEdgesInEitherAxisDirection) {
    Rect pixels{10, 20, 30, 40};  // y down
    EXPECT_TRUE(pixels.contains({10, 20}));
    EXPECT_FALSE(pixels.contains({30, 25}));
    EXPECT_FALSE(pixels.contains({15, 40}));

    Rect lometric{0, 0, 710, -60};  // y up: upper edge first
    EXPECT_EQ(lometric.height(), -60);
    EXPECT_EQ(lometric.normalized(), (Rect{0, -60, 710, 0}));
    EXPECT_TRUE(lometric.contains({0, -60}));   // left and lower edges are inside
    EXPECT_FALSE(lometric.contains({0, 0}));    // the upper edge is not
    EXPECT_FALSE(lometric.contains({710, -30}));  // nor the right one
}

TEST(RecordingCanvasTest, MapsLoMetricWithYUpAroundTheViewportOrigin) {
    fake::RecordingCanvas canvas;
    canvas.setMapMode(MapMode::LoMetric);
    canvas.setViewportOrigin({5, 100});
    EXPECT_EQ(canvas.logicalToDevice({10, -20}), (Point{15, 120}));
    EXPECT_EQ(canvas.deviceToLogical({15, 120}), (Point{10, -20}));
}

TEST(RecordingCanvasTest, UnknownBitmapsAreNotDrawnAndHaveNoSize) {
    fake::RecordingCanvas canvas;
    canvas.bitmaps["MARK"] = {11, 13};
    canvas.drawBitmap("MISSING", {0, 0});
    canvas.drawBitmap("MARK", {1, 2});
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.bitmapSize("MISSING"), (Size{}));
    EXPECT_EQ(canvas.bitmapPixel("MARK", {11, 0}), std::nullopt);
}

}  // namespace
}  // namespace tovik
