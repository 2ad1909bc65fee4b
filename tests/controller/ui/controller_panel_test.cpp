// The panel's start-up, poll, status processing and shutdown on virtual time, against a scripted
// card whose status bytes each test chooses.
#include "controller/ui/controller_panel.h"

#include <gtest/gtest.h>

#include "controller/link/md_commands.h"
#include "controller/ui/controller_app.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/link/scripted_card.h"

namespace tovik::ui {
namespace {

using test::rawStatus;
using test::RawStatus;

// Raw status with the same meaning in both areas; levels (area B) and total tracks (area A).
struct Unit {
    std::uint8_t state = 0x10, op = 0x20, byte2 = 0, disc = 0x40, rec = 0x04, track = 1,
                 volume = 30, error = 0, total = 5, left = 0, right = 0;
};

constexpr std::uint8_t kStopped = 0x20, kPlaying = 0x50, kLevels = 0x60;

class PanelTest : public ::testing::Test {
protected:
    PanelTest() { panel.setHooks(&hooks); }

    void setUnit(const Unit& u) {
        card.statusA = rawStatus(u.state, u.op, u.byte2, u.disc, u.rec, u.track, u.volume, u.error,
                                 0, 0, 0, u.total);
        card.statusB = rawStatus(u.state, u.op, u.byte2, u.disc, u.rec, u.track, u.volume, u.error,
                                 0, 0, u.left, u.right);
    }
    // Start-up through the model answer; the poll is then running.
    void start(const Unit& u = {}) {
        setUnit(u);
        ASSERT_TRUE(panel.initialise());
        host.runUntilIdle();
    }
    // Intervals between successive status requests from index `from` on, and their kinds.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> polls(std::size_t from) const {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> out;
        std::uint64_t last = from ? card.requests[from - 1].atMs : 0;
        for (const test::Request* r : card.statusRequests(from)) {
            out.push_back({r->atMs - last, r->code});
            last = r->atMs;
        }
        return out;
    }
    const std::string& lastBox() const { return host.shownBoxes.back().text; }

    struct Hooks : PanelHooks {
        bool reading = false;
        int failed = 0;
        bool nameReadOutstanding() const override { return reading; }
        void statusFailed() override { ++failed; }
    } hooks;

