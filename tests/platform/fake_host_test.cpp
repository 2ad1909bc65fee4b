#include "platform/fake/fake_host.h"

#include <gtest/gtest.h>

#include "tests/platform/recorder.h"

namespace tovik::fake {
namespace {

using test::Received;
using test::Recorder;

TEST(FakeHostMessages, PostIsFifoAndDeadHandlesSwallow) {
    FakeHost host;
    Recorder a, b;
    Handle ha = host.createWindow(a), hb = host.createWindow(b);
    host.post(ha, 0x700, 1, 2);
    host.post(hb, 0x701, 3, 4);
    host.post(ha, 0x702, 5, 6);
    EXPECT_TRUE(a.got.empty()) << "posting must not deliver synchronously";
    host.destroyWindow(hb);  // its queued message goes with it
    EXPECT_FALSE(host.post(hb, 0x703, 0, 0));
    host.runUntilIdle();
    EXPECT_EQ(a.got, (std::vector<Received>{{0x700, 1, 2}, {0x702, 5, 6}}));
    EXPECT_TRUE(b.got.empty());
    EXPECT_EQ(host.send(ha, 0x10, 0, 0), 0x11);
    EXPECT_EQ(host.send(hb, 0x10, 0, 0), 0);
}

TEST(FakeHostTimers, PeriodicRestartKillAndOrder) {
    FakeHost host;
    Recorder w;
    Handle h = host.createWindow(w);
    host.setTimer(h, 1, 100);
    host.setTimer(h, 2, 100);  // same due time, set later: fires after 1
    host.advance(250);
    EXPECT_EQ(w.timerIds(), (std::vector<unsigned>{1, 2, 1, 2}));

    w.got.clear();
    host.setTimer(h, 1, 1000);  // restart with a new period: the old schedule is gone
    host.advance(999);
    EXPECT_EQ(w.timerIds(), (std::vector<unsigned>{2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
    w.got.clear();
    host.advance(1);
    EXPECT_EQ(w.timerIds(), (std::vector<unsigned>{1}));
}

TEST(FakeHostTimers, KillInsideAnEarlierHandlerPreventsADueTick) {
    FakeHost host;
    Recorder w;
    Handle h = host.createWindow(w);
    host.setTimer(h, 1, 100);
    host.setTimer(h, 2, 100);
    w.onReceive = [&](const Received& r) {
        if (r.msg == WM_TIMER && r.wParam == 1) host.killTimer(h, 2);
    };
    host.advance(100);
    EXPECT_EQ(w.timerIds(), (std::vector<unsigned>{1}));
    host.destroyWindow(h);
    host.advance(1000);
    EXPECT_EQ(w.timerIds(), (std::vector<unsigned>{1}));
    host.refuseTimers(1);
    Handle h2 = host.createWindow(w);
    EXPECT_FALSE(host.setTimer(h2, 5, 10));
    EXPECT_TRUE(host.setTimer(h2, 5, 10));
}

TEST(FakeHostModal, LoopKeepsTimersAndMessagesFlowingUntilEnded) {
    FakeHost host;
    Recorder dialog;
    Handle hd = host.createWindow(dialog);
    host.setTimer(hd, 7, 1000);
    host.post(hd, 0x900, 0, 0);
    dialog.onReceive = [&](const Received& r) {
        if (r.msg == WM_TIMER && host.nowMs() >= 3000) host.endModal(hd, IDCANCEL);
    };
    EXPECT_EQ(host.runModal(hd), IDCANCEL);
    EXPECT_EQ(host.nowMs(), 3000u);
    EXPECT_EQ(dialog.got.front(), (Received{0x900, 0, 0}));
    EXPECT_EQ(dialog.timerIds().size(), 3u);

    host.endModal(hd, IDOK);  // ended before it ran: returns at once
    EXPECT_EQ(host.runModal(hd), IDOK);
}

TEST(FakeHostModal, ALoopThatCanNeverEndFailsInsteadOfHanging) {
    FakeHost host;
    Recorder dialog;
    Handle hd = host.createWindow(dialog);
    EXPECT_THROW(host.runModal(hd), FakeHostError);
    host.setTimer(hd, 1, 50000);  // ticks forever but nobody ends the loop
    EXPECT_THROW(host.runModal(hd), FakeHostError);
}

TEST(FakeHostBoxes, ScriptedAnswersAndTimeWhileOpen) {
    FakeHost host;
    Recorder w;
    Handle h = host.createWindow(w);
    host.setTimer(h, 1, 100);
    host.answerNextBox(IDRETRY, 250);
    EXPECT_EQ(host.messageBox("Timer resource is full.", Buttons::RetryCancel, Icon::Stop), IDRETRY);
    EXPECT_EQ(w.timerIds().size(), 2u) << "timers run while the box is open";
    EXPECT_EQ(host.messageBox("again", Buttons::RetryCancel, Icon::Stop), IDCANCEL);
    EXPECT_EQ(host.messageBox("fine", Buttons::Ok, Icon::Information), IDOK);
    ASSERT_EQ(host.shownBoxes.size(), 3u);
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    EXPECT_EQ(host.shownBoxes[0].atMs, 0u);
}

TEST(FakeHostRegistry, EntriesOfAnEndedProcessDisappear) {
    FakeHost host;
    FakeWindowRegistry& reg = host.fakeRegistry();
    int fronted = 0;
    reg.setProcess(10);
    reg.registerWindow("TRAYMOTEWClass", "TRAYMOTE", nullptr);
    reg.setProcess(11);
    auto id = reg.registerWindow("#32770", "TOVIK MD Controller", [&] { ++fronted; });
    auto found = reg.findWindow(std::nullopt, std::string("TOVIK MD Controller"));
    ASSERT_TRUE(found);
    EXPECT_TRUE(reg.bringToFront(*found));
    EXPECT_EQ(fronted, 1);
    EXPECT_FALSE(reg.findWindow(std::string("#32770"), std::string("other")));
    reg.setTitle(id, "other");
    EXPECT_TRUE(reg.findWindow(std::string("#32770"), std::string("other")));
    reg.endProcess(11);
    EXPECT_FALSE(reg.findWindow(std::string("#32770"), std::nullopt));
    EXPECT_TRUE(reg.findWindow(std::string("TRAYMOTEWClass"), std::nullopt));
}

TEST(FakeHostProfile, ValuesKeepTheirKinds) {
    FakeProfile p;
    p.setInt("Print", "H", -12);
    p.setString("Settings", "Name", "x");
    p.setBinary("DefaultFont", "Type_0", std::vector<std::uint8_t>(60, 7));
    EXPECT_EQ(p.getInt("Print", "H", 0), -12);
    EXPECT_EQ(p.getInt("Print", "V", 5), 5);
    EXPECT_EQ(p.getString("Settings", "Name", ""), "x");
    EXPECT_EQ(p.getBinary("DefaultFont", "Type_0")->size(), 60u);
    EXPECT_FALSE(p.getBinary("Print", "H"));
    p.failWrites = true;
    EXPECT_FALSE(p.setInt("Print", "H", 3));
    EXPECT_EQ(p.getInt("Print", "H", 0), -12);
}

}  // namespace
}  // namespace tovik::fake
