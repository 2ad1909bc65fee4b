#include <gtest/gtest.h>

#include "controller/link/md_mode.h"
#include "controller/link/md_status.h"

namespace tovik::link {
namespace {

TEST(StatusDecoding, EveryFieldOfAreaA) {
    const std::uint8_t raw[13] = {0x12, 0x50, 0x36, 0x83, 0x04, 0xEE, 7, 21, 0x70, 12, 34, 9, 15};
    MdStatus s;
    s.leftLevel = 77;
    s.rightLevel = 88;
    decodeStatus(raw, StatusArea::A, s);
    EXPECT_EQ(s.unitState, 0x12);
    EXPECT_EQ(s.mode, 5);
    EXPECT_EQ(s.subState, 6);
    EXPECT_EQ(s.flagA, 1u);
    EXPECT_EQ(s.flagB, 0u) << "bit 5 set means mono/long-play";
    EXPECT_EQ(s.lowBits, 3);
    EXPECT_EQ(s.discState, 2);
    EXPECT_EQ(s.recordable, 1u);
    EXPECT_EQ(s.currentTrack, 7);
    EXPECT_EQ(s.volume, 21);
    EXPECT_EQ(s.errorCode, 0x70);
    EXPECT_EQ(s.minutes, 12);
    EXPECT_EQ(s.seconds, 34);
    EXPECT_EQ(s.spare, 9);
    EXPECT_EQ(s.totalTracks, 15);
    EXPECT_EQ(s.leftLevel, 77) << "area A carries no levels";
    EXPECT_EQ(s.rightLevel, 88);
}

TEST(StatusDecoding, AreaBKeepsSpareAndTrackCount) {
    const std::uint8_t raw[13] = {0x10, 0x60, 0x08, 0x00, 0x00, 0, 3, 30, 0, 1, 2, 40, 41};
    MdStatus s;
    s.spare = 9;
    s.totalTracks = 15;
    decodeStatus(raw, StatusArea::B, s);
    EXPECT_EQ(s.leftLevel, 40);
    EXPECT_EQ(s.rightLevel, 41);
    EXPECT_EQ(s.totalTracks, 15);
    EXPECT_EQ(s.spare, 9);
    EXPECT_EQ(s.subState, 0) << "only bits 0-2 are the sub-state";
    EXPECT_EQ(s.flagA, 0u);
    EXPECT_EQ(s.flagB, 1u);
    EXPECT_EQ(s.discState, 0);
    EXPECT_EQ(s.recordable, 0u);
    EXPECT_TRUE(s.noDisc());
}

TEST(ModeDecoding, SpecialCodesWinOverTheirNibble) {
    EXPECT_EQ(decodeMode(0x76), 7);
    EXPECT_EQ(decodeMode(0x96), 16);
    EXPECT_EQ(decodeMode(0x7E), 9);
    // Their neighbours fall into the 7-9 nibble group.
    EXPECT_EQ(decodeMode(0x75), 20);
    EXPECT_EQ(decodeMode(0x97), 20);
    EXPECT_EQ(decodeMode(0x7F), 20);
    EXPECT_EQ(decodeMode(0x80), 20);
}

TEST(ModeDecoding, HiddenRangesAndPlainNibbles) {
    for (int b = 0x10; b <= 0x17; ++b) EXPECT_EQ(decodeMode(static_cast<std::uint8_t>(b)), 17) << b;
    for (int b = 0x38; b <= 0x3F; ++b) EXPECT_EQ(decodeMode(static_cast<std::uint8_t>(b)), 17) << b;
    EXPECT_EQ(decodeMode(0x18), 1);
    EXPECT_EQ(decodeMode(0x37), 3);
    EXPECT_EQ(decodeMode(0x00), 0);
    EXPECT_EQ(decodeMode(0x2F), 2);
    EXPECT_EQ(decodeMode(0x40), 4);
    EXPECT_EQ(decodeMode(0x6A), 6);
    EXPECT_EQ(decodeMode(0xA0), 10);
    EXPECT_EQ(decodeMode(0xFF), 15);
}

TEST(ModeDecoding, TrackNameHiddenWhileRecordingOrShowingTotals) {
    for (std::uint8_t m : {7, 8, 9, 16}) EXPECT_TRUE(hidesCurrentTrackName(m, 0)) << int(m);
    for (std::uint8_t sub : {4, 5, 6}) EXPECT_TRUE(hidesCurrentTrackName(5, sub)) << int(sub);
    EXPECT_FALSE(hidesCurrentTrackName(5, 3));
    EXPECT_FALSE(hidesCurrentTrackName(2, 7));
}

}  // namespace
}  // namespace tovik::link
