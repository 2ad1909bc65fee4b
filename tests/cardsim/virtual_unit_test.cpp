// The virtual unit on virtual time: each command's effect and refusal, and the status bytes in
// the layout the link decodes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cardsim/status_layout.h"
#include "cardsim/virtual_unit.h"

namespace tovik::card {
namespace {

using namespace status;

// The link's reading of the operation code (first match wins).
int modeOf(std::uint8_t b) {
    if (b == 0x76) return 7;
    if (b == 0x96) return 16;
    if (b == 0x7E) return 9;
    if ((b & 0xF8) == 0x10 || (b & 0xF8) == 0x38) return 17;
    if (b >> 4 >= 7 && b >> 4 <= 9) return 20;
    return b >> 4;
}

Disc makeDisc(unsigned tracks, bool recordable = true, unsigned seconds = 60, unsigned capacity = 74) {
    Disc d;
    d.title = "Test Disc";
    d.recordable = recordable;
    d.capacityMinutes = capacity;
    for (unsigned i = 1; i <= tracks; ++i) d.tracks.push_back({"Track " + std::to_string(i), seconds * 1000, false});
    return d;
}

class UnitTest : public ::testing::Test {
protected:
    void load(Disc d) {
        unit.loadDisc(std::move(d));
        after(2000);
    }
    void after(std::uint64_t ms) { unit.advanceTo(unit.now() + ms); }
    void cmd(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0) { unit.command(code, p1, p2); }
    StatusBytes a() const { return unit.status(false); }
    StatusBytes b() const { return unit.status(true); }
    int mode() const { return modeOf(a()[kOperation]); }
    unsigned tracks() const { return static_cast<unsigned>(unit.disc()->tracks.size()); }
    void accessOff() {
        cmd(CMD_ACCESS);
        ASSERT_EQ(a()[kUnitState] >> 4, 2);
    }

    VirtualUnit unit;
};

TEST_F(UnitTest, StatusBytesFollowTheAreaLayouts) {
    EXPECT_EQ(a()[kUnitState], 0x10);
    EXPECT_EQ(a()[kDiscState] >> 6, 0) << "no disc";
    EXPECT_EQ(mode(), 0);

    unit.loadDisc(makeDisc(12));
    EXPECT_EQ(a()[kUnitState] >> 4, 3) << "not accessible while the TOC is read";
    after(1200);
    unit.setVolume(17);
    StatusBytes s = a();
    EXPECT_EQ(s[kUnitState], 0x10);
    EXPECT_EQ(mode(), 2);
    EXPECT_EQ(s[kFlags], 0);
    EXPECT_EQ(s[kDiscState] >> 6, 1);
    EXPECT_EQ(s[kDiscKind], 0x04);
    EXPECT_EQ(s[kTrack], 1);
    EXPECT_EQ(s[kVolume], 17);
    EXPECT_EQ(s[kError], 0);
    EXPECT_EQ(s[kSpare], 0);
    EXPECT_EQ(s[kTotalTracks], 12);
    EXPECT_EQ(b()[kLevelLeft], 0) << "silence while stopped";

    unit.loadDisc(makeDisc(3, false));
    after(1200);
    EXPECT_EQ(a()[kDiscKind] & 4, 0) << "pre-recorded";

    ModelBytes m = unit.model();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.data())), "ZQ-41");
}

TEST_F(UnitTest, EveryPhaseDecodesToTheModeThePanelExpects) {
    load(makeDisc(3));
    EXPECT_EQ(mode(), 2);
    cmd(CMD_PLAY_PAUSE);
    EXPECT_EQ(mode(), 5);
    cmd(CMD_FF);
    EXPECT_EQ(mode(), 5) << "searching keeps the play row";
    cmd(CMD_SEARCH_END);
    cmd(CMD_PLAY_PAUSE);
    EXPECT_EQ(mode(), 4);
    cmd(CMD_REW);
    EXPECT_EQ(mode(), 4);
    cmd(CMD_STOP);
    accessOff();
    cmd(CMD_REC);
    EXPECT_EQ(a()[kOperation], 0x76);
    EXPECT_EQ(mode(), 7);
    cmd(CMD_PLAY_PAUSE);
    EXPECT_EQ(a()[kOperation], 0x7E);
    EXPECT_EQ(mode(), 9);
    after(5000);
    cmd(CMD_STOP);
    EXPECT_EQ(mode(), 17);
    after(1500);
    EXPECT_EQ(mode(), 2);
    cmd(CMD_SYNC_REC);
    EXPECT_EQ(a()[kOperation], 0x96);
    EXPECT_EQ(mode(), 16);
}

