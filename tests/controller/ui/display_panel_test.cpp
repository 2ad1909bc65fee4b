// The display on the fake host and a recording canvas: what each status shows, how messages
// come and go on the virtual clock, the name boxes' tooltips and clicks.
#include "controller/ui/display_panel.h"

#include <gtest/gtest.h>

#include "controller/link/md_mode.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/ui/recording_display_view.h"

namespace tovik::ui {
namespace {

using fake::CanvasOp;
using Strings = std::vector<std::string>;

// A ready unit with a disc, stopped on track 1 at 0:00.
link::MdStatus unit(std::uint8_t mode = link::MODE_STOPPED) {
    link::MdStatus s;
    s.unitState = 0x10;
    s.mode = mode;
    s.discState = 1;
    s.recordable = 1;
    s.flagB = 1;  // stereo SP: MONO LP out
    s.currentTrack = 1;
    s.totalTracks = 12;
    return s;
}

link::MdStatus playing(std::uint8_t track, std::uint8_t minutes, std::uint8_t seconds) {
    link::MdStatus s = unit(link::MODE_PLAYING);
    s.currentTrack = track;
    s.minutes = minutes;
    s.seconds = seconds;
    return s;
}

class DisplayTest : public ::testing::Test {
protected:
    explicit DisplayTest(Language language = Language::English) : host(resources::rotelaStrings(), language) {
        parentWindow = host.createWindow(parent);
        display.emplace(host, parentWindow);
        display->create(view);
    }

    // What a full paint draws now.
    fake::RecordingCanvas paint() const {
        fake::RecordingCanvas canvas;
        test::addRotelaBitmaps(canvas);
        display->paint(canvas);
        return canvas;
    }
    static std::vector<std::string> bitmapsOf(const fake::RecordingCanvas& canvas) {
        std::vector<std::string> names;
        for (const CanvasOp& op : canvas.opsOf(CanvasOp::Kind::Bitmap)) names.push_back(op.name);
        return names;
    }
    // Drawn at once since the last clear.
    Strings drawnTexts() const { return view.canvas.texts(); }

