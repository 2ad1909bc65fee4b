#include <gtest/gtest.h>

#include "controller/ui/latch_button.h"
#include "controller/ui/repeat_button.h"
#include "platform/fake/fake_host.h"
#include "tests/support/skin_canvas.h"

namespace tovik::ui {
namespace {

constexpr int kUp = 1008;
constexpr int kFF = 1006;

// The parent window: every message with the virtual time it came at.
struct Parent : MessageTarget {
    struct Got {
        Msg msg;
        WParam id;
        LParam from;
        std::uint64_t at;
    };
    explicit Parent(fake::FakeHost& host) : host(host), window(host.createWindow(*this)) {}
    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override {
        got.push_back({msg, wParam, lParam, host.nowMs()});
        return 0;
    }
    std::vector<std::uint64_t> times(Msg msg) const {
        std::vector<std::uint64_t> out;
        for (const auto& g : got)
            if (g.msg == msg) out.push_back(g.at);
        return out;
    }
    std::vector<Msg> messages() const {
        std::vector<Msg> out;
        for (const auto& g : got) out.push_back(g.msg);
        return out;
    }
    fake::FakeHost& host;
    Handle window;
    std::vector<Got> got;
};

class RepeatButtonTest : public ::testing::Test {
protected:
    RepeatButtonTest() {
        // The panel's UP key: repeats every 200 ms and reports its release.
        up.setParent(parent.window);
        up.setAutoRepeat(true);
        up.setReleaseNotification(true);
        up.setRepeatPeriod(200);
    }
    fake::FakeHost host;
    Parent parent{host};
    RepeatButton up{host, host, kUp, "UP"};
};

TEST_F(RepeatButtonTest, AShortClickGivesTheReleaseThenOneCommand) {
    up.mouseDown();
    host.advance(250);
    up.mouseUp(true);
    host.advance(1000);
    EXPECT_EQ(parent.messages(), (std::vector<Msg>{WM_BUTTON_RELEASED, WM_COMMAND}));
    EXPECT_EQ(parent.got[1].id, static_cast<WParam>(kUp));
    EXPECT_EQ(parent.got[1].from, static_cast<LParam>(up.window()));
    EXPECT_EQ(up.currentTimer(), RepeatButton::TIMER_NONE);
    EXPECT_FALSE(up.held());
}

TEST_F(RepeatButtonTest, HoldingRepeatsAfter300msThenEveryPeriod) {
    up.mouseDown();
    host.advance(1000);
    up.mouseUp(true);
    host.advance(1000);
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{300, 500, 700, 900, 1000}));
    EXPECT_EQ(parent.times(WM_BUTTON_RELEASED), (std::vector<std::uint64_t>{1000}));
    EXPECT_FALSE(host.timerRunning(up.window(), RepeatButton::TIMER_FIRST));
    EXPECT_FALSE(host.timerRunning(up.window(), RepeatButton::TIMER_REPEAT));

    // The first delay is 300 ms whatever the period.
    parent.got.clear();
    up.setRepeatPeriod(50);
    up.mouseDown();  // at 2000
    host.advance(420);
    up.mouseUp(true);
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{2300, 2350, 2400, 2420}));
}

TEST_F(RepeatButtonTest, RepeatsOnlyWhileThePointerIsOverTheButton) {
    up.mouseDown();
    host.advance(400);
    up.mouseMove(false);  // dragged off: shows up, the timer runs on silently
    EXPECT_FALSE(up.held());
    host.advance(350);
    up.mouseMove(true);
    host.advance(200);
    up.mouseMove(false);
    up.mouseUp(false);  // released off the button: no click
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{300, 900}));
    EXPECT_EQ(parent.times(WM_BUTTON_RELEASED), (std::vector<std::uint64_t>{950}));
}

TEST_F(RepeatButtonTest, TheSpaceBarRepeatsAndTheKeyboardsOwnRepeatDoesNotRestartTheDelay) {
    up.spaceDown(false);
    host.advance(250);
    while (host.nowMs() < 700) {  // the keyboard repeats the key every 33 ms
        up.spaceDown(true);
        host.advance(std::min<std::uint64_t>(33, 700 - host.nowMs()));
    }
    up.spaceUp();
    host.advance(500);
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{300, 500, 700, 700}));
    EXPECT_TRUE(parent.times(WM_BUTTON_RELEASED).empty());  // not for the keyboard
    EXPECT_EQ(up.currentTimer(), RepeatButton::TIMER_NONE);
}

TEST_F(RepeatButtonTest, ADoubleClickIsASecondPress) {
    RepeatButton play(host, host, 1009, "MDPLAY");  // no auto-repeat: a plain bitmap button
    play.setParent(parent.window);
    play.setReleaseNotification(true);             // only counts with auto-repeat
    play.mouseDown();
    play.mouseUp(true);
    play.doubleClick();
    play.mouseUp(true);
    host.advance(1000);
    EXPECT_EQ(parent.messages(), (std::vector<Msg>{WM_COMMAND, WM_COMMAND}));
    EXPECT_EQ(play.currentTimer(), RepeatButton::TIMER_NONE);

    // On an auto-repeat key the second press starts the first delay again.
    parent.got.clear();
    up.mouseDown();
    host.advance(200);
    up.mouseUp(true);
    host.advance(50);
    up.doubleClick();
    host.advance(300);
    up.mouseUp(true);
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{1200, 1550, 1550}));

    // The framework's own bitmap button (the panel's CLOSE, MIN, QUESTION) takes a double click
    // as one click.
    parent.got.clear();
    RepeatButton help(host, host, 1021, "QUESTION");
    help.setParent(parent.window);
    help.setDoubleClickPresses(false);
    help.mouseDown();
    help.mouseUp(true);
    help.doubleClick();
    EXPECT_FALSE(help.held());
    help.mouseUp(true);
    EXPECT_EQ(parent.messages(), (std::vector<Msg>{WM_COMMAND}));
}

