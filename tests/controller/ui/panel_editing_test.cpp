// Editing from the main panel against the simulated unit on virtual time: the name changes that
// start from the display, the TOCEDIT popup's enabling, and confirmation mode with its OK,
// CANCEL, UP and DOWN, including OK after the deck has moved to another track.
#include <gtest/gtest.h>

#include "controller/disc/name_change.h"
#include "tests/controller/ui/editing_fixture.h"

namespace tovik::ui {
namespace {

using namespace tovik::link;

const char* const kFiveTracks = R"({"title": "Five", "recordable": true, "tracks": [
    {"name": "One", "length": "3:00"}, {"name": "Two", "length": "3:00"},
    {"name": "Three", "length": "3:00"}, {"name": "Four", "length": "3:00"},
    {"name": "Five", "length": "3:00"}]})";

class PanelEditingTest : public test::EditingFixture {
protected:
    void stepTo(int track) {
        while (panel.status().currentTrack < track) {
            panel.click(IDC_UP);
            host.advance(1500);
        }
        ASSERT_EQ(panel.status().currentTrack, track);
    }
    // The popup as the panel's state enables it now, answered with `choice`.
    void popup(unsigned choice = 0) {
        view.popupChoice = choice;
        panel.click(IDC_TOCEDIT);
    }
    std::vector<std::string> unitNames() {
        std::vector<std::string> names;
        for (const auto& t : driver.unit().disc()->tracks) names.push_back(t.name);
        return names;
    }
    void doubleClickName(Msg msg) {
        host.post(panel.window(), msg, 0, 0);
        host.runUntilIdle();
    }
};

// --- name changes from the display ---

TEST_F(PanelEditingTest, ATrackNameChangedFromTheDisplayIsReadBackFromTheDisc) {
    start(kFiveTracks);
    ASSERT_EQ(hooks.shownTrackName(), "One");
    nameView.onShow = [&] { typeName("Uno"); };
    doubleClickName(disc::WM_EDIT_TRACK_NAME);

    EXPECT_EQ(nameView.caption, "Track name Edit");
    EXPECT_EQ(nameView.field, "Uno");
    EXPECT_EQ(waitView.shows, 1);
    EXPECT_EQ(waitView.text, "Changing MD text now.");
    EXPECT_FALSE(waitView.shown);
    EXPECT_FALSE(host.timerRunning(panel.window(), disc::TIMER_NAME_WRITE_TIMEOUT));
    EXPECT_EQ(unitNames()[0], "Uno");
    // The name was forgotten, so the next status reads it again.
    host.advance(2000);
    EXPECT_EQ(hooks.shownTrackName(), "Uno");
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(PanelEditingTest, ADiscNameWriteThatNeverAnswersTimesOutAfterFiftySeconds) {
    start(kFiveTracks);
    driver.injectFault({card::FaultRule::Action::Drop, 1, 0, card::AnswerKind::Write});
    nameView.onShow = [&] { typeName("Cinq"); };
    const std::uint64_t asked = host.nowMs();
    doubleClickName(disc::WM_EDIT_DISC_NAME);

    EXPECT_EQ(nameView.caption, "Disc name Edit");
    ASSERT_EQ(boxTexts(), (std::vector<std::string>{"MD Communication error\n(Time out)"}));
    EXPECT_EQ(host.shownBoxes[0].atMs - asked, disc::kNameWriteTimeoutMs);
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    EXPECT_FALSE(waitView.shown);
    EXPECT_FALSE(editing.nameChange().writePending());
}

TEST_F(PanelEditingTest, RefusedWritesAndEditsTheStateDoesNotAllow) {
    start(kFiveTracks);
    driver.injectFault({card::FaultRule::Action::Fail, 1, 0, card::AnswerKind::Write});
    nameView.onShow = [&] { typeName("Uno"); };
    doubleClickName(disc::WM_EDIT_TRACK_NAME);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Can't change MD text data."}));
    EXPECT_FALSE(waitView.shown);

    // Playing: the state row allows no name edits at all.
    panel.click(IDC_MDPLAY);
    host.advance(1500);
    const int shows = nameView.shows;
    doubleClickName(disc::WM_EDIT_TRACK_NAME);
    doubleClickName(disc::WM_EDIT_DISC_NAME);
    EXPECT_EQ(nameView.shows, shows);
}

// --- the popup ---

TEST_F(PanelEditingTest, ThePopupFollowsTheStateInForce) {
    start(kFiveTracks);
    popup();
    ASSERT_EQ(view.anchors.back(), IDC_TOCEDIT);
    std::vector<std::string> texts;
    for (const auto& item : view.popups.back()) texts.push_back(item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"ERASE", "ALL ERASE", "MOVE", "COMBINE", "DIVIDE",
                                               "Edit Track..."}));
    // Stopped on track 1 (row 13): no DIVIDE, and no track before this one to combine with.
    EXPECT_TRUE(view.enabledItem(ID_ERASE));
    EXPECT_FALSE(view.enabledItem(ID_DIVIDE));
    EXPECT_FALSE(view.enabledItem(ID_COMBINE));
    EXPECT_TRUE(view.enabledItem(ID_EDIT_TRACK));

    stepTo(3);
    popup();
    EXPECT_TRUE(view.enabledItem(ID_COMBINE));

    // Sub-state 6 (total tracks shown) locks the commands that act on the current track.
    for (int i = 0; i < 3; ++i) {
        panel.click(IDC_TIME);
        host.advance(1500);
    }
    ASSERT_EQ(panel.status().subState, 6);
    popup(ID_ERASE);
    for (unsigned id : {ID_ERASE, ID_MOVE, ID_DIVIDE, ID_COMBINE})
        EXPECT_FALSE(view.enabledItem(id)) << id;
    EXPECT_TRUE(view.enabledItem(ID_ALL_ERASE));
    EXPECT_FALSE(editing.confirming()) << "a disabled item is not carried out";
}