    fake::FakeHost host;
    test::ParentWindow parent;
    Handle parentWindow = kNoWindow;
    test::RecordingDisplayView view;
    std::optional<DisplayPanel> display;
};

TEST_F(DisplayTest, StartsDarkWithHiddenNameBoxesAndLightsWithTheFirstReadyStatus) {
    EXPECT_EQ(view.size, (Size{317, 123}));
    EXPECT_EQ(view.boxesVisible, false);
    EXPECT_EQ(bitmapsOf(paint()), Strings{"181"});
    EXPECT_EQ(view.tooltips.back(), std::pair(NameBox::Track, std::string("TRACK NAME")));

    display->updateFromStatus(playing(3, 1, 2), false);
    EXPECT_EQ(view.invalidations, 1);
    EXPECT_EQ(view.boxesVisible, true);
    EXPECT_EQ(bitmapsOf(paint()), (Strings{"148", "174"})) << "lit background and PLAY only";

    // The unit goes away: dark again, names gone, and a message that runs out meanwhile draws
    // nothing on the dark panel.
    display->setDiscName("Abbey Road");
    display->showMessage("TOC FULL", 2);
    display->updateFromStatus(link::MdStatus{}, false);
    EXPECT_EQ(view.boxesVisible, false);
    EXPECT_EQ(display->discName(), "");
    view.canvas.clear();
    host.advance(2000);
    EXPECT_TRUE(view.canvas.ops.empty());
    EXPECT_EQ(bitmapsOf(paint()), Strings{"181"});
}

TEST_F(DisplayTest, FailedStatusShowsCantAccessAndKeepsTrackAndTimeForLater) {
    link::MdStatus s = playing(3, 1, 2);
    s.flagA = 1;
    display->updateFromStatus(s, false);
    display->setDiscName("Abbey Road");
    display->setTrackName("Come Together");
    view.canvas.clear();

    display->updateFromStatus(s, true);
    EXPECT_EQ(drawnTexts(), Strings{"Can't ACCESS"});
    EXPECT_EQ(display->discName(), "");
    EXPECT_EQ(display->trackName(), "");
    for (int i = 0; i < kLampCount; ++i) EXPECT_EQ(display->lampValue(i), 0) << i;
    EXPECT_EQ(display->trackNumber(), 3);
    EXPECT_EQ(display->minutes(), 1);
    fake::RecordingCanvas canvas = paint();
    EXPECT_EQ(canvas.texts(), Strings{"Can't ACCESS"});
    EXPECT_EQ(bitmapsOf(canvas), Strings{"148"});

    // The same track and time again: nothing new to store, yet they come back on the display.
    view.canvas.clear();
    display->updateFromStatus(s, false);
    EXPECT_EQ(drawnTexts(), (Strings{"3", "1:02"}));
    EXPECT_EQ(bitmapsOf(view.canvas), (Strings{"161", "174"})) << "AUTO MARK and PLAY";

    display->setTrackName("Come Together");
    s.unitState = 0x30;  // unit not accessible
    display->updateFromStatus(s, false);
    EXPECT_EQ(paint().texts(), Strings{"NOT ACCESS"});
    EXPECT_EQ(display->trackName(), "");
}

TEST_F(DisplayTest, UnitErrorShowsTwoSecondsCentredThenTheLampsAndFieldsReturn) {
    link::MdStatus s = unit();
    s.flagA = 1;
    display->updateFromStatus(s, false);
    view.canvas.clear();

    s.errorCode = 0x70;
    display->updateFromStatus(s, false);
    EXPECT_EQ(display->temporaryMessage(), "Can't EDIT");
    auto texts = view.canvas.opsOf(CanvasOp::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    // Medium font 16 high, 8 wide per character on the recording canvas: 80 x 16 centred in
    // the 262 x 29 message area.
    EXPECT_EQ(texts[0].point, (Point{42 + 91, 17 + 6}));
    EXPECT_EQ(texts[0].options.opaque, kMessageArea);
    for (int i = LAMP_MONO_LP; i <= LAMP_REMAIN; ++i) EXPECT_FALSE(display->lampVisible(i));
    EXPECT_EQ(bitmapsOf(paint()), Strings{"148"}) << "AUTO MARK stays under the message";

    // The error is gone from the next status; the message ends two seconds after it came.
    s.errorCode = 0;
    display->updateFromStatus(s, false);
    host.advance(1999);
    EXPECT_EQ(display->temporaryMessage(), "Can't EDIT");
    view.canvas.clear();
    host.advance(1);
    EXPECT_EQ(display->temporaryMessage(), "");
    EXPECT_EQ(drawnTexts(), (Strings{"1", "0:00"}));
    EXPECT_EQ(bitmapsOf(view.canvas), Strings{"161"}) << "AUTO MARK drawn again";
}

TEST_F(DisplayTest, ErrorUnderNoDiscIsStoredNotDrawnAndDoesNotOutliveItsTime) {
    link::MdStatus s = unit();
    s.discState = 0;
    s.errorCode = 0xFC;
    display->updateFromStatus(s, false);
    EXPECT_EQ(display->persistentMessage(), "NO DISC");
    EXPECT_EQ(display->temporaryMessage(), "? DISC");
    EXPECT_EQ(drawnTexts(), Strings{"NO DISC"});
    EXPECT_EQ(paint().texts(), Strings{"NO DISC"});

    // A disc goes in three seconds later: the old error has run out and does not come up, and
    // no piece of "NO DISC" stays between the fields.
    host.advance(3000);
    view.canvas.clear();
    display->updateFromStatus(unit(), false);
    EXPECT_EQ(drawnTexts(), (Strings{"1", "0:00"}));
    auto fills = view.canvas.opsOf(CanvasOp::Kind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().rect, kMessageArea);
}

TEST_F(DisplayTest, PromptWithoutDurationIsNotEndedByAnEarlierErrorsTimer) {
    link::MdStatus s = unit();
    s.errorCode = 0x70;
    display->updateFromStatus(s, false);
    host.advance(500);
    display->showMessage("ERASE OK ?");
    host.advance(5000);
    EXPECT_EQ(display->temporaryMessage(), "ERASE OK ?");
    display->showMessage("");
    EXPECT_EQ(paint().texts(), (Strings{"1", "0:00"}));
}

TEST_F(DisplayTest, TimeDisplayModeSelectsTrackFieldAndLampsFollowTheFlags) {
    struct Case {
        std::uint8_t subState;
        std::string track;
        bool total, remain;
    };
    for (const Case& c : {Case{2, "4", true, true}, Case{3, "4", false, true},
                          Case{4, "12", false, true}, Case{6, "12", true, false}}) {
        link::MdStatus s = playing(4, 0, 0);
        s.subState = c.subState;
        display->updateFromStatus(s, false);
        EXPECT_EQ(paint().texts().front(), c.track) << int(c.subState);
        EXPECT_EQ(display->lampValue(LAMP_TOTAL), c.total) << int(c.subState);
        EXPECT_EQ(display->lampValue(LAMP_REMAIN), c.remain) << int(c.subState);
    }
    // Paused, automatic marks, and the flag that is set for stereo SP clear: MONO LP.
    link::MdStatus s = unit(link::MODE_PAUSED);
    s.flagA = 1;
    s.flagB = 0;
    display->updateFromStatus(s, false);
    EXPECT_EQ(bitmapsOf(paint()), (Strings{"148", "174", "175", "160", "161"}));
}

TEST_F(DisplayTest, FieldsAreRightAlignedAndRedrawnOnlyWhenTheyChange) {
    display->updateFromStatus(playing(12, 3, 5), false);
    view.canvas.clear();
    display->setTime(3, 5);
    display->setTrackNumber(12);
    display->setLamp(LAMP_PLAY, 1);
    display->setLamp(kLampCount, 1);
    EXPECT_TRUE(view.canvas.ops.empty());

    auto texts = paint().opsOf(CanvasOp::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    // Large font 26 high, 13 wide per character on the recording canvas.
    EXPECT_EQ(texts[0].text, "12");
    EXPECT_EQ(texts[0].point, (Point{158 - 26, 24}));
    EXPECT_EQ(texts[1].text, "3:05");
    EXPECT_EQ(texts[1].point, (Point{240 - 52, 24}));
    EXPECT_EQ(texts[1].options.clip, kTimeArea);

    display->setTime(3, 6);
    EXPECT_EQ(drawnTexts(), Strings{"3:06"});
}

TEST_F(DisplayTest, ModeSeventeenHidesTheContentsAndShowsThemAgain) {
    display->updateFromStatus(playing(3, 1, 2), false);
    display->setDiscName("Abbey Road");
    int before = view.invalidations;
    view.boxRepaints.clear();
    view.canvas.clear();

    display->updateFromStatus(unit(link::MODE_HIDDEN), false);
    EXPECT_EQ(view.invalidations, before + 1);
    EXPECT_EQ(bitmapsOf(paint()), Strings{"148"});
    EXPECT_TRUE(paint().texts().empty());
    EXPECT_TRUE(view.canvas.ops.empty()) << "nothing drawn over hidden contents";
    EXPECT_FALSE(display->nameBoxShowsText(NameBox::Disc));
    EXPECT_EQ(view.boxRepaints, (std::vector{NameBox::Disc, NameBox::Track}));
    EXPECT_EQ(display->discName(), "Abbey Road");

    display->updateFromStatus(playing(3, 1, 2), false);
    EXPECT_EQ(view.invalidations, before + 2);
    EXPECT_TRUE(display->nameBoxShowsText(NameBox::Disc));
    EXPECT_EQ(paint().texts(), (Strings{"3", "1:02"}));
}

TEST_F(DisplayTest, LongNameKeepsItsWholeTextAndItsTooltipEndsInDots) {
    display->updateFromStatus(unit(), false);
    // Small font: 6 pixels per character on the recording canvas; the box is 245 wide.
    const std::string fits(40, 'a');     // 240: within the width less the text's inset
    const std::string tooLong(41, 'b');  // 246
    display->setDiscName(fits);
    EXPECT_EQ(display->tooltip(NameBox::Disc), fits);
    display->setTrackName(tooLong);
    EXPECT_EQ(display->tooltip(NameBox::Track), std::string(40, 'b') + "...");

    fake::RecordingCanvas canvas;
    display->paintNameBox(canvas, NameBox::Track);
    auto texts = canvas.opsOf(CanvasOp::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, tooLong);
    EXPECT_EQ(texts[0].point, (Point{4, 3}));
    EXPECT_EQ(texts[0].options.clip, (Rect{0, 0, 245, 18}));
    ASSERT_EQ(canvas.opsOf(CanvasOp::Kind::FrameRect).size(), 1u);
    EXPECT_EQ(canvas.opsOf(CanvasOp::Kind::FrameRect)[0].color, kDisplayText);

    // The same name again: no repaint, no new tooltip.
    auto repaints = view.boxRepaints.size();
    auto tooltips = view.tooltips.size();
    display->setTrackName(tooLong);
    EXPECT_EQ(view.boxRepaints.size(), repaints);
    EXPECT_EQ(view.tooltips.size(), tooltips);
}

TEST_F(DisplayTest, SingleClickOpensThePopupAfterTheDoubleClickTimeAndDoubleClickNever) {
    display->updateFromStatus(unit(), false);
    display->nameBoxClicked(NameBox::Disc);
    EXPECT_FALSE(host.timerRunning(display->window(), TIMER_SINGLE_CLICK)) << "empty name";

    display->setDiscName("Abbey Road");
    display->nameBoxClicked(NameBox::Disc);
    EXPECT_EQ(host.timerPeriod(display->window(), TIMER_SINGLE_CLICK), 400u);
    host.advance(399);
    EXPECT_TRUE(view.popups.empty());
    host.advance(1);
    ASSERT_EQ(view.popups.size(), 1u);
    EXPECT_EQ(view.popups[0], std::pair(NameBox::Disc, std::string("Abbey Road")));
    host.advance(2000);
    EXPECT_EQ(view.popups.size(), 1u) << "once";

    display->setTrackName("Come Together");
    display->nameBoxClicked(NameBox::Track);
    host.advance(150);
    display->nameBoxDoubleClicked(NameBox::Track);
    host.advance(2000);
    EXPECT_EQ(view.popups.size(), 1u);
    display->nameBoxDoubleClicked(NameBox::Disc);
    host.runUntilIdle();
    EXPECT_EQ(parent.received, (std::vector<Msg>{WM_EDIT_TRACK_NAME, WM_EDIT_DISC_NAME}));
}

class JapaneseDisplayTest : public DisplayTest {
protected:
    JapaneseDisplayTest() : DisplayTest(Language::Japanese) {}
};

TEST_F(JapaneseDisplayTest, NamesAreCodePageTextInTheGothicFace) {
    EXPECT_EQ(display->nameFont().face, "MS ゴシック");
    EXPECT_EQ(display->nameFont().charSet, 128);
    display->updateFromStatus(unit(), false);
    display->setDiscName("\xB1\xB2\xB3");  // half-width katakana in CP932
    EXPECT_EQ(display->tooltip(NameBox::Disc), "ｱｲｳ");
    fake::RecordingCanvas canvas;
    display->paintNameBox(canvas, NameBox::Disc);
    EXPECT_EQ(canvas.texts(), Strings{"ｱｲｳ"});
}

}  // namespace
}  // namespace tovik::ui
