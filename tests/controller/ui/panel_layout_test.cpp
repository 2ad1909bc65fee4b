// The panel's face as data: controls inside the panel and sized as their images, no two visible
// buttons on top of each other, the state table's reach, and the background covering any client.
#include "controller/ui/panel_layout.h"

#include <gtest/gtest.h>

#include <set>

#include "controller/link/md_commands.h"
#include "controller/ui/panel_controls.h"
#include "resources/strings.h"
#include "tests/controller/link/scripted_card.h"
#include "controller/link/md_status.h"
#include "tests/support/skin_canvas.h"

namespace tovik::ui {
namespace {

using fake::CanvasOp;

// More than a shared edge line: TOCEDIT's last row and SLEEVON's first are the same pixels.
bool overlap(const Rect& a, const Rect& b) {
    return a.left + 1 < b.right && b.left + 1 < a.right && a.top + 1 < b.bottom && b.top + 1 < a.bottom;
}

TEST(PanelLayout, ButtonsSitInsideThePanelAtTheirImagesSizeWithoutOverlapping) {
    fake::RecordingCanvas skin;
    test::addRotelaBitmaps(skin);
    std::set<int> ids;
    for (const ControlPlace& place : panelGeometry()) {
        EXPECT_TRUE(ids.insert(place.id).second) << place.id;
        const Rect r = place.rect();
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= kPanelWidth && r.bottom <= kPanelHeight) << place.id;
    }
    EXPECT_EQ(ids.size(), 35u);

