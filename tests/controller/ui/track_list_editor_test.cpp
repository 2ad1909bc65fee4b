// The track list editor against the simulated unit on virtual time, opened the way a person
// opens it ("Edit Track..." in the TOCEDIT popup, after the full read cycle): moving with the
// mark, deleting, renaming, and every way the unit, the disc or the card can let it down.
#include <gtest/gtest.h>

#include "tests/controller/ui/editing_fixture.h"

namespace tovik::ui {
namespace {

using disc::TrackListEditor;

class TrackListEditorTest : public test::EditingFixture {
protected:
    using EditingFixture::EditingFixture;
    std::vector<std::string> unitNames() {
        std::vector<std::string> names;
        for (const auto& t : driver.unit().disc()->tracks) names.push_back(t.name);
        return names;
    }
};

const char* const kFiveTracks = R"({"title": "Five", "recordable": true, "tracks": [
    {"name": "One", "length": "3:00"}, {"name": "Two", "length": "3:00"},
    {"name": "Three", "length": "3:00"}, {"name": "Four", "length": "3:00"},
    {"name": "Five", "length": "3:00"}]})";

TEST_F(TrackListEditorTest, MovesATrackToTheEndAndAnotherBeforeAnEarlierOne) {
    start(kFiveTracks);
    std::vector<int> tops;
    openEditor([&](TrackListEditor& e) {
        // Track 2 to the end: the held MOVEDOWN key walks the mark down every 50 ms after the
        // first 300, and its release is one more step, onto the end row.
        host.at(100, [&] {
            e.rowSelected(1);
            editorView.buttons.at(disc::IDC_MOVEDOWN)->mouseDown();
        });
        host.at(560, [&] {  // held 460 ms: repeats at 300, 350 and 400
            editorView.buttons.at(disc::IDC_MOVEDOWN)->mouseUp(true);
            EXPECT_EQ(e.mark(), 5);
            EXPECT_EQ(editorView.top, 2) << "the mark stays in view as the last visible row";
            e.command(disc::IDC_MOVE);
        });
        // Track 4 (now "Five" on row 3) before track 2.
        host.at(3000, [&] {
            e.rowSelected(3);
            e.command(disc::IDC_MOVEUP);
            e.command(disc::IDC_MOVEUP);
            EXPECT_EQ(e.mark(), 1);
            EXPECT_EQ(editorView.top, 0) << "the row above the mark shows too";
            e.command(disc::IDC_MOVE);
        });
        host.at(6000, [&] { e.command(disc::IDC_EDITOR_EXIT); });
    });

    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Track Move\n2 -> 5", "Track Move\n4 -> 2"}));
    EXPECT_EQ(unitNames(), (std::vector<std::string>{"One", "Five", "Three", "Four", "Two"}));
    EXPECT_EQ(editorView.rows, (std::vector<std::string>{"One", "Five", "Three", "Four", "Two", "^^"}));
    EXPECT_EQ(editorView.selection, 1) << "the moved row stays selected";
    EXPECT_EQ(editorView.mark, -1);
    EXPECT_FALSE(waitView.shown);
    EXPECT_EQ(waitView.shows, 2);
    // Closing drops the cache; the link is the panel's again and the names are read anew.
    EXPECT_EQ(panel.link().owner(), panel.window());
    host.advance(3000);
    EXPECT_TRUE(hooks.model().discNameKnown);
    EXPECT_FALSE(panel.ended());
}

