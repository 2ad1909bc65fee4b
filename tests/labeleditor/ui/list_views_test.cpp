// The title and track lists: columns and their kept widths, insert and delete in step with the
// document, in-place editing and its hints, focus, and which pop-up menu shows where.
#include "labeleditor/ui/list_views.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "resources/menus.h"
#include "tests/labeleditor/ui/ui_fakes.h"

namespace tovik::label {
namespace {

using test::FakeListControl;

class ListsTest : public testing::Test {
protected:
    ListsTest() {
        doc.OnNewDocument();
        doc.addObserver(hints);
    }
    void giveTracks(std::vector<std::string> print, std::vector<std::string> md) {
        doc.m_listPrintTrackName = std::move(print);
        doc.m_listMDTrackName = std::move(md);
        tracks.OnInitialUpdate();
        hints.take();
    }
    std::vector<std::string> printColumn() const {
        std::vector<std::string> out;
        for (const auto& row : trackControl.rows) out.push_back(row.print);
        return out;
    }
    std::vector<std::string> mdColumn() const {
        std::vector<std::string> out;
        for (const auto& row : trackControl.rows) out.push_back(row.md);
        return out;
    }

    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;
    CSleevonDoc doc{host, ui};
    test::HintRecorder hints;
    FakeListControl titleControl;
    FakeListControl trackControl;
    CTytleListView title{host, doc, titleControl};
    CTrackListView tracks{host, doc, trackControl};
};

TEST_F(ListsTest, ColumnsTakeTheStoredWidthOrHalfTheWindowOnce) {
    titleControl.width = 401;
    host.fakeProfile().setInt("SIZE", "TrackColumnWidth", 500);
    trackControl.width = 300;
    title.OnInitialUpdate();
    tracks.OnInitialUpdate();

    EXPECT_EQ(titleControl.headers, (std::vector<std::string>{"Print Title", "MD original title"}));
    EXPECT_EQ(titleControl.widths, (std::vector<int>{200, 201}));
    EXPECT_EQ(trackControl.headers, (std::vector<std::string>{"Print track name", "MD original track name"}));
    EXPECT_EQ(trackControl.widths, (std::vector<int>{500, -200})) << "column 1 gets W - w even below zero";

    // A later update rebuilds the rows but keeps the columns.
    title.OnInitialUpdate();
    EXPECT_EQ(titleControl.headers.size(), 2u);
    ASSERT_EQ(titleControl.rows.size(), 1u);

    trackControl.widths[0] = 123;
    tracks.OnDestroy();
    EXPECT_EQ(host.fakeProfile().getInt("SIZE", "TrackColumnWidth", 0), 123);
}

TEST_F(ListsTest, ANeverFilledListKeepsNoWidth) {
    tracks.OnDestroy();
    EXPECT_EQ(host.fakeProfile().find("SIZE", "TrackColumnWidth"), nullptr);
}

TEST_F(ListsTest, RowsComeFromTheDocumentAsUnicode) {
    doc.m_strPrintTitle = "Caf\xE9";  // Windows-1252
    doc.m_strMDTitle = "Cafe";
    giveTracks({"A", "B"}, {"a", "b", "c"});
    title.OnInitialUpdate();
    ASSERT_EQ(titleControl.rows.size(), 1u);
    EXPECT_EQ(titleControl.rows[0].print, "Caf\u00E9");
    EXPECT_EQ(titleControl.rows[0].md, "Cafe");
    EXPECT_EQ(printColumn(), (std::vector<std::string>{"A", "B"})) << "one row per print name";
    EXPECT_EQ(mdColumn(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ListsTest, InsertOpensTheEditorOnTheNewRowInBothListsAndTells) {
    giveTracks({}, {});
    tracks.onCommand(32816);  // Ins on an empty list
    EXPECT_EQ(trackControl.editing, 0);
    EXPECT_EQ(doc.m_listPrintTrackName, (std::vector<std::string>{""}));
    EXPECT_EQ(hints.take(), (std::vector<unsigned>{HINT_TRACKNAMES}));

    giveTracks({"0", "1", "2", "3", "4"}, {"m0", "m1", "m2", "m3", "m4"});
    trackControl.selected = 3;
    tracks.onCommand(32821);  // Shift+Ins: before row 3
    EXPECT_EQ(printColumn(), (std::vector<std::string>{"0", "1", "2", "", "3", "4"}));
    EXPECT_EQ(mdColumn(), (std::vector<std::string>{"m0", "m1", "m2", "", "m3", "m4"}));
    EXPECT_EQ(doc.m_listPrintTrackName, printColumn());
    EXPECT_EQ(doc.m_listMDTrackName, mdColumn());
    EXPECT_EQ(trackControl.editing, 3);

    trackControl.selected = 5;  // Ins with the last row selected appends
    tracks.onCommand(32816);
    EXPECT_EQ(trackControl.editing, 6);
    trackControl.selected.reset();  // Ins with no selection appends; Shift+Ins goes to the top
    tracks.onCommand(32816);
    EXPECT_EQ(trackControl.editing, 7);
    trackControl.selected.reset();
    tracks.onCommand(32821);
    EXPECT_EQ(trackControl.editing, 0);
    EXPECT_EQ(doc.m_listPrintTrackName.size(), 9u);
    EXPECT_EQ(doc.m_listMDTrackName.size(), 9u);
}

TEST_F(ListsTest, DeleteAsksWithThePrintNameAndRemovesBothNames) {
    giveTracks({"Intro", "Blue", "Outro"}, {"m0", "m1", "m2"});
    trackControl.selected = 1;
    host.answerNextBox(IDCANCEL);
    tracks.onCommand(32774);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "Delete track Blue name.?");
    EXPECT_EQ(host.shownBoxes[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Question);
    EXPECT_EQ(host.shownBoxes[0].defaultButton, DefaultButton::Second) << "Cancel is the default";
    EXPECT_EQ(doc.m_listPrintTrackName.size(), 3u);
    EXPECT_TRUE(hints.take().empty());

    host.answerNextBox(IDOK);
    tracks.onCommand(32774);
    EXPECT_EQ(doc.m_listPrintTrackName, (std::vector<std::string>{"Intro", "Outro"}));
    EXPECT_EQ(doc.m_listMDTrackName, (std::vector<std::string>{"m0", "m2"}));
    EXPECT_EQ(mdColumn(), (std::vector<std::string>{"m0", "m2"}));
    EXPECT_EQ(hints.take(), (std::vector<unsigned>{HINT_TRACKNAMES}));

    // Nothing selected: no question, nothing deleted.
    tracks.onCommand(32774);
    EXPECT_EQ(host.shownBoxes.size(), 2u);
}

TEST_F(ListsTest, EditingSendsAHintOnlyForAChangedText) {
    doc.m_strPrintTitle = "Blue Hour";
    title.OnInitialUpdate();
    title.onEndLabelEdit(0, std::string("Blue Hour"));
    EXPECT_TRUE(hints.take().empty()) << "same text, no hint";
    title.onEndLabelEdit(0, std::nullopt);
    EXPECT_TRUE(hints.take().empty()) << "cancelled";
    title.onEndLabelEdit(0, std::string("Blue Hour \u00BD"));
    EXPECT_EQ(hints.take(), (std::vector<unsigned>{HINT_PRINTTITLE}));
    EXPECT_EQ(doc.m_strPrintTitle, "Blue Hour \xBD");
    EXPECT_EQ(titleControl.rows[0].print, "Blue Hour \u00BD");

    giveTracks({"A", "B"}, {"a", "b"});
    tracks.onEndLabelEdit(1, std::string(""));
    EXPECT_EQ(doc.m_listPrintTrackName[1], "") << "an empty name is accepted";
    EXPECT_EQ(hints.take(), (std::vector<unsigned>{HINT_TRACKNAMES}));
    tracks.onEndLabelEdit(0, std::string("A"));
    EXPECT_TRUE(hints.take().empty());

    // Text the code page cannot hold never reaches the document.
    tracks.onEndLabelEdit(0, std::string("\u3042"));
    EXPECT_EQ(doc.m_listPrintTrackName[0], "A");
}

TEST_F(ListsTest, FocusSelectsTheFirstRowAndChoosesTheFontType) {
    giveTracks({"A", "B"}, {"a", "b"});
    tracks.onSetFocus();
    EXPECT_EQ(trackControl.selected, 0);
    EXPECT_EQ(trackControl.focused, 0);
    EXPECT_EQ(doc.m_nFontType, FONT_TRACK);
    EXPECT_EQ(hints.take(), (std::vector<unsigned>{HINT_FONTTYPE}));

    trackControl.selected = 1;
    tracks.onSetFocus();
    EXPECT_EQ(trackControl.selected, 1) << "a selection stays";

    title.OnInitialUpdate();
    title.onSetFocus();
    EXPECT_EQ(doc.m_nFontType, FONT_TITLE);
    doc.SetFontType(FONT_DISCTITLE);
    title.onItemStateChanged();
    EXPECT_EQ(doc.m_nFontType, FONT_TITLE);
}

TEST_F(ListsTest, EditStartsOnTheSelectedTrackOrTheFocusedTitle) {
    giveTracks({"A", "B"}, {"a", "b"});
    tracks.onDoubleClick();
    EXPECT_FALSE(trackControl.editing) << "nothing selected";
    trackControl.selected = 1;
    tracks.onDoubleClick();
    EXPECT_EQ(trackControl.editing, 1);

    title.OnInitialUpdate();
    title.onCommand(32775);
    EXPECT_FALSE(titleControl.editing) << "no row has the focus";
    titleControl.focused = 0;
    title.onCommand(32775);
    EXPECT_EQ(titleControl.editing, 0);
    EXPECT_FALSE(title.onCommand(32816)) << "the title list has no insert";
}

TEST_F(ListsTest, TheMenuFollowsTheSelectionAndShiftF10OpensItAtTheCorner) {
    giveTracks({}, {});
    tracks.onContextMenu({10, 20});
    giveTracks({"A", "B"}, {"a", "b"});
    tracks.onContextMenu({10, 20});
    trackControl.selected = 0;
    tracks.onContextMenu({10, 20});
    trackControl.selected = 1;
    tracks.onContextMenu({10, 20});
    title.onContextMenu({10, 20});
    ASSERT_EQ(trackControl.menus.size(), 4u);
    EXPECT_EQ(trackControl.menus[0].first, 154u);
    EXPECT_EQ(trackControl.menus[1].first, 154u);
    EXPECT_EQ(trackControl.menus[2].first, 153u);
    EXPECT_EQ(trackControl.menus[3].first, 104u);
    EXPECT_EQ(titleControl.menus.at(0).first, 105u);
    EXPECT_EQ(trackControl.menus[3].second, (ScreenPoint{10, 20}));

    EXPECT_FALSE(tracks.preTranslateKeyDown(resources::VK_F10, false));
    EXPECT_TRUE(tracks.preTranslateKeyDown(resources::VK_F10, true));
    EXPECT_EQ(trackControl.menus.back().second, (ScreenPoint{305, 205}));

    // The chosen command goes through the view, then the document.
    trackControl.selected = 0;
    trackControl.menuAnswer = 32821;
    tracks.onContextMenu({0, 0});
    EXPECT_EQ(trackControl.editing, 0);
    EXPECT_EQ(doc.m_listPrintTrackName.size(), 3u);
    ui.nextFont = doc.m_arrFont[FONT_TRACK];
    ui.nextFont->weight = 700;
    trackControl.menuAnswer = 32772;
    tracks.onContextMenu({0, 0});
    EXPECT_EQ(doc.m_arrFont[FONT_TRACK].weight, 700);
}

}  // namespace
}  // namespace tovik::label
