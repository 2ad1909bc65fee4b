// The classification against the worked cases and the table's rules; the table itself is data.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "controller/link/button_state.h"
#include "controller/link/md_commands.h"
#include "controller/link/state_table.h"
#include "controller/link/unit_messages.h"
#include "platform/strings.h"
#include "resources/strings.h"

namespace tovik::link {
namespace {

MdStatus status(std::uint8_t unitState, std::uint8_t mode, std::uint8_t disc = 1,
                std::uint32_t recordable = 1) {
    MdStatus s;
    s.unitState = unitState;
    s.mode = mode;
    s.discState = disc;
    s.recordable = recordable;
    return s;
}

int rowOf(const MdStatus& s) { return selectRow(*classifyStatus(s)).number; }

TEST(Classification, StoppedAndPausedOnARecordableDisc) {
    MdStatus stopped = status(0x10, 2);
    EXPECT_EQ(classifyStatus(stopped), 0x10404u);
    ButtonState b;
    EXPECT_EQ(b.apply(stopped), 13);
    for (PopupCommand c : {PopupCommand::EditTrack, PopupCommand::AllErase, PopupCommand::Erase,
                           PopupCommand::Move})
        EXPECT_TRUE(b.popupEnabled(c, stopped));
    EXPECT_FALSE(b.popupEnabled(PopupCommand::Divide, stopped));
    EXPECT_TRUE(b.trackNameEditable());
    EXPECT_TRUE(b.discNameEditable());

    EXPECT_FALSE(b.accessAltImage());
    EXPECT_TRUE(b.apply(status(0x20, 2)).has_value());
    EXPECT_TRUE(b.accessAltImage()) << "nibble 2 switches ACCESS to its second images";

    MdStatus paused = status(0x10, 4);
    EXPECT_EQ(classifyStatus(paused), 0x80404u);
    EXPECT_EQ(b.apply(paused), 15);
    EXPECT_TRUE(b.popupEnabled(PopupCommand::Divide, paused));
    EXPECT_FALSE(b.popupEnabled(PopupCommand::EditTrack, paused));
    EXPECT_TRUE(b.trackNameEditable());
    EXPECT_FALSE(b.discNameEditable());
}

TEST(Classification, ModesWithoutABitFallToTheFirstRowHoldingTheClass) {
    // nibble 1, pre-recorded disc, modes that add no bit: 0x204 first fits row 6.
    for (std::uint8_t mode : {3, 11, 12, 13, 14, 15, 20}) {
        EXPECT_EQ(classifyStatus(status(0x10, mode, 1, 0)), 0x204u) << int(mode);
        EXPECT_EQ(rowOf(status(0x10, mode, 1, 0)), 6) << int(mode);
    }
    // nibble 2 without a disc (0x102) is row 3 exactly, with its poll value 2.
    EXPECT_EQ(rowOf(status(0x20, 3, 0)), 3);
    EXPECT_EQ(selectRow(0x102).pollN(), 2u);
    // A recordable disc in the same mode-less case: first row holding 0x404 is row 13.
    EXPECT_EQ(rowOf(status(0x10, 3, 1, 1)), 13);
}

TEST(Classification, FirstMatchingRowWinsOverLaterOnes) {
    // Stopped, nibble 2, pre-recorded: rows 5 and 16 both hold 0x10202; row 5 is taken.
    EXPECT_EQ(rowOf(status(0x20, 2, 1, 0)), 5);
    // Playing nibble 1 on a recordable disc: rows 14 and 16 hold it; 14 is taken.
    EXPECT_EQ(rowOf(status(0x10, 5)), 14);
    EXPECT_EQ(rowOf(status(0x10, 5, 1, 0)), 7);
    EXPECT_EQ(rowOf(status(0x20, 9)), 12);
    EXPECT_EQ(rowOf(status(0x20, 16)), 11);
    EXPECT_EQ(rowOf(status(0x20, 7)), 10);
    EXPECT_EQ(rowOf(status(0x20, 8)), 10);
    EXPECT_EQ(rowOf(status(0x20, 2)), 9);
}

TEST(Classification, RowSixteenCatchesEveryOtherClass) {
    // A unit that is not accessible with a disc, a nibble-2 unit playing, a stopped unit with no
    // disc, mode 10 (a bit no other row has): none of these fits a row before the last.
    EXPECT_EQ(rowOf(status(0x30, 2)), 16);
    EXPECT_EQ(rowOf(status(0xF0, 5, 1, 0)), 16);
    EXPECT_EQ(rowOf(status(0x20, 5)), 16);
    EXPECT_EQ(rowOf(status(0x10, 2, 0)), 16);
    EXPECT_EQ(rowOf(status(0x10, 10)), 16);
    EXPECT_EQ(selectRow(0xFFFFFFFF).number, 16);
    EXPECT_EQ(selectRow(0x80000000).number, 16);
}

TEST(Classification, NoUnitModeSeventeenAndModeSix) {
    // Nibble 0 is its own class whatever the mode, mode 6 included.
    for (std::uint8_t mode : {2, 6, 17})
        EXPECT_EQ(classifyStatus(status(0x0F, mode)), 0x10000000u) << int(mode);
    EXPECT_EQ(rowOf(status(0x00, 5)), 0);
    // Mode 17 replaces every bit, disc or not, accessible or not.
    EXPECT_EQ(classifyStatus(status(0x10, 17, 0)), 0x200000u);
    EXPECT_EQ(classifyStatus(status(0x30, 17, 1, 0)), 0x200000u);
    EXPECT_EQ(rowOf(status(0x20, 17)), 2);
    // Mode 6 is not classified at all.
    EXPECT_FALSE(classifyStatus(status(0x10, 6)).has_value());
    EXPECT_FALSE(classifyStatus(status(0x30, 6)).has_value());
}

TEST(ButtonState, ModeSixLeavesTheRowButFollowsTheDisc) {
    ButtonState b;
    MdStatus playing = status(0x10, 5, 1, 0);  // playing a pre-recorded disc: row 7
    playing.currentTrack = 3;
    ASSERT_EQ(b.apply(playing), 7);
    EXPECT_TRUE(b.enabled(Column::FF));
    EXPECT_EQ(b.pollN(), 1u);
    EXPECT_TRUE(b.mdLogoEnabled());

    MdStatus levels = status(0x20, 6, 0, 0);
    levels.subState = 6;
    levels.currentTrack = 9;
    EXPECT_FALSE(b.apply(levels).has_value());
    EXPECT_EQ(b.row()->number, 7);
    EXPECT_TRUE(b.enabled(Column::FF));
    EXPECT_EQ(b.pollN(), 1u);
    EXPECT_FALSE(b.mdLogoEnabled()) << "the logo follows the disc even in mode 6";
    EXPECT_FALSE(b.accessAltImage()) << "nibble 2 in mode 6 does not switch ACCESS";
}

TEST(ButtonState, NothingEnabledBeforeTheFirstRowAndOnlyControlColumnsAreControls) {
    ButtonState b;
    EXPECT_FALSE(b.enabled(Column::POWER));
    EXPECT_FALSE(b.popupEnabled(PopupCommand::AllErase, status(0x10, 2)));
    EXPECT_EQ(b.pollN(), 0u);
    b.apply(status(0x10, 2));
    EXPECT_TRUE(b.enabled(Column::TOCEDIT));
    EXPECT_FALSE(b.enabled(Column::EditTrack)) << "popup columns are not controls";
    EXPECT_TRUE(b.enabled(Column::Volume));
}

TEST(ButtonState, PopupLockedBySubStateSixAndCombineNeedsAnEarlierTrack) {
    ButtonState b;
    MdStatus s = status(0x10, 4);  // row 15: every popup column but Edit Track
    s.currentTrack = 2;
    b.apply(s);
    EXPECT_TRUE(b.popupEnabled(PopupCommand::Combine, s));
    s.currentTrack = 1;
    EXPECT_FALSE(b.popupEnabled(PopupCommand::Combine, s));
    s.currentTrack = 0;
    EXPECT_FALSE(b.popupEnabled(PopupCommand::Combine, s));
    EXPECT_TRUE(b.popupEnabled(PopupCommand::Divide, s));

    s.currentTrack = 5;
    s.subState = 6;
    b.apply(s);
    EXPECT_TRUE(b.popupEnabled(PopupCommand::AllErase, s));
    for (PopupCommand c : {PopupCommand::Erase, PopupCommand::Move, PopupCommand::Divide,
                           PopupCommand::Combine})
        EXPECT_FALSE(b.popupEnabled(c, s));

    // A mode-6 status keeps the row, but the menu judges the track and the sub-state it shows:
    // COMBINE must not be offered on track 1 only because the last classified status was on 3.
    s.subState = 0;
    s.currentTrack = 3;
    ASSERT_EQ(b.apply(s), 15);
    MdStatus levels = s;
    levels.mode = 6;
    levels.currentTrack = 1;
    ASSERT_FALSE(b.apply(levels).has_value());
    EXPECT_FALSE(b.popupEnabled(PopupCommand::Combine, levels));
    levels.currentTrack = 3;
    levels.subState = 6;
    EXPECT_FALSE(b.popupEnabled(PopupCommand::Erase, levels));
    EXPECT_TRUE(b.popupEnabled(PopupCommand::AllErase, levels)) << "the row's column still rules";
}

TEST(UnitMessages, ErrorCodesAtTheirEdges) {
    EXPECT_EQ(errorMessageId(0x30), IDS_DISC_ERROR);
    EXPECT_EQ(errorMessageId(0x32), IDS_DISC_ERROR);
    EXPECT_EQ(errorMessageId(0x33), std::nullopt);
    EXPECT_EQ(errorMessageId(0xB0), IDS_TOC_FULL);
    EXPECT_EQ(errorMessageId(0xB1), IDS_DISC_FULL);
    EXPECT_EQ(errorMessageId(0xC3), std::nullopt);
    EXPECT_EQ(errorMessageId(0xC4), IDS_U_TOC_ERROR);
    EXPECT_EQ(errorMessageId(0xD0), IDS_U_TOC_ERROR);
    EXPECT_EQ(errorMessageId(0xFB), std::nullopt);
    EXPECT_EQ(errorMessageId(0xFC), IDS_UNKNOWN_DISC);
    EXPECT_EQ(errorMessageId(0xFD), IDS_TOC_ERROR);
    EXPECT_EQ(errorMessageId(0x00), std::nullopt);

    StringTable en(resources::rotelaStrings(), Language::English);
    EXPECT_EQ(en.text(*errorMessageId(0x70)), "Can't EDIT");
    EXPECT_EQ(en.text(*errorMessageId(0xFC)), "? DISC");
}

TEST(UnitMessages, PersistentMessagesOutrankTheErrorCode) {
    MdStatus s = status(0x10, 2);
    s.errorCode = 0x70;
    EXPECT_EQ(displayMessageId(s, false), IDS_CANT_EDIT);
    EXPECT_EQ(displayMessageId(s, true), IDS_CANT_ACCESS);
    s.discState = 0;
    EXPECT_EQ(displayMessageId(s, false), IDS_NO_DISC);
    s.unitState = 0x30;
    EXPECT_EQ(displayMessageId(s, false), IDS_NOT_ACCESS);
    s.unitState = 0x00;
    EXPECT_EQ(displayMessageId(s, false), std::nullopt) << "a dark display shows nothing";
    s.unitState = 0x10;
    s.mode = 17;
    EXPECT_EQ(displayMessageId(s, false), std::nullopt) << "hidden contents show nothing";
}

TEST(CommandTable, NamesCodesAndTooltipsAreConsistent) {
    const std::pair<const char*, int> names[] = {
        {"play", 17}, {"stop", 18}, {"next", 19}, {"prev", 20}, {"ff", 21}, {"rev", 22},
        {"search-stop", 38}, {"time", 23}, {"sync-rec", 24}, {"rec", 25}, {"rec-mode", 26},
        {"auto-mark", 27}, {"power", 31}, {"access", 32}, {"erase", 33}, {"erase-all", 34},
        {"move", 35}, {"combine", 36}, {"divide", 37}, {"goto", 39}};
    for (auto [name, code] : names) {
        const CommandInfo* c = findCommandByName(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->code, code) << name;
    }
    std::set<int> codes;
    for (const CommandInfo& c : commandTable()) {
        EXPECT_TRUE(codes.insert(c.code).second) << int(c.code);
        EXPECT_EQ(findCommand(c.code), &c);
    }
    EXPECT_EQ(findCommandByName("warp"), nullptr);
    EXPECT_EQ(commandForControl(IDC_UP)->code, MDCMD_NEXT);
    EXPECT_EQ(commandForControl(IDC_FF), nullptr) << "FF latches instead";
    EXPECT_EQ(latchCommand(IDC_FF, true), MDCMD_FF);
    EXPECT_EQ(latchCommand(IDC_REV, true), MDCMD_REV);
    EXPECT_EQ(latchCommand(IDC_REV, false), MDCMD_SEARCH_STOP);
    EXPECT_EQ(latchCommand(IDC_UP, true), std::nullopt);
}

}  // namespace
}  // namespace tovik::link