    fake::FakeHost host{resources::rotelaStrings()};
    test::ScriptedCard card{host};
    ControllerPanel panel{host, card};
};

constexpr std::uint32_t S = card::MDIO_GET_STATUS, M = card::MDIO_GET_METER_STATUS;

TEST_F(PanelTest, StartUpFailuresShowTheirMessageAndEnd) {
    struct Case {
        const char* what;
        std::function<void(test::ScriptedCard&)> setup;
        const char* text;
    } cases[] = {
        {"no driver", [](auto& c) { c.present = false; }, "vtovikmd.vxd is not found."},
        {"card not ready", [](auto& c) { c.ready = false; },
         "PC Card removed.\nCan't execute MD controller."},
        {"no block", [](auto& c) { c.refused.insert(card::MDIO_ATTACH_BLOCK); },
         "vtovikmd.vxd is not found."},
        {"model refused", [](auto& c) { c.refused.insert(card::MDIO_GET_MODEL); },
         "PC Card removed!\nExit MD controller."},
    };
    for (const Case& c : cases) {
        fake::FakeHost h{resources::rotelaStrings()};
        test::ScriptedCard sc{h};
        c.setup(sc);
        ControllerPanel p{h, sc};
        EXPECT_EQ(p.run(), 0) << c.what;
        ASSERT_EQ(h.shownBoxes.size(), 1u) << c.what;
        EXPECT_EQ(h.shownBoxes[0].text, c.text) << c.what;
        EXPECT_EQ(h.shownBoxes[0].icon, Icon::Stop);
        EXPECT_TRUE(p.ended());
        EXPECT_EQ(sc.count(card::MDIO_GET_STATUS), 0) << c.what;
    }
}

TEST_F(PanelTest, WithoutAModelAnswerThePollNeverStarts) {
    card.silent = true;
    ASSERT_TRUE(panel.initialise());
    host.advance(60000);
    EXPECT_EQ(card.count(S) + card.count(M), 0);
    EXPECT_FALSE(host.timerRunning(panel.window(), TIMER_POLL));
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(PanelTest, AnyModelAnswerStartsTheIdlePoll) {
    card.model = "XY-99";
    start();
    EXPECT_EQ(host.timerPeriod(panel.window(), TIMER_POLL), 1000u);
    host.advance(1000);
    ASSERT_EQ(card.count(S), 1);
    // Stopped, nibble 1, recordable: row 13, N = 0: one status a second.
    EXPECT_EQ(panel.lastRow(), 13);
    host.advance(3000);
    EXPECT_EQ(polls(0), (decltype(polls(0)){{1000, S}, {1000, S}, {1000, S}, {1000, S}}));
}

TEST_F(PanelTest, PollCounterAlternatesStatusAndLevelsAndHalvesThePeriod) {
    start({.state = 0x20, .op = kStopped, .rec = 0});  // row 5, N = 2
    host.advance(1000);  // first status: row 5 now in force
    ASSERT_EQ(panel.lastRow(), 5);
    ASSERT_EQ(panel.pollValue(), 2u);
    const std::size_t from = card.requests.size();
    host.advance(1200);
    // Counter 0..3 levels at 200 ms, at 4 status; from 4 on the period is halved.
    EXPECT_EQ(polls(from), (decltype(polls(0)){{200, M}, {200, M}, {200, M}, {200, M},
                                               {100, S}, {100, M}, {200, M}}));
}

TEST_F(PanelTest, DiscWithoutTracksOrIdleRowPollsStatusOnly) {
    start({.state = 0x20, .op = kStopped, .rec = 0, .total = 0});
    host.advance(1000);
    ASSERT_EQ(panel.pollValue(), 2u);
    const std::size_t from = card.requests.size();
    host.advance(600);
    EXPECT_EQ(polls(from), (decltype(polls(0)){{200, S}, {200, S}, {200, S}}));
    EXPECT_EQ(panel.pollCounter(), 0);
}

TEST_F(PanelTest, ModeSixPollsLevelsEvery50msAndKeepsTheRow) {
    start({.op = kPlaying});  // row 14
    host.advance(1000);
    ASSERT_EQ(panel.lastRow(), 14);
    setUnit({.op = kLevels, .disc = 0, .left = 40, .right = 41});
    const std::size_t from = card.requests.size();
    host.advance(1000);  // the row-14 poll reaches a mode-6 status, then mode 6 takes over
    auto p = polls(from);
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(p.back(), (std::pair<std::uint64_t, std::uint32_t>{50, M}));
    EXPECT_EQ(panel.buttons().row()->number, 14) << "mode 6 leaves the row in force";
    EXPECT_FALSE(panel.lastRow());
    EXPECT_TRUE(panel.buttons().enabled(link::Column::FF));
    EXPECT_FALSE(panel.buttons().mdLogoEnabled()) << "the logo follows the disc";
    EXPECT_EQ(panel.leftLevel(), 40);
    EXPECT_EQ(panel.rightLevel(), 41);
}

TEST_F(PanelTest, LevelsOnlyWhileTheRowPollsAndSliderFollowsVolume) {
    start({.op = kPlaying, .volume = 12, .left = 20, .right = 22});  // row 14, N = 1
    host.advance(1000);  // status: no levels in area A
    host.advance(100);   // levels
    EXPECT_EQ(panel.leftLevel(), 20);
    EXPECT_EQ(panel.sliderPosition(), 18);
    setUnit({.op = kStopped, .volume = 30, .left = 20, .right = 22});  // row 13, N = 0
    host.advance(100);
    EXPECT_EQ(panel.leftLevel(), 0);
    EXPECT_EQ(panel.rightLevel(), 0);
    EXPECT_EQ(panel.sliderPosition(), 0);
}

TEST_F(PanelTest, NameReadOutstandingPollsAt200) {
    start();
    hooks.reading = true;
    host.advance(1000);
    EXPECT_EQ(host.timerPeriod(panel.window(), TIMER_POLL), 200u);
}

TEST_F(PanelTest, TrackStepReleaseAsksForStatus300msLater) {
    start({.op = kPlaying});
    host.advance(1000);
    ASSERT_EQ(panel.pollValue(), 1u);
    host.advance(30);  // part-way into a levels period
    const std::size_t from = card.requests.size();
    const std::uint64_t released = host.nowMs();
    host.post(panel.window(), WM_BUTTON_RELEASED, 1006, 0);  // not a track step
    host.post(panel.window(), WM_BUTTON_RELEASED, 1008, 0);
    host.runUntilIdle();
    EXPECT_TRUE(panel.trackStepRequested());
    host.advance(300);
    auto p = card.statusRequests(from);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0]->atMs - released, 300u);
    EXPECT_EQ(p[0]->code, S) << "the track step asks for a full status";
    EXPECT_FALSE(panel.trackStepRequested());
}