TEST_F(RepeatButtonTest, CancellingAHeldButtonStopsItWithoutAClick) {
    int repaints = 0;
    up.onChanged = [&] { ++repaints; };
    up.mouseDown();
    host.advance(350);
    up.cancel();  // disabled while held
    up.mouseUp(true);
    host.advance(1000);
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{300}));
    EXPECT_EQ(repaints, 2);  // pressed, then up again

    // Held by the space bar and the mouse at once, the button runs its repeat timer and a new
    // first delay: cancelling stops both, or the stray repeat timer would fire into later presses.
    parent.got.clear();
    up.spaceDown(false);  // at 1350
    host.advance(350);
    up.mouseDown();
    up.cancel();
    EXPECT_FALSE(host.timerRunning(up.window(), RepeatButton::TIMER_FIRST));
    EXPECT_FALSE(host.timerRunning(up.window(), RepeatButton::TIMER_REPEAT));
    host.advance(1000);
    up.mouseDown();  // a short click later: one command, on the release
    host.advance(150);
    up.mouseUp(true);
    EXPECT_EQ(parent.times(WM_COMMAND), (std::vector<std::uint64_t>{1650, 2850}));
}

TEST(SkinButtonImagesTest, PickDownFocusUpAndDisabledByWhatTheSkinHas) {
    fake::RecordingCanvas canvas;
    test::addRotelaBitmaps(canvas);
    fake::FakeHost host;
    RepeatButton ok(host, host, 1025, "OK");  // OK has no disabled image
    ok.paint(canvas, false, false);
    ok.paint(canvas, true, true);  // no focus image exists
    ok.mouseDown();
    ok.paint(canvas, true, true);
    EXPECT_EQ(ok.size(canvas), (Size{61, 27}));

    RepeatButton access(host, host, 1002, "ACCESS");
    int repaints = 0;
    access.onChanged = [&] { ++repaints; };
    access.setAlternateImages(true);
    access.setAlternateImages(true);  // unchanged: nothing
    access.paint(canvas, false, true);
    access.paint(canvas, false, false);
    access.mouseDown();
    access.paint(canvas, false, true);
    EXPECT_EQ(repaints, 2);

    std::vector<std::string> drawn;
    for (const auto& op : canvas.opsOf(fake::CanvasOp::Kind::Bitmap)) {
        EXPECT_EQ(op.point, (Point{0, 0}));
        drawn.push_back(op.name);
    }
    EXPECT_EQ(drawn, (std::vector<std::string>{"OKU", "OKU", "OKD", "ACCESSRU", "ACCESSX", "ACCESSRD"}));

    auto none = [](std::string_view) { return false; };
    EXPECT_EQ(chooseButtonImage(buttonImages("GONE"), true, true, false, none), "");
}

class LatchButtonTest : public ::testing::Test {
protected:
    LatchButtonTest() {
        ff.setParent(parent.window);
        ff.onCapture = [&](bool on) { captures.push_back(on); };
    }
    fake::FakeHost host;
    Parent parent{host};
    LatchButton ff{host, kFF, "FF"};
    std::vector<bool> captures;
};

TEST_F(LatchButtonTest, APressLatchesAndLeavingUnlatchesOnce) {
    ff.mouseDown();
    EXPECT_TRUE(ff.latched());
    EXPECT_TRUE(ff.showsDown());
    ff.mouseUp(true);  // released over it: stays latched
    ff.mouseMove(true);
    EXPECT_TRUE(ff.latched());
    ff.mouseMove(false);
    ff.mouseMove(false);
    ff.mouseUp(false);
    EXPECT_FALSE(ff.latched());
    EXPECT_EQ(parent.messages(), (std::vector<Msg>{WM_BUTTON_LATCHED, WM_BUTTON_UNLATCHED}));
    EXPECT_EQ(parent.got[0].id, static_cast<WParam>(kFF));
    EXPECT_EQ(parent.got[0].from, static_cast<LParam>(ff.window()));
    EXPECT_EQ(captures, (std::vector<bool>{true, false}));
}

TEST_F(LatchButtonTest, ASecondPressOrTheSecondClickOfADoubleClickUnlatches) {
    ff.mouseDown();
    ff.mouseUp(true);
    ff.doubleClick();
    ff.mouseUp(true);
    EXPECT_FALSE(ff.latched());
    ff.click();  // a screen reader's press latches without taking the mouse
    ff.click();
    EXPECT_EQ(parent.messages(), (std::vector<Msg>{WM_BUTTON_LATCHED, WM_BUTTON_UNLATCHED,
                                                   WM_BUTTON_LATCHED, WM_BUTTON_UNLATCHED}));
    EXPECT_EQ(captures, (std::vector<bool>{true, false, false}));
}

TEST_F(LatchButtonTest, DisablingALatchedButtonUnlatchesIt) {
    ff.cancel();  // not latched: nothing
    ff.mouseDown();
    ff.cancel();
    EXPECT_FALSE(ff.latched());
    EXPECT_EQ(parent.messages(), (std::vector<Msg>{WM_BUTTON_LATCHED, WM_BUTTON_UNLATCHED}));
}

}  // namespace
}  // namespace tovik::ui