    std::vector<std::pair<int, Rect>> shown;
    for (const PanelButton& button : panelButtons()) {
        const Rect r = controlRect(button.id);
        ASSERT_FALSE(r.empty()) << button.id;
        EXPECT_EQ(skin.bitmapSize(std::string(button.caption) + "U"), (Size{r.width(), r.height()}))
            << button.caption;
        if (button.startsHidden) continue;
        for (const auto& [other, rect] : shown) EXPECT_FALSE(overlap(r, rect)) << button.id << " on " << other;
        shown.emplace_back(button.id, r);
    }
    // The statics' pictures fit their controls, the children their placeholders.
    EXPECT_EQ(skin.bitmapSize("156"), (Size{controlRect(IDC_VOLUME_CAPTION).width(), 12}));
    EXPECT_EQ(skin.bitmapSize("154"), (Size{controlRect(IDC_NAME_PLATE).width(), 48}));
    EXPECT_EQ(controlRect(IDC_ENTRY).width(), 63) << "ENTRY keeps its own rectangle though hidden";
}

TEST(PanelLayout, EveryTooltipHasItsTextInBothLanguages) {
    const StringTable en(resources::rotelaStrings(), Language::English);
    const StringTable ja(resources::rotelaStrings(), Language::Japanese);
    std::set<int> ids;
    for (const ControlTooltip& tip : panelTooltips()) {
        EXPECT_TRUE(ids.insert(tip.id).second);
        EXPECT_FALSE(controlRect(tip.id).empty()) << tip.id;
        EXPECT_FALSE(en.text(tip.stringId).empty()) << tip.stringId;
        EXPECT_NE(ja.text(tip.stringId), en.text(tip.stringId)) << tip.stringId << " untranslated";
    }
    EXPECT_EQ(ids.size(), 20u);
    EXPECT_EQ(en.text(panelTooltips()[7].stringId), "Help file open");
}

TEST(PanelLayout, StateTableGovernsTwentyOneControlsTheVolumeColumnThreeOfThem) {
    link::ButtonState state;
    // Playing a recordable disc, PC access on.
    const test::RawStatus raw = test::rawStatus(0x10, 0x50);
    link::MdStatus playing;
    link::decodeStatus(raw.data(), link::StatusArea::A, playing);
    ASSERT_TRUE(state.apply(playing));
    ASSERT_TRUE(state.enabled(link::Column::Volume));

    int governed = 0;
    for (const ControlPlace& place : panelGeometry()) governed += controlEnabled(state, place.id).has_value();
    EXPECT_EQ(governed, 21);
    for (int id : {IDC_VUP, IDC_VDOWN, IDC_SLIDER}) EXPECT_EQ(controlEnabled(state, id), state.enabled(link::Column::Volume));
    EXPECT_EQ(controlEnabled(state, IDC_MDLOGO), state.mdLogoEnabled());
    EXPECT_EQ(controlEnabled(state, link::IDC_CLOSE), std::nullopt);
    EXPECT_EQ(controlEnabled(state, IDC_EDIT_UP), std::nullopt) << "edit mode's UP is not the transport's";
}

// Four (w - 60) x (h - 60) pieces cover up to twice that: 1062 x 256 for the 591 x 188 bitmap.
TEST(PanelLayout, BackgroundPiecesCoverTheClientAndTheNamePlateSitsOnTop) {
    for (Size client : {Size{kPanelWidth, kPanelHeight}, Size{591, 188}, Size{1062, 256}}) {
        fake::RecordingCanvas canvas;
        test::addRotelaBitmaps(canvas);
        paintPanel(canvas, client, false);
        const auto pieces = canvas.opsOf(CanvasOp::Kind::BitmapPart);
        ASSERT_EQ(pieces.size(), 4u);
        // Every pixel of the client lies in one of the pieces, and every piece in the bitmap.
        for (int y = 0; y < client.cy; ++y) {
            for (int x = 0; x < client.cx; ++x) {
                bool covered = false;
                for (const CanvasOp& piece : pieces) {
                    const Rect dst{piece.point.x, piece.point.y, piece.point.x + piece.rect.width(),
                                   piece.point.y + piece.rect.height()};
                    covered |= dst.contains({x, y});
                }
                ASSERT_TRUE(covered) << x << "," << y << " of " << client.cx << "x" << client.cy;
            }
        }
        for (const CanvasOp& piece : pieces) {
            EXPECT_TRUE(piece.rect.left >= 0 && piece.rect.top >= 0 && piece.rect.right <= 591 && piece.rect.bottom <= 188);
        }
    }
    fake::RecordingCanvas canvas;
    test::addRotelaBitmaps(canvas);
    paintPanel(canvas, {kPanelWidth, kPanelHeight}, false);
    const auto pieces = canvas.opsOf(CanvasOp::Kind::BitmapPart);
    EXPECT_EQ(pieces[1].point, (Point{94, 78})) << "bottom-right piece pinned to the corner";
    EXPECT_EQ(pieces[1].rect, (Rect{60, 60, 591, 188}));
    const auto whole = canvas.opsOf(CanvasOp::Kind::Bitmap);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(whole[0].name, "154");
    EXPECT_EQ(whole[0].point, (Point{199, 16}));
}

TEST(PanelLayout, MinimisedShowsTheIconCentredAndMissingBitmapsAreSkipped) {
    fake::RecordingCanvas canvas;
    test::addRotelaBitmaps(canvas);
    paintPanel(canvas, {160, 31}, true);
    const auto icons = canvas.opsOf(CanvasOp::Kind::Bitmap);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].name, "128");
    EXPECT_EQ(icons[0].point, (Point{(160 - 32 + 1) / 2, 0})) << "(31 - 32 + 1) / 2 = 0";

    fake::RecordingCanvas bare;  // no skin at all
    paintPanel(bare, {kPanelWidth, kPanelHeight}, false);
    EXPECT_TRUE(bare.opsOf(CanvasOp::Kind::Bitmap).empty());
    EXPECT_TRUE(bare.opsOf(CanvasOp::Kind::BitmapPart).empty());
    EXPECT_EQ(bare.opsOf(CanvasOp::Kind::FillRect).size(), 1u) << "silver instead";
}

}  // namespace
}  // namespace tovik::ui