TEST_F(PanelTest, StatusTimeOutRestartsThePollAndSaysSo) {
    start();
    card.silent = true;
    host.advance(1000);
    ASSERT_TRUE(panel.statusOutstanding());
    EXPECT_FALSE(host.timerRunning(panel.window(), TIMER_POLL)) << "stopped while outstanding";
    host.advance(49999);
    EXPECT_TRUE(host.shownBoxes.empty());
    host.advance(1);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(lastBox(), "MD Communication error\n(Time out)");
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    card.silent = false;
    host.advance(1000);
    EXPECT_TRUE(panel.lastRow().has_value());
    EXPECT_FALSE(panel.ended());
}

TEST_F(PanelTest, RefusedPollRequestEndsTheController) {
    start();
    card.refused.insert(card::MDIO_GET_STATUS);
    host.advance(1000);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(lastBox(), "PC Card removed!\nExit MD controller.");
    EXPECT_TRUE(panel.ended());
    host.advance(5000);
    EXPECT_EQ(card.count(S), 1) << "nothing more once ended";
}

TEST_F(PanelTest, RefusedTimerOffersRetryThenCancelEnds) {
    setUnit({});
    ASSERT_TRUE(panel.initialise());
    host.refuseTimers(2);
    host.answerNextBox(IDRETRY);
    host.answerNextBox(IDRETRY);
    host.runUntilIdle();  // model answer: two refusals, two retries
    ASSERT_EQ(host.shownBoxes.size(), 2u);
    EXPECT_EQ(host.shownBoxes[0].text, "Timer resource is full.");
    EXPECT_EQ(host.shownBoxes[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    EXPECT_TRUE(host.timerRunning(panel.window(), TIMER_POLL));

    host.advance(1000);
    // The next tick's watchdog and the restart after its answer are refused; Cancel by default.
    host.refuseTimers(2);
    host.advance(1000);
    EXPECT_TRUE(panel.ended());
    EXPECT_EQ(panel.result(), 0);
}

TEST_F(PanelTest, PlayAndStopAskForStatusAtOnceOnlyWhenTheRowPolls) {
    start();  // row 13, N = 0
    host.advance(1000);
    std::size_t from = card.requests.size();
    setUnit({.op = kPlaying});
    panel.click(link::IDC_MDPLAY);
    ASSERT_EQ(card.requests.size(), from + 1);
    EXPECT_EQ(card.requests[from].code, card::MDIO_SEND_COMMAND);
    EXPECT_EQ(card.requests[from].in[4], 17);
    EXPECT_EQ(card.requests[from].in[8], 1) << "selector 1";
    host.runUntilIdle();  // the command's answer: row 14, N = 1
    ASSERT_EQ(panel.pollValue(), 1u);
    from = card.requests.size();
    panel.click(link::IDC_MDSTOP);
    ASSERT_EQ(card.requests.size(), from + 2);
    EXPECT_EQ(card.requests[from].in[4], 18);
    EXPECT_EQ(card.requests[from + 1].code, S);

    from = card.requests.size();
    panel.click(link::IDC_UP);
    panel.click(link::IDC_TIME);
    EXPECT_EQ(card.requests.size(), from + 2) << "other commands ask for nothing more";
    EXPECT_EQ(card.requests[from].in[4], 19);
    EXPECT_EQ(card.requests[from + 1].in[4], 23);
}

// The buttons report clicks and repeats as WM_COMMAND with their id; each deck key sends its
// command byte, the panel's own keys none.
TEST_F(PanelTest, EveryButtonsCommandReachesTheUnit) {
    start();
    const std::pair<int, int> keys[] = {
        {link::IDC_POWER, 31},   {link::IDC_ACCESS, 32}, {link::IDC_DOWN, 20},   {link::IDC_UP, 19},
        {link::IDC_MDPLAY, 17},  {link::IDC_MDSTOP, 18}, {link::IDC_REC, 25},    {link::IDC_SYNC_REC, 24},
        {link::IDC_TIME, 23},    {link::IDC_RECMODE, 26}, {link::IDC_AUTOMARK, 27},
    };
    for (auto [id, command] : keys) {
        const std::size_t from = card.requests.size();
        host.post(panel.window(), WM_COMMAND, static_cast<WParam>(id), 0);
        host.runUntilIdle();
        ASSERT_GT(card.requests.size(), from) << id;
        EXPECT_EQ(card.requests[from].code, card::MDIO_SEND_COMMAND) << id;
        EXPECT_EQ(card.requests[from].in[4], command) << id;
    }
    const std::size_t from = card.requests.size();
    for (int id : {int(IDC_MDLOGO), int(IDC_MIN), int(IDC_QUESTION), int(link::IDC_FF), int(IDC_EDIT_UP)}) {
        host.post(panel.window(), WM_COMMAND, static_cast<WParam>(id), 0);
    }
    host.runUntilIdle();
    for (std::size_t i = from; i < card.requests.size(); ++i)
        EXPECT_NE(card.requests[i].code, card::MDIO_SEND_COMMAND) << "no unit command from the panel's own keys";
    host.post(panel.window(), WM_COMMAND, link::IDC_CLOSE, 0);
    host.runUntilIdle();
    EXPECT_TRUE(panel.ended());
}

TEST_F(PanelTest, LatchButtonsSearchAndStop) {
    start();
    const std::size_t from = card.requests.size();
    host.post(panel.window(), WM_BUTTON_LATCHED, link::IDC_FF, 0);
    host.post(panel.window(), WM_BUTTON_UNLATCHED, link::IDC_FF, 0);
    host.post(panel.window(), WM_BUTTON_LATCHED, link::IDC_REV, 0);
    host.post(panel.window(), WM_BUTTON_LATCHED, link::IDC_UP, 0);
    host.runUntilIdle();
    std::vector<int> sent;
    for (std::size_t i = from; i < card.requests.size(); ++i)
        if (card.requests[i].code == card::MDIO_SEND_COMMAND) sent.push_back(card.requests[i].in[4]);
    EXPECT_EQ(sent, (std::vector<int>{21, 38, 22}));
}

TEST_F(PanelTest, FailedStatusKeepsTheRowAndClearsTheCache) {
    start();
    host.advance(1000);
    ASSERT_EQ(panel.lastRow(), 13);
    const link::MdStatus before = panel.status();
    card.result = 3;
    host.advance(1000);
    EXPECT_TRUE(panel.lastStatusFailed());
    EXPECT_EQ(hooks.failed, 1);
    EXPECT_EQ(panel.status(), before);
    EXPECT_EQ(panel.buttons().row()->number, 13);
    EXPECT_TRUE(host.timerRunning(panel.window(), TIMER_POLL)) << "polling goes on";
}

TEST_F(PanelTest, LabelEditorWindowDisablesThePanelUntilItGoes) {
    start();
    const auto id = host.fakeRegistry().registerWindow("Sleevon", "EditingLabel.slv - Sleevon", {});
    host.advance(1000);
    EXPECT_FALSE(panel.enabled());
    EXPECT_TRUE(host.timerRunning(panel.window(), TIMER_LABEL_EDITOR));
    host.advance(2000);
    EXPECT_FALSE(panel.enabled());
    host.fakeRegistry().unregisterWindow(id);
    host.advance(500);
    EXPECT_TRUE(panel.enabled());
    EXPECT_FALSE(host.timerRunning(panel.window(), TIMER_LABEL_EDITOR));
}

TEST_F(PanelTest, ShutdownStopsEverythingSendsCloseAndClosesTheLink) {
    start();
    host.advance(1000);
    const Handle hidden = panel.link().window();
    const std::size_t from = card.requests.size();
    panel.shutdown();
    for (unsigned id : {1u, 2u, 9u, 10u}) EXPECT_FALSE(host.timerRunning(panel.window(), id)) << id;
    ASSERT_EQ(card.requests.size(), from + 3);
    EXPECT_EQ(card.requests[from].code, card::MDIO_SEND_COMMAND);
    EXPECT_EQ(card.requests[from].in[4], 30);
    EXPECT_EQ(card.requests[from].in[8], 1);
    EXPECT_EQ(card.requests[from + 1].code, card::MDIO_DETACH_WINDOW);
    EXPECT_EQ(card.requests[from + 1].u32(0), hidden);
    EXPECT_EQ(card.requests[from + 2].code, card::MDIO_RELEASE_BLOCK);
    panel.shutdown();
    EXPECT_EQ(card.requests.size(), from + 3);
}

TEST_F(PanelTest, RunEndsOnCloseAndShutsDown) {
    setUnit({});
    host.at(5000, [&] { panel.click(link::IDC_CLOSE); });
    EXPECT_EQ(panel.run(), 0);
    EXPECT_EQ(host.nowMs(), 5000u);
    EXPECT_EQ(card.count(card::MDIO_RELEASE_BLOCK), 1);
    EXPECT_EQ(card.count(S), 4) << "polled once a second until closed";
}

TEST(ControllerApp, SecondStartBringsTheFirstPanelForward) {
    fake::FakeHost host{resources::rotelaStrings()};
    ControllerApp first(host);
    EXPECT_FALSE(first.bringRunningPanelToFront());
    int fronts = 0;
    first.registerPanel([&] { ++fronts; });
    host.fakeRegistry().setProcess(2);
    ControllerApp second(host);
    EXPECT_TRUE(second.bringRunningPanelToFront());
    EXPECT_EQ(host.fakeRegistry().frontRequests, 1);
    ASSERT_TRUE(host.fakeRegistry().findWindow(std::string("#32770"), "TOVIK MD Controller"));
}

}  // namespace
}  // namespace tovik::ui