// --- confirmation mode ---

TEST_F(PanelEditingTest, CombineAsksForThePairBeforeTheCurrentTrackAndEnterSendsIt) {
    start(kFiveTracks);
    stepTo(3);
    popup(ID_COMBINE);
    ASSERT_TRUE(editing.confirming());
    EXPECT_EQ(view.messageLine(), "COMBINE 2+3 OK?");
    for (int id : {IDC_UP, IDC_DOWN, IDC_MDPLAY, IDC_MDSTOP, IDC_FF, IDC_REV, IDC_REC, IDC_TIME,
                   IDC_RECMODE, IDC_AUTOMARK, IDC_SYNC_REC, IDC_TOCEDIT, IDC_SLEEVON})
        EXPECT_FALSE(view.isShown(id)) << id;
    EXPECT_TRUE(view.isShown(IDC_OK));
    EXPECT_TRUE(view.isShown(IDC_CANCEL));
    EXPECT_FALSE(view.isShown(IDC_EDIT_UP)) << "UP and DOWN are MOVE's";

    // The poll goes on meanwhile, and the hidden buttons stay hidden.
    host.advance(3000);
    EXPECT_FALSE(view.isShown(IDC_MDPLAY));
    EXPECT_TRUE(panel.keyDown(PanelKey::Enter, false));
    host.advance(100);
    EXPECT_EQ(unitNames(), (std::vector<std::string>{"One", "Two", "Four", "Five"}));
    EXPECT_FALSE(editing.confirming());
    EXPECT_EQ(view.messageLine(), "");
    EXPECT_TRUE(view.isShown(IDC_MDPLAY));
    EXPECT_FALSE(view.isShown(IDC_OK));
    EXPECT_TRUE(host.shownBoxes.empty());
    // The track names were dropped with the count, and come back with the next statuses.
    host.advance(5000);
    EXPECT_EQ(hooks.model().trackCount, 4);
    EXPECT_EQ(hooks.model().discName, "Five") << "only ALL ERASE forgets the disc name";
}

TEST_F(PanelEditingTest, MoveTargetStaysOnTheDiscAndCancelSendsNothing) {
    start(kFiveTracks);
    stepTo(2);
    popup(ID_MOVE);
    EXPECT_EQ(view.messageLine(), "MOVE 2 => 1 OK ?");
    EXPECT_TRUE(view.isShown(IDC_EDIT_UP));
    EXPECT_TRUE(view.isShown(IDC_EDIT_DOWN));
    for (int i = 0; i < 9; ++i) panel.click(IDC_EDIT_UP);
    EXPECT_EQ(editing.moveTarget(), 5);
    EXPECT_EQ(view.messageLine(), "MOVE 2 => 5 OK ?");
    for (int i = 0; i < 9; ++i) panel.click(IDC_EDIT_DOWN);
    EXPECT_EQ(editing.moveTarget(), 1);
    panel.click(IDC_EDIT_UP);
    EXPECT_TRUE(panel.keyDown(PanelKey::Escape, false));
    host.advance(2000);
    EXPECT_FALSE(editing.confirming());
    EXPECT_FALSE(view.isShown(IDC_EDIT_UP));
    EXPECT_EQ(unitNames()[1], "Two");

    popup(ID_MOVE);
    EXPECT_EQ(editing.moveTarget(), 1) << "every MOVE starts at track 1";
    for (int i = 0; i < 2; ++i) panel.click(IDC_EDIT_UP);
    panel.click(IDC_OK);
    host.advance(2000);
    EXPECT_EQ(unitNames(), (std::vector<std::string>{"One", "Three", "Two", "Four", "Five"}));
}

TEST_F(PanelEditingTest, OkActsOnlyOnTheTrackTheQuestionNamed) {
    start(kFiveTracks);
    stepTo(2);
    popup(ID_ERASE);
    EXPECT_EQ(view.messageLine(), "2 ERASE OK ?");
    // Another program steps the deck on while the question shows; the poll sees it.
    driver.unit().command(MDCMD_NEXT, 0, 0);
    host.advance(3000);
    ASSERT_EQ(panel.status().currentTrack, 3);
    panel.click(IDC_OK);
    host.advance(2000);
    EXPECT_EQ(unitNames().size(), 5u) << "no track was erased";
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0], "The deck moved from track 2 to track 3 after the question.\n"
                             "Nothing was changed. Choose the command again.");
    EXPECT_FALSE(editing.confirming());
    EXPECT_TRUE(view.isShown(IDC_TOCEDIT));

    // Asked again on the track the deck is on, OK erases that one.
    popup(ID_ERASE);
    EXPECT_EQ(view.messageLine(), "3 ERASE OK ?");
    panel.click(IDC_OK);
    host.advance(2000);
    EXPECT_EQ(unitNames(), (std::vector<std::string>{"One", "Two", "Four", "Five"}));
}

TEST_F(PanelEditingTest, AllEraseForgetsTheDiscNameToo) {
    start(kFiveTracks);
    popup(ID_ALL_ERASE);
    EXPECT_EQ(view.messageLine(), "ALL ERASE OK ?");
    panel.click(IDC_OK);
    EXPECT_FALSE(hooks.model().discNameKnown);
    EXPECT_EQ(hooks.shownDiscName(), "");
    host.advance(3000);
    EXPECT_TRUE(unitNames().empty());
    EXPECT_EQ(hooks.shownDiscName(), "NO NAME");
    panel.click(IDC_OK);  // nothing pending: nothing happens
    EXPECT_FALSE(editing.confirming());
}

}  // namespace
}  // namespace tovik::ui