TEST_F(TrackListEditorTest, DeleteSelectsTheNextRowAndMoveNeedsAMarkElsewhere) {
    start(kFiveTracks);
    openEditor([&](TrackListEditor& e) {
        host.at(100, [&] {
            EXPECT_EQ(e.selection(), 0) << "row 0 starts selected";
            e.rowSelected(4);  // the last track
            EXPECT_FALSE(e.enabled(disc::IDC_MOVE)) << "no mark: the selection is the mark";
            e.command(disc::IDC_MOVEDOWN);
            EXPECT_EQ(e.mark(), 5);
            EXPECT_FALSE(e.enabled(disc::IDC_MOVE)) << "the row after the selection";
            EXPECT_FALSE(e.enabled(disc::IDC_MOVEDOWN));
            e.command(disc::IDC_MOVEUP);
            e.command(disc::IDC_MOVEUP);
            EXPECT_TRUE(e.enabled(disc::IDC_MOVE));
            e.command(disc::IDC_DEL);
            EXPECT_EQ(e.mark(), -1) << "DEL clears the mark";
        });
        host.at(2500, [&] {
            EXPECT_EQ(e.selection(), 3) << "the new last track";
            e.rowSelected(1);
            e.command(disc::IDC_DEL);  // a row in the middle: the next one takes its place
        });
        host.at(5000, [&] {
            EXPECT_EQ(e.selection(), 1);
            EXPECT_EQ(editorView.rows[1], "Three");
            e.rowSelected(3);  // the end row: nothing can be done to it
            for (int id : {disc::IDC_DEL, disc::IDC_CHANGE_TRACK, disc::IDC_MOVE, disc::IDC_MOVEUP})
                EXPECT_FALSE(e.enabled(id)) << id;
            e.command(disc::IDC_DEL);
            e.rowDoubleClicked(3);
            e.command(disc::IDC_EDITOR_EXIT);
        });
    });
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Delete Track 5", "Delete Track 2"}));
    EXPECT_EQ(unitNames(), (std::vector<std::string>{"One", "Three", "Four"}));
    EXPECT_EQ(nameView.shows, 0);
}

TEST_F(TrackListEditorTest, AnEditTheUnitRefusesLeavesTheListAsItWas) {
    start(R"({"title": "Live", "recordable": true, "tracks": [
        {"name": "A", "length": 60}, {"name": "B", "length": 60}]})");
    openEditor([&](TrackListEditor& e) {
        host.at(100, [&] {
            driver.unit().command(link::MDCMD_PLAY, 0, 0);  // another program: no erasing now
            e.command(disc::IDC_DEL);
        });
        host.at(2000, [&] { e.command(disc::IDC_EDITOR_EXIT); });
    });
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Delete Track 1", "Can't edit MD data."}));
    EXPECT_EQ(editorView.rows, (std::vector<std::string>{"A", "B", "^^"}));
    EXPECT_FALSE(waitView.shown);
}

class JapaneseTrackListEditor : public TrackListEditorTest {
protected:
    JapaneseTrackListEditor() : TrackListEditorTest(Language::Japanese) {}
};

TEST_F(JapaneseTrackListEditor, RenamesATrackAndTheDisc) {
    start(R"({"title": "^SAKURA^", "recordable": true, "tracks": [
        {"name": "^HARU^", "length": 60}, {"name": "^NATU^", "length": 60}]})");
    openEditor([&](TrackListEditor& e) {
        host.at(100, [&] {
            nameView.onShow = [&] { typeName("あきかぜ"); };  // the input method's hiragana
            e.rowDoubleClicked(1);
            EXPECT_EQ(nameView.caption, "トラック名の編集");
            nameView.onShow = [&] { typeName("ユキ"); };
            e.command(disc::IDC_CHANGE_DISC);
        });
        host.at(3000, [&] { e.command(disc::IDC_EDITOR_EXIT); });
    });
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(editorView.rows[1], "ｱｷｶｾﾞ") << "the row shows the name as the unit keeps it";
    EXPECT_EQ(editorView.discName, "ﾕｷ");
    EXPECT_EQ(unitNames()[1], "^AKIKAZE^");
    EXPECT_EQ(driver.unit().disc()->title, "^YUKI^");
}

