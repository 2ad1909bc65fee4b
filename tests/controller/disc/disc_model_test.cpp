// The disc cache, the progress dialog's behaviour, the name answer's text and the label file
// handed to the label editor.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "controller/disc/disc_name_reader.h"
#include "controller/disc/label_hand_over.h"
#include "controller/disc/md_disc_model.h"
#include "controller/disc/progress_dialog.h"
#include "tests/controller/disc/fake_progress_window.h"

namespace tovik::disc {
namespace {

TEST(MdDiscModel, TheCountSizesTheArraysAndKeepsWhatTheyHold) {
    MdDiscModel m;
    EXPECT_EQ(m.trackCount, -1);
    EXPECT_FALSE(m.storeTrackName(1, "x")) << "no count yet";
    m.updateTrackCount(3);
    EXPECT_TRUE(m.storeTrackName(2, "Two"));
    EXPECT_FALSE(m.storeTrackName(0, "zero"));
    EXPECT_FALSE(m.storeTrackName(4, "four"));
    m.updateTrackCount(5);
    EXPECT_EQ(m.trackName(2), "Two");
    EXPECT_TRUE(m.trackKnown(2));
    EXPECT_FALSE(m.trackKnown(5));
    m.updateTrackCount(1);
    EXPECT_EQ(m.trackNames.size(), 1u);
    EXPECT_FALSE(m.trackKnown(2));
    EXPECT_EQ(m.trackName(2), "");

    m.discName = "Disc";
    m.discNameKnown = true;
    m.shownTrack = 1;
    m.clear();
    EXPECT_EQ(m.trackCount, -1);
    EXPECT_TRUE(m.trackNames.empty());
    EXPECT_TRUE(m.nameKnown.empty());
    EXPECT_FALSE(m.discNameKnown);
    EXPECT_EQ(m.discName, "");
    EXPECT_EQ(m.shownTrack, 0);
}

TEST(ProgressDialog, PercentTextKeepsOneHundredAndWrapsTheRest) {
    EXPECT_EQ(ProgressDialog::percentText(0), "0%");
    EXPECT_EQ(ProgressDialog::percentText(37), "37%");
    EXPECT_EQ(ProgressDialog::percentText(100), "100%");
    EXPECT_EQ(ProgressDialog::percentText(150), "50%");
    EXPECT_EQ(ProgressDialog::percentText(5, 0, 10), "50%");
    EXPECT_EQ(ProgressDialog::percentText(3, 3, 3), "0%");  // empty range: no division by zero
}

TEST(ProgressDialog, StepsReachTheEndForAnyTrackCount) {
    for (int tracks : {0, 1, 7, 99, 100, 255}) {
        test::FakeProgressWindow window;
        ProgressDialog dialog(window);
        dialog.open("MD Track data read", " 0 %", 1);
        dialog.setSteps(tracks + 1);
        int last = 0;
        for (int i = 0; i <= tracks; ++i) {
            dialog.step();
            EXPECT_GE(dialog.position(), last) << tracks;
            last = dialog.position();
        }
        EXPECT_EQ(dialog.position(), 100) << tracks;
        EXPECT_EQ(dialog.text(), "100%") << tracks;
        if (tracks >= 100) {
            EXPECT_GT(window.positions.at(tracks / 2 + 1), 0) << "the bar moves";
        }
        // The text is only replaced when it changes: at most one per percent.
        EXPECT_LE(window.texts.size(), 2u + 101u);
        EXPECT_EQ(window.pumps, tracks + 1);
    }
}

TEST(ProgressDialog, CancelIsAFlagTheCycleTakes) {
    test::FakeProgressWindow window;
    ProgressDialog dialog(window);
    dialog.open("t", " 0 %", 4);
    window.pressCancel();
    EXPECT_TRUE(dialog.isOpen());
    EXPECT_TRUE(dialog.takeCancel());
    EXPECT_FALSE(dialog.takeCancel());
    // A dialog closed while its messages are handled stops there.
    window.duringPump = [&] { dialog.close(); };
    const auto texts = window.texts.size();
    dialog.step();
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(window.texts.size(), texts);
    EXPECT_EQ(window.closes, 1);
}

link::MdNameTransfer record(std::uint32_t length, const std::string& text) {
    link::MdNameTransfer r;
    r.kind = link::NAME_TRACK;
    r.index = 1;
    r.length = length;
    std::memcpy(r.text, text.data(), std::min(text.size(), sizeof r.text));
    return r;
}

TEST(NameAnswer, TheLengthFieldIsNotTrusted) {
    const Language en = Language::English;
    EXPECT_EQ(DiscNameReader::nameText(record(6, "Hello"), en), "Hello");
    EXPECT_EQ(DiscNameReader::nameText(record(0, "Hello"), en), "") << "0: an empty name";
    EXPECT_EQ(DiscNameReader::nameText(record(3, "Hello"), en), "He") << "terminator at length-1";
    EXPECT_EQ(DiscNameReader::nameText(record(1, "Hello"), en), "");
    // A text that fills the whole field with a length past it ends at byte 2047.
    const std::string full(2048, 'A');
    for (std::uint32_t length : {2048u, 2049u, 0xFFFFFFFFu})
        EXPECT_EQ(DiscNameReader::nameText(record(length, full), en), std::string(2047, 'A'));
    // A zero inside the text ends the name there.
    EXPECT_EQ(DiscNameReader::nameText(record(12, std::string("Side\0B", 6)), en), "Side");
    // Disc form becomes display form.
    EXPECT_EQ(DiscNameReader::nameText(record(9, "^SAKURA^"), Language::Japanese),
              "\xBB\xB8\xD7");  // ｻｸﾗ in CP932
    EXPECT_EQ(DiscNameReader::nameText(record(9, "^SAKURA^"), en), "^SAKURA^");
}

class LabelFile : public ::testing::Test {
protected:
    LabelFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "disc-label-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    ~LabelFile() override { std::filesystem::remove_all(folder); }
    std::vector<unsigned char> bytes(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::filesystem::path folder;
};

TEST_F(LabelFile, ShortLayoutOfTheCache) {
    MdDiscModel m;
    m.updateTrackCount(0);
    ASSERT_TRUE(writeLabelFile(m, folder / "EditingLabel.slv"));
    EXPECT_EQ(bytes(folder / "EditingLabel.slv"),
              (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0}));

    m.discName = "Hi";
    m.updateTrackCount(2);
    m.storeTrackName(2, "B");  // track 1 never read: an empty name
    ASSERT_TRUE(writeLabelFile(m, folder / "EditingLabel.slv"));
    EXPECT_EQ(bytes(folder / "EditingLabel.slv"),
              (std::vector<unsigned char>{0, 0, 0, 0, 2, 'H', 'i', 2, 0, 0, 1, 'B'}));
}

}  // namespace
}  // namespace tovik::disc
