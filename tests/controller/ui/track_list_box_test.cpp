#include "controller/ui/track_list_box.h"

#include <gtest/gtest.h>

#include "tests/support/skin_canvas.h"

namespace tovik::ui {
namespace {

using Kind = fake::CanvasOp::Kind;

// The recording canvas measures a 12-pixel font at 6 pixels a character: "XXXX" is 24 x 12.
class TrackListBoxTest : public ::testing::Test {
protected:
    TrackListBoxTest() {
        test::addRotelaBitmaps(canvas);
        canvas.pixels["172"][{0, 0}] = rgb(0, 128, 0);
    }
    TrackListItem row(int index, std::string text) {
        TrackListItem item;
        item.index = index;
        item.rect = {0, index * 15, 200, index * 15 + 15};
        item.text = std::move(text);
        return item;
    }
    fake::RecordingCanvas canvas;
    TrackListBox list;
};

TEST_F(TrackListBoxTest, ARowShowsItsNumberAfterTheMarkAndItsNameAfterThat) {
    EXPECT_EQ(list.itemHeight(canvas), 15);  // the mark's 13 rows below one blank row
    list.drawItem(canvas, row(2, "Morning"), -1);
    auto texts = canvas.opsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    // The name: x = mark width 11 + "XXXX" 24 + 2, centred in the row, filling the row.
    EXPECT_EQ(texts[0].text, "Morning");
    EXPECT_EQ(texts[0].point, (Point{37, 31}));
    EXPECT_EQ(texts[0].style.background, rgb(255, 255, 255));
    EXPECT_EQ(texts[0].options.opaque, (Rect{0, 30, 200, 45}));
    EXPECT_EQ(texts[0].style.color, rgb(0, 0, 0));
    // The number: "%3d" of the 1-based row, transparent, cut at the row.
    EXPECT_EQ(texts[1].text, "  3");
    EXPECT_EQ(texts[1].point, (Point{11, 31}));
    EXPECT_EQ(texts[1].style.background, std::nullopt);
    EXPECT_EQ(texts[1].options.clip, (Rect{0, 30, 200, 45}));
    EXPECT_TRUE(canvas.opsOf(Kind::BitmapTransparent).empty());
    EXPECT_TRUE(canvas.opsOf(Kind::FocusRect).empty());
}

TEST_F(TrackListBoxTest, SelectedFocusedAndDisabledRowsTakeTheDesktopsColours) {
    auto item = row(0, "Song");
    item.selected = true;
    item.focused = true;
    list.drawItem(canvas, item, 0);
    auto texts = canvas.opsOf(Kind::Text);
    EXPECT_EQ(texts[0].style.background, canvas.systemColor(SystemColor::Highlight));
    EXPECT_EQ(texts[0].style.color, canvas.systemColor(SystemColor::HighlightText));
    EXPECT_EQ(texts[1].style.color, canvas.systemColor(SystemColor::HighlightText));
    ASSERT_EQ(canvas.opsOf(Kind::FocusRect).size(), 1u);
    EXPECT_EQ(canvas.opsOf(Kind::FocusRect)[0].rect, item.rect);

    canvas.clear();
    item.focused = false;
    item.disabled = true;
    list.drawItem(canvas, item, 0);
    EXPECT_EQ(canvas.opsOf(Kind::Text)[0].style.color, canvas.systemColor(SystemColor::GrayText));
}

TEST_F(TrackListBoxTest, TheEndRowIsBlankAndNeverHighlightedButCanCarryTheMark) {
    auto end = row(5, "^^");
    end.selected = true;
    end.focused = true;
    list.setMarkedItem(5);
    list.drawItem(canvas, end, 2);
    auto texts = canvas.opsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, " ");
    EXPECT_EQ(texts[0].point, (Point{0, 75}));
    EXPECT_EQ(texts[0].style.background, canvas.systemColor(SystemColor::Window));
    EXPECT_EQ(texts[0].options.opaque, end.rect);
    auto marks = canvas.opsOf(Kind::BitmapTransparent);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].name, "172");
    EXPECT_EQ(marks[0].point, (Point{0, 76}));
    EXPECT_EQ(marks[0].color, rgb(0, 128, 0));  // its own top-left pixel
    EXPECT_TRUE(canvas.opsOf(Kind::FocusRect).empty());
}

TEST_F(TrackListBoxTest, TheMarkIsNotDrawnOnTheCurrentSelection) {
    list.setMarkedItem(1);
    list.drawItem(canvas, row(1, "B"), 1);
    EXPECT_TRUE(canvas.opsOf(Kind::BitmapTransparent).empty());
    list.drawItem(canvas, row(1, "B"), 0);
    list.drawItem(canvas, row(2, "C"), 0);  // not the marked row
    EXPECT_EQ(canvas.opsOf(Kind::BitmapTransparent).size(), 1u);
    list.drawItem(canvas, TrackListItem{}, 0);  // no row: nothing
    EXPECT_EQ(canvas.opsOf(Kind::Text).size(), 6u);
}

}  // namespace
}  // namespace tovik::ui