TEST_F(TrackListEditorTest, RemovingTheDiscWhileTheWaitBoxShowsEndsTheEditorOnce) {
    start(kFiveTracks);
    openEditor([&](TrackListEditor& e) {
        host.at(100, [&] {
            // The unit erases but its answer never comes; the disc goes half a second later.
            driver.injectFault({card::FaultRule::Action::Drop, 1, 0, card::AnswerKind::Status});
            host.at(500, [&] { driver.ejectDisc(); });
            host.answerNextBox(IDOK);            // Delete Track 1
            host.answerNextBox(IDOK, 3000);      // MD removed!, while the level poll goes on
            e.command(disc::IDC_DEL);
            EXPECT_FALSE(waitView.shown);
        });
    });
    EXPECT_EQ(editing.lastEditorResult(), 0);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Delete Track 1", "MD removed!\nCan't continue editing."}));
    EXPECT_FALSE(editorView.shown);
    EXPECT_FALSE(panel.ended());
}

TEST_F(TrackListEditorTest, TheCardGoingWhileABoxIsOpenIsToldWhenItClosesAndEndsTheController) {
    start(kFiveTracks);
    std::uint64_t boxClosed = 0;
    openEditor([&](TrackListEditor& e) {
        host.at(100, [&] {
            host.at(1000, [&] { driver.removeCard(); });
            host.answerNextBox(IDCANCEL, 4000);  // the person reads "Delete Track 1" slowly
            boxClosed = host.nowMs() + 4000;
            e.command(disc::IDC_DEL);
            EXPECT_TRUE(e.cardFailed());
        });
    });
    ASSERT_EQ(boxTexts(), (std::vector<std::string>{"Delete Track 1", "PC Card removed!\nExit MD controller."}));
    EXPECT_GE(host.shownBoxes[1].atMs, boxClosed);
    EXPECT_EQ(editing.lastEditorResult(), disc::kEditorCardGone);
    EXPECT_TRUE(panel.ended());
}

TEST_F(TrackListEditorTest, TheCardGoingWithNothingOpenIsToldAtTheNextLevelPoll) {
    start(kFiveTracks);
    openEditor([&](TrackListEditor&) { host.at(1500, [&] { driver.removeCard(); }); });
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"PC Card removed!\nExit MD controller."}));
    EXPECT_LE(host.shownBoxes[0].atMs - editorOpenedAt, 2600u);
    EXPECT_EQ(editing.lastEditorResult(), disc::kEditorCardGone);
    EXPECT_TRUE(panel.ended());
}

TEST_F(TrackListEditorTest, UnansweredRequestsTimeOut) {
    start(kFiveTracks);
    std::uint64_t renamedAt = 0, deletedAt = 0;
    openEditor([&](TrackListEditor& e) {
        host.at(100, [&] {
            driver.injectFault({card::FaultRule::Action::Drop, 1, 0, card::AnswerKind::Write});
            nameView.onShow = [&] { typeName("Uno"); };
            renamedAt = host.nowMs();
            e.command(disc::IDC_CHANGE_TRACK);  // the write is never answered: timer 4
            driver.injectFault({card::FaultRule::Action::Drop, 1, 0, card::AnswerKind::Status});
            deletedAt = host.nowMs();
            e.command(disc::IDC_DEL);  // the erase is never answered: timer 3
            e.command(disc::IDC_EDITOR_EXIT);
        });
    });
    ASSERT_EQ(boxTexts(), (std::vector<std::string>{"MD Communication error\n(Time out)", "Delete Track 1",
                                                    "MD Communication error\n(Time out)"}));
    EXPECT_EQ(host.shownBoxes[0].atMs - renamedAt, disc::kEditorTimeoutMs);
    EXPECT_EQ(host.shownBoxes[2].atMs - deletedAt, disc::kEditorTimeoutMs);
    EXPECT_EQ(editorView.rows.front(), "One") << "nothing changed in the list";
    EXPECT_FALSE(waitView.shown);
}

}  // namespace
}  // namespace tovik::ui