TEST_F(UnitTest, PlayingAdvancesWithTheClockAcrossTracksToTheEnd) {
    load(makeDisc(2, true, 10));
    cmd(CMD_PLAY_PAUSE);
    after(7500);
    EXPECT_EQ(a()[kSeconds], 7);
    EXPECT_NE(b()[kLevelLeft], 0) << "levels move while sound plays";
    const auto earlier = b();
    after(50);
    EXPECT_TRUE(b()[kLevelLeft] != earlier[kLevelLeft] || b()[kLevelRight] != earlier[kLevelRight]);
    cmd(CMD_PLAY_PAUSE);
    after(60'000);
    EXPECT_EQ(a()[kSeconds], 7) << "paused holds the position";
    EXPECT_EQ(b()[kLevelLeft], 0);
    cmd(CMD_PLAY_PAUSE);
    after(3000);
    EXPECT_EQ(a()[kTrack], 2);
    EXPECT_EQ(a()[kSeconds], 0);
    after(10'000);
    EXPECT_EQ(mode(), 2) << "stops at the end of the disc";
    EXPECT_EQ(a()[kTrack], 1);
}

TEST_F(UnitTest, TrackStepsAndGoTo) {
    load(makeDisc(3));
    cmd(CMD_PREVIOUS);
    EXPECT_EQ(a()[kTrack], 1);
    cmd(CMD_NEXT);
    cmd(CMD_NEXT);
    cmd(CMD_NEXT);
    EXPECT_EQ(a()[kTrack], 3) << "no step past the last track";
    cmd(CMD_PLAY_PAUSE);
    after(5000);
    cmd(CMD_PREVIOUS);
    EXPECT_EQ(a()[kTrack], 3) << "well into a track, DOWN restarts it";
    EXPECT_EQ(a()[kSeconds], 0);
    cmd(CMD_PREVIOUS);
    EXPECT_EQ(a()[kTrack], 2);
    cmd(CMD_GO_TO, 1);
    EXPECT_EQ(a()[kTrack], 1);
    EXPECT_EQ(mode(), 5);
    cmd(CMD_GO_TO, 9);
    EXPECT_EQ(a()[kTrack], 1) << "no such track";
}

TEST_F(UnitTest, SearchRunsTenTimesFasterBothWays) {
    load(makeDisc(3, true, 60));
    cmd(CMD_PLAY_PAUSE);
    cmd(CMD_FF);
    after(7000);
    EXPECT_EQ(a()[kTrack], 2);
    EXPECT_EQ(a()[kSeconds], 10);
    EXPECT_EQ(b()[kLevelLeft], 0) << "no levels while searching";
    cmd(CMD_REW);
    after(20'000);
    EXPECT_EQ(a()[kTrack], 1) << "waits at the start of the disc";
    EXPECT_EQ(a()[kSeconds], 0);
    cmd(CMD_CLOSE);
    EXPECT_EQ(unit.search(), Search::None) << "the controller's close ends a search";
    cmd(CMD_STOP);
    cmd(CMD_FF);
    EXPECT_EQ(unit.search(), Search::None) << "no search while stopped";
}

TEST_F(UnitTest, TimeKeyCyclesTheDisplayModes) {
    load(makeDisc(2, true, 100, 10));
    cmd(CMD_PLAY_PAUSE);
    after(30'000);
    EXPECT_EQ(a()[kFlags] & 7, 0);
    EXPECT_EQ(a()[kMinutes] * 60 + a()[kSeconds], 30);
    cmd(CMD_TIME);
    EXPECT_EQ(a()[kFlags] & 7, 3);
    EXPECT_EQ(a()[kMinutes] * 60 + a()[kSeconds], 70) << "left in the track";
    cmd(CMD_TIME);
    EXPECT_EQ(a()[kFlags] & 7, 2);
    EXPECT_EQ(a()[kMinutes] * 60 + a()[kSeconds], 600 - 200) << "recordable time left";
    cmd(CMD_TIME);
    EXPECT_EQ(a()[kFlags] & 7, 6);
    EXPECT_EQ(a()[kMinutes] * 60 + a()[kSeconds], 200) << "total play time";
    cmd(CMD_TIME);
    EXPECT_EQ(a()[kFlags] & 7, 0);
}

TEST_F(UnitTest, ModeKeysSetTheirFlagBits) {
    load(makeDisc(1));
    cmd(CMD_AUTO_MARK);
    EXPECT_EQ(a()[kFlags] & kAutoMarkBit, kAutoMarkBit);
    cmd(CMD_REC_MODE);
    EXPECT_EQ(a()[kFlags] & kMonoBit, kMonoBit);
    cmd(CMD_REC_MODE);
    cmd(CMD_AUTO_MARK);
    EXPECT_EQ(a()[kFlags], 0);
}

TEST_F(UnitTest, RecordingAddsTracksAndWritesTheTocOnStop) {
    load(makeDisc(2));
    cmd(CMD_REC);
    EXPECT_EQ(mode(), 2) << "no recording while the PC has access";
    accessOff();
    cmd(CMD_REC);
    EXPECT_EQ(mode(), 7);
    EXPECT_EQ(a()[kTrack], 3);
    EXPECT_EQ(a()[kTotalTracks], 2);
    EXPECT_NE(b()[kLevelLeft], 0) << "the input shows in recording pause";
    cmd(CMD_ACCESS);
    EXPECT_EQ(a()[kUnitState] >> 4, 2) << "access stays while recording";
    cmd(CMD_PLAY_PAUSE);
    after(65'000);
    EXPECT_EQ(a()[kTotalTracks], 3);
    EXPECT_EQ(a()[kMinutes], 1);
    EXPECT_EQ(a()[kSeconds], 5);
    cmd(CMD_REC_MODE);
    EXPECT_EQ(a()[kFlags] & kMonoBit, 0) << "mode cannot change mid-track";
    cmd(CMD_REC);  // a mark
    after(10'000);
    EXPECT_EQ(a()[kTrack], 4);
    cmd(CMD_PLAY_PAUSE);
    EXPECT_EQ(mode(), 7);
    EXPECT_EQ(a()[kTrack], 5);
    cmd(CMD_STOP);
    EXPECT_EQ(mode(), 17);
    cmd(CMD_PLAY_PAUSE);
    EXPECT_EQ(mode(), 17) << "keys wait while the TOC is written";
    after(1499);
    EXPECT_EQ(mode(), 17);
    after(1);
    EXPECT_EQ(mode(), 2);
    EXPECT_EQ(tracks(), 4u);
    EXPECT_EQ(unit.disc()->tracks[2].lengthMs, 65'000u);
    EXPECT_EQ(unit.disc()->tracks[3].lengthMs, 10'000u);
}

TEST_F(UnitTest, RecordingRefusals) {
    load(makeDisc(2, false));
    accessOff();
    cmd(CMD_REC);
    EXPECT_EQ(a()[kError], kErrorCantRec);
    EXPECT_EQ(mode(), 2);
    cmd(CMD_SYNC_REC);
    EXPECT_EQ(a()[kError], kErrorCantRec);
    cmd(CMD_TIME);
    EXPECT_EQ(a()[kError], 0) << "the next key clears the error";

    load(makeDisc(255, true, 10));
    cmd(CMD_REC);
    EXPECT_EQ(a()[kError], kErrorTocFull);

    load(makeDisc(74, true, 60));
    cmd(CMD_REC);
    EXPECT_EQ(a()[kError], kErrorDiscFull);
}

TEST_F(UnitTest, RecordingStopsWhenTheDiscIsFull) {
    load(makeDisc(1, true, 60, 2));
    accessOff();
    cmd(CMD_REC_MODE);  // mono: the 60 free seconds hold 120
    cmd(CMD_REC);
    cmd(CMD_PLAY_PAUSE);
    after(119'000);
    EXPECT_EQ(mode(), 9);
    after(1000);
    EXPECT_EQ(mode(), 17);
    EXPECT_EQ(a()[kError], kErrorDiscFull);
    after(1500);
    EXPECT_EQ(mode(), 2);
    EXPECT_EQ(unit.disc()->tracks[1].lengthMs, 120'000u);
    EXPECT_TRUE(unit.disc()->tracks[1].mono);
}

TEST_F(UnitTest, AutomaticMarksStartATrackEveryThreeMinutes) {
    load(makeDisc(0));
    accessOff();
    cmd(CMD_AUTO_MARK);
    cmd(CMD_REC);
    cmd(CMD_PLAY_PAUSE);
    after(7 * 60'000);
    EXPECT_EQ(a()[kTotalTracks], 3);
    EXPECT_EQ(a()[kTrack], 3);
}

TEST_F(UnitTest, SynchronisedRecordingStartsOnItsOwn) {
    load(makeDisc(1));
    accessOff();
    cmd(CMD_SYNC_REC);
    EXPECT_EQ(mode(), 16);
    EXPECT_EQ(b()[kLevelLeft], 0) << "silence until the source starts";
    after(2999);
    EXPECT_EQ(mode(), 16);
    after(1);
    EXPECT_EQ(mode(), 9);
    EXPECT_EQ(a()[kTotalTracks], 2);
    cmd(CMD_STOP);
    after(1500);
    EXPECT_EQ(mode(), 2);

    cmd(CMD_SYNC_REC);
    cmd(CMD_STOP);
    EXPECT_EQ(mode(), 2) << "nothing recorded: no TOC to write";
    EXPECT_EQ(tracks(), 1u);
}

TEST_F(UnitTest, TocEditsChangeTheDiscThenWriteTheToc) {
    load(makeDisc(4));
    cmd(CMD_ERASE, 2);
    EXPECT_EQ(mode(), 17);
    after(1500);
    ASSERT_EQ(tracks(), 3u);
    EXPECT_EQ(unit.disc()->tracks[1].name, "Track 3");

    cmd(CMD_MOVE, 3, 1);
    after(1500);
    EXPECT_EQ(unit.disc()->tracks[0].name, "Track 4");
    EXPECT_EQ(a()[kTrack], 1);

    cmd(CMD_COMBINE, 2);
    after(1500);
    ASSERT_EQ(tracks(), 2u);
    EXPECT_EQ(unit.disc()->tracks[0].lengthMs, 120'000u);
    EXPECT_EQ(unit.disc()->tracks[0].name, "Track 4") << "the first track's name stays";

    cmd(CMD_GO_TO, 2);
    cmd(CMD_PLAY_PAUSE);
    after(20'000);
    cmd(CMD_PLAY_PAUSE);
    cmd(CMD_DIVIDE);
    after(1500);
    ASSERT_EQ(tracks(), 3u);
    EXPECT_EQ(unit.disc()->tracks[1].lengthMs, 20'000u);
    EXPECT_EQ(unit.disc()->tracks[2].lengthMs, 40'000u);
    EXPECT_EQ(unit.disc()->tracks[2].name, "");
    EXPECT_EQ(a()[kTrack], 3);

    cmd(CMD_ERASE_ALL);
    after(1500);
    EXPECT_EQ(tracks(), 0u);
    EXPECT_EQ(unit.disc()->title, "");
    EXPECT_EQ(a()[kTrack], 0);
}

TEST_F(UnitTest, TocEditRefusals) {
    load(makeDisc(3, false));
    for (std::uint8_t code : {CMD_ERASE, CMD_ERASE_ALL, CMD_MOVE, CMD_COMBINE, CMD_DIVIDE}) {
        cmd(code, 2, 1);
        EXPECT_EQ(a()[kError], kErrorCantEdit) << "pre-recorded, command " << int(code);
        EXPECT_EQ(mode(), 2);
    }
    load(makeDisc(3));
    cmd(CMD_ERASE, 0);
    EXPECT_EQ(a()[kError], kErrorCantEdit);
    cmd(CMD_ERASE, 4);
    EXPECT_EQ(a()[kError], kErrorCantEdit);
    cmd(CMD_MOVE, 1, 4);
    EXPECT_EQ(a()[kError], kErrorCantEdit);
    cmd(CMD_COMBINE, 1);
    EXPECT_EQ(a()[kError], kErrorCantEdit) << "track 1 has none before it";
    cmd(CMD_DIVIDE);
    EXPECT_EQ(a()[kError], kErrorCantEdit) << "at 0:00 there is nothing to divide";
    cmd(CMD_PLAY_PAUSE);
    after(5000);
    cmd(CMD_ERASE, 1);
    EXPECT_EQ(a()[kError], kErrorCantEdit) << "no erasing under the play head";
    EXPECT_EQ(tracks(), 3u);

    Disc full = makeDisc(255, true, 10);
    load(full);
    cmd(CMD_PLAY_PAUSE);
    after(5000);
    cmd(CMD_DIVIDE);
    EXPECT_EQ(a()[kError], kErrorTocFull);
}

TEST_F(UnitTest, NameReadsAndWrites) {
    load(makeDisc(2));
    auto r = unit.readName(0, 0);
    EXPECT_EQ(r.result, NAME_OK);
    EXPECT_EQ(r.text, "Test Disc");
    EXPECT_EQ(unit.readName(1, 2).text, "Track 2");
    EXPECT_EQ(unit.readName(1, 0).result, NAME_REFUSED);
    EXPECT_EQ(unit.readName(1, 3).result, NAME_REFUSED);
    EXPECT_EQ(unit.readName(2, 1).result, NAME_REFUSED);

    EXPECT_EQ(unit.writeName(1, 1, "^KOnNITIHA^"), NAME_OK);
    EXPECT_EQ(unit.readName(1, 1).text, "^KOnNITIHA^");
    EXPECT_EQ(unit.writeName(0, 0, ""), NAME_OK);
    EXPECT_EQ(unit.readName(0, 0).text, "");
    EXPECT_EQ(unit.writeName(1, 3, "x"), NAME_REFUSED);
    EXPECT_EQ(unit.writeName(1, 1, "caf\xE9"), NAME_REFUSED) << "not disc text";

    // Title memory: 255 slots of 7 characters; the two track names take 1 + 2 slots now.
    EXPECT_EQ(unit.writeName(0, 0, std::string(252 * 7, 'a')), NAME_OK);
    EXPECT_EQ(unit.writeName(1, 2, std::string(8, 'b')), NAME_REFUSED) << "title memory full";
    EXPECT_EQ(unit.writeName(1, 2, std::string(7, 'b')), NAME_OK);

    cmd(CMD_ERASE, 1);
    EXPECT_EQ(unit.readName(0, 0).result, NAME_BUSY);
    EXPECT_EQ(unit.writeName(0, 0, "x"), NAME_BUSY);

    load(makeDisc(1, false));
    EXPECT_EQ(unit.writeName(1, 1, "x"), NAME_REFUSED) << "pre-recorded";
    unit.ejectDisc();
    EXPECT_EQ(unit.readName(0, 0).result, NAME_REFUSED);
}

TEST_F(UnitTest, PowerKeySwitchesTheUnitOffAndOn) {
    load(makeDisc(2));
    unit.setVolume(9);
    cmd(CMD_PLAY_PAUSE);
    cmd(CMD_POWER);
    StatusBytes off = a();
    EXPECT_EQ(off[kUnitState], 0);
    EXPECT_EQ(off[kVolume], 9);
    for (std::size_t i = 0; i < off.size(); ++i)
        if (i != kVolume) { EXPECT_EQ(off[i], 0) << "byte " << i; }
    cmd(CMD_PLAY_PAUSE);
    cmd(CMD_POWER);
    EXPECT_EQ(a()[kUnitState], 0x30);
    after(1200);
    EXPECT_EQ(a()[kUnitState], 0x10);
    EXPECT_EQ(mode(), 2);
}

TEST_F(UnitTest, PowerOffWhileRecordingWritesTheTocFirst) {
    load(makeDisc(1));
    accessOff();
    cmd(CMD_REC);
    cmd(CMD_PLAY_PAUSE);
    after(10'000);
    cmd(CMD_POWER);
    EXPECT_EQ(mode(), 17);
    after(1500);
    EXPECT_FALSE(unit.powered());
    EXPECT_EQ(tracks(), 2u);
}

TEST_F(UnitTest, PulledCardLosesWhatTheTocDoesNotHoldYet) {
    load(makeDisc(1));
    EXPECT_EQ(unit.writeName(1, 1, "Kept"), NAME_OK);
    accessOff();
    cmd(CMD_REC);
    cmd(CMD_PLAY_PAUSE);
    after(10'000);
    unit.removeCard();
    unit.insertCard();
    after(1200);
    EXPECT_EQ(tracks(), 1u);
    EXPECT_EQ(unit.disc()->tracks[0].name, "Kept");
    EXPECT_EQ(mode(), 2);
}

std::string readFile(const std::string& path) {
    std::ifstream f(path);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(DiscImageTest, ShippedImagesLoad) {
    for (const char* name : {"english-album", "japanese-album", "blank-74", "prerecorded"}) {
        DiscImageResult r = parseDiscImage(readFile(std::string(TOVIK_DISC_DIR) + "/" + name + ".json"));
        EXPECT_TRUE(r.disc) << name << ": " << r.error;
    }
    DiscImageResult ja = parseDiscImage(readFile(TOVIK_DISC_DIR "/japanese-album.json"));
    ASSERT_TRUE(ja.disc);
    EXPECT_EQ(ja.disc->title.front(), '^');
    DiscImageResult blank = parseDiscImage(readFile(TOVIK_DISC_DIR "/blank-74.json"));
    EXPECT_TRUE(blank.disc->tracks.empty());
    EXPECT_EQ(blank.disc->capacityMinutes, 74u);
    EXPECT_FALSE(parseDiscImage(readFile(TOVIK_DISC_DIR "/prerecorded.json")).disc->recordable);
}

TEST(DiscImageTest, MalformedImagesNameTheProblem) {
    struct Case {
        std::string json;
        std::string error;
    } cases[] = {
        {"{\"recordable\": true,", "not valid JSON: line 1, column 21"},
        {"[]", "must be a JSON object"},
        {"{\"title\": \"x\"}", "recordable"},
        {"{\"recordable\": true, \"colour\": 1}", "unknown member \"colour\""},
        {"{\"recordable\": true, \"capacity\": 0}", "capacity"},
        {"{\"recordable\": true, \"tracks\": [{\"name\": \"a\"}]}", "tracks[0]: missing \"length\""},
        {"{\"recordable\": true, \"tracks\": [{\"length\": \"3:75\"}]}", "tracks[0].length"},
        {"{\"recordable\": true, \"tracks\": [{\"length\": 0}]}", "tracks[0].length"},
        {"{\"recordable\": true, \"title\": \"\\u30a2\"}", "title holds characters"},
        {"{\"recordable\": true, \"capacity\": 1, \"tracks\": [{\"length\": 61}]}", "do not fit a 1-minute disc"},
        {"{\"recordable\": true, \"title\": \"" + std::string(1800, 'a') + "\"}", "title slots"},
    };
    for (const auto& c : cases) {
        DiscImageResult r = parseDiscImage(c.json);
        EXPECT_FALSE(r.disc) << c.json;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
    }
    std::string many = "{\"recordable\": true, \"capacity\": 99, \"tracks\": [";
    for (int i = 0; i < 256; ++i) many += std::string(i ? "," : "") + "{\"length\": 5}";
    EXPECT_NE(parseDiscImage(many + "]}").error.find("at most 255"), std::string::npos);
    EXPECT_FALSE(parseDiscImage(std::string(100, '[') + std::string(100, ']')).disc) << "deep nesting";
}

}  // namespace
}  // namespace tovik::card
