// The labels on the recording canvas: one unit a device pixel, text |height| / 2 wide a
// character and |height| high.
#include "labeleditor/layout/label_drawing.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_canvas.h"

namespace tovik::label {
namespace {

using fake::CanvasOp;
using Kind = CanvasOp::Kind;

class LabelDrawingTest : public testing::Test {
protected:
    LabelTexts texts() const { return {title, tracks, cp}; }
    static LabelFontSpecs fonts(int title, int track, int disc) {
        return {FontSpec{"Arial", -title}, FontSpec{"Arial", -track}, FontSpec{"Arial", -disc}};
    }
    std::vector<CanvasOp> textsOf(int height) const {
        std::vector<CanvasOp> out;
        for (const CanvasOp& op : canvas.opsOf(Kind::Text))
            if (op.style.font.height == -height) out.push_back(op);
        return out;
    }

    CodePage cp = CodePage::forLanguage(Language::English);
    std::string title = "Harbour Lights";
    std::vector<std::string> tracks;
    fake::RecordingCanvas canvas;
};

TEST_F(LabelDrawingTest, CaseLabelOutlineAreasAndTitle) {
    tracks.clear();
    drawCaseLabel(canvas, {100, -200}, texts(), FontSpec{"Arial", -40}, FontSpec{"Arial", -30});

    // Both areas white, then the outline one unit outside them, on top where they might touch.
    auto shapes = canvas.opsOf(Kind::Rectangle);
    ASSERT_EQ(shapes.size(), 3u);
    EXPECT_EQ(shapes[0].rect, (Rect{100, -200, 810, -260}));
    EXPECT_EQ(shapes[1].rect, (Rect{100, -260, 810, -720}));
    for (int i : {0, 1}) {
        EXPECT_TRUE(shapes[i].pen.null);
        EXPECT_EQ(shapes[i].brush, (Brush{rgb(255, 255, 255)}));
    }
    EXPECT_EQ(shapes[2].rect, (Rect{99, -199, 811, -721}));
    EXPECT_TRUE(shapes[2].brush.hollow);
    EXPECT_EQ(shapes[2].pen.color, rgb(0, 0, 0));

    // An empty list leaves the track area white: the title is the only text. It is centred in
    // the inner band (58 high: (58 − 40) / 2 = 9 below its top) and cut at its inner edges.
    auto drawn = canvas.opsOf(Kind::Text);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text, "Harbour Lights");
    EXPECT_EQ(drawn[0].point, (Point{120, -210}));
    EXPECT_EQ(drawn[0].options.clip, (Rect{120, -201, 790, -259}));
}

TEST_F(LabelDrawingTest, ATallerTitleStartsAboveTheBandAndIsNeverWrapped) {
    title = std::string(200, 'W');  // far wider than the band
    drawCaseLabel(canvas, {0, 0}, texts(), FontSpec{"Arial", -75}, FontSpec{"Arial", -30});
    auto drawn = canvas.opsOf(Kind::Text);
    ASSERT_EQ(drawn.size(), 1u);
    // (58 − 75) / 2 truncates to −8: the text's top lies 8 above the inner band's top.
    EXPECT_EQ(drawn[0].point, (Point{20, 7}));
    EXPECT_EQ(drawn[0].text, title);
    EXPECT_EQ(drawn[0].options.clip, (Rect{20, -1, 690, -59}));
}

TEST_F(LabelDrawingTest, TrackNamesRunDownWhileAWholeNameFits) {
    // The inner track area is 420 high (−80 to −500); names 105 high: exactly four fit.
    tracks = {"One", "", "Three", "Four", "Five"};
    drawCaseLabel(canvas, {0, 0}, texts(), FontSpec{"Arial", -40}, FontSpec{"Arial", -105});
    auto names = textsOf(105);
    ASSERT_EQ(names.size(), 4u);
    const std::vector<std::string> expected{"One", " ", "Three", "Four"};  // an empty name takes a line
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i].text, expected[i]);
        EXPECT_EQ(names[i].point, (Point{20, -80 - 105 * static_cast<int>(i)}));
        EXPECT_EQ(names[i].options.clip, (Rect{20, -80, 690, -500}));
    }
    // One unit more and the fourth no longer fits.
    canvas.clear();
    drawCaseLabel(canvas, {0, 0}, texts(), FontSpec{"Arial", -40}, FontSpec{"Arial", -106});
    EXPECT_EQ(textsOf(106).size(), 3u);
}

TEST_F(LabelDrawingTest, DiscLabelWrapsTheTitleThatTheBandCuts) {
    // Font 2 at 20 units: 10 a character; the inner halves are 310 wide.
    title = "Northern Lights over the Harbour";  // 320 wide
    drawDiscLabel(canvas, {170, -550}, texts(), FontSpec{"Arial", -20});

    auto label = canvas.opsOf(Kind::Rectangle).at(0);
    EXPECT_EQ(label.rect, (Rect{170, -550, 520, -730}));
    EXPECT_FALSE(label.brush.hollow);
    auto lines = canvas.opsOf(Kind::Text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "Northern Lights over the ");
    EXPECT_EQ(lines[1].text, "Harbour");
    // Halves split at −640, inset 20 and 1: the inner upper half is 88 high, (88 − 20) / 2 = 34.
    EXPECT_EQ(lines[0].point, (Point{190, -585}));
    EXPECT_EQ(lines[1].point, (Point{190, -675}));
    EXPECT_EQ(lines[0].options.clip, (Rect{190, -551, 500, -639}));
    EXPECT_EQ(lines[1].options.clip, (Rect{190, -641, 500, -729}));

    // A title that fits leaves line 2 empty.
    canvas.clear();
    title = "Harbour";
    drawDiscLabel(canvas, {0, 0}, texts(), FontSpec{"Arial", -20});
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"Harbour", ""}));
}

TEST_F(LabelDrawingTest, ScreenFramesAndTheClickedArea) {
    drawAreaFrames(canvas, FONT_TRACK);
    auto frames = canvas.opsOf(Kind::Rectangle);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].rect, (Rect{0, 0, 710, -60}));
    EXPECT_EQ(frames[1].rect, (Rect{0, -60, 710, -520}));
    EXPECT_EQ(frames[2].rect, (Rect{170, -550, 520, -730}));
    EXPECT_EQ(frames[0].pen.color, kFrameSilver);
    EXPECT_EQ(frames[1].pen.color, kFrameAqua);
    EXPECT_EQ(frames[2].pen.color, kFrameSilver);
    for (const auto& f : frames) EXPECT_TRUE(f.brush.hollow);
    auto middle = canvas.opsOf(Kind::Line).at(0);
    EXPECT_EQ(middle.point, (Point{172, -640}));
    EXPECT_EQ(middle.to, (Point{518, -640}));
    EXPECT_EQ(middle.pen.color, kFrameSilver);

    // Left and lower edges belong to an area, right and upper ones do not; the gaps select 0.
    const std::pair<Point, int> clicks[] = {
        {{0, -59}, FONT_TITLE},    {{709, -60}, FONT_TITLE},     {{0, -520}, FONT_TRACK},
        {{170, -730}, FONT_DISCTITLE}, {{519, -551}, FONT_DISCTITLE},
        {{710, -100}, FONT_TITLE}, {{300, -535}, FONT_TITLE},    {{520, -600}, FONT_TITLE},
        {{200, -550}, FONT_TITLE}, {{100, -700}, FONT_TITLE},    {{5, 0}, FONT_TITLE},
    };
    for (const auto& [p, type] : clicks) EXPECT_EQ(areaAt(p), type) << p.x << "," << p.y;
    EXPECT_EQ(areaAt({5, -521}), FONT_TITLE);
    EXPECT_EQ(areaAt({5, -519}), FONT_TRACK);
}

TEST_F(LabelDrawingTest, PrintedPageHasFourSetsMovedByTheOffsetsAndTheSheetOnlyInPreview) {
    tracks = {"One"};
    auto caseCorners = [&] {
        std::vector<Point> corners;
        for (const CanvasOp& op : canvas.opsOf(Kind::Rectangle))
            if (op.brush.hollow) corners.push_back({op.rect.left + 1, op.rect.top - 1});
        return corners;
    };
    auto discCorners = [&] {
        std::vector<Point> corners;
        for (const CanvasOp& op : canvas.opsOf(Kind::Rectangle))
            if (!op.brush.hollow && !op.pen.null) corners.push_back({op.rect.left, op.rect.top});
        return corners;
    };

    drawPrintedPage(canvas, texts(), fonts(40, 30, 20), PagePlacement{{0, 0}, 0, 0, false});
    // Columns outside, rows inside: 25.0 / 148.5 mm from the left, 25.0 / 130.0 mm from the top.
    EXPECT_EQ(caseCorners(), (std::vector<Point>{{250, -250}, {250, -1300}, {1485, -250}, {1485, -1300}}));
    // Each disc label 75.0 mm to the right, its lower edge level with the case label's.
    EXPECT_EQ(discCorners(), (std::vector<Point>{{1000, -590}, {1000, -1640}, {2235, -590}, {2235, -1640}}));
    EXPECT_TRUE(canvas.opsOf(Kind::Line).empty());  // no frames, no middle line on paper
    EXPECT_TRUE(canvas.opsOf(Kind::FillRect).empty());  // no sheet on paper

    for (auto [h, v] : {std::pair{-100, -100}, std::pair{100, 100}}) {
        canvas.clear();
        drawPrintedPage(canvas, texts(), fonts(40, 30, 20), PagePlacement{{0, 0}, h, v, false});
        EXPECT_EQ(caseCorners(), (std::vector<Point>{{250 + h, -250 - v},
                                                      {250 + h, -1300 - v},
                                                      {1485 + h, -250 - v},
                                                      {1485 + h, -1300 - v}}));
    }

    // The printable area starts 3.5 mm in: positions still count from the paper's edge. The
    // preview first lays the silver sheet from the printable area's origin.
    canvas.clear();
    drawPrintedPage(canvas, texts(), fonts(40, 30, 20), PagePlacement{{35, 42}, 0, 0, true});
    EXPECT_EQ(caseCorners().front(), (Point{215, -208}));
    auto sheet = canvas.opsOf(Kind::FillRect).front();
    EXPECT_EQ(sheet.rect, (Rect{0, 0, 2970, -2100}));
    EXPECT_EQ(sheet.color, kPreviewSheet);
}

}  // namespace
}  // namespace tovik::label
