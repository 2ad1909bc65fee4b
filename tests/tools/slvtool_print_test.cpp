// slvtool print, read back with pdftotext: where the label sets lie on the sheet, how the offsets
// move them, whose fonts they use, and the failures.
#include <gtest/gtest.h>

#include <QSettings>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "labeleditor/document/file_io.h"
#include "labeleditor/document/label_file.h"
#include "labeleditor/document/short_label_writer.h"
#include "tests/labeleditor/document/temp_folder.h"
#include "tests/support/pdf_words.h"
#include "tools/slvtool/slvtool.h"

namespace tovik::label {
namespace {

using tovik::test::PdfWord;

// The editor's profile lives in a folder of this test's own, set before Qt first reads it.
class ConfigHome : public testing::Environment {
public:
    void SetUp() override { setenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit().constData(), 1); }
    QTemporaryDir folder;
};
ConfigHome* const configHome = static_cast<ConfigHome*>(testing::AddGlobalTestEnvironment(new ConfigHome));

struct ToolRun {
    int code;
    std::string err;
};

ToolRun slvtool(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = slvtool::run(args, out, err);
    return {code, err.str()};
}

// The corners of the four case labels (mm from the sheet's left and top edges) and the text inset.
constexpr double kColumns[] = {25.0, 148.5};
constexpr double kRows[] = {25.0, 130.0};
constexpr double kInset = 2.0;
constexpr double kTitleBand = 6.0;
constexpr double kDiscFromCase = 75.0;

std::vector<PdfWord> sortedByPlace(std::vector<PdfWord> words) {
    std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::tie(a.left, a.top) < std::tie(b.left, b.top);
    });
    return words;
}

// The first track name's top edge lies below the title band, inside the inset; the title starts
// at the inset of each case label and of each disc label.
void expectLabelsInPlace(const std::vector<PdfWord>& words, const std::string& title, const std::string& firstTrack) {
    auto tracks = sortedByPlace(tovik::test::wordsNamed(words, firstTrack));
    ASSERT_EQ(tracks.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(tracks[i].left, kColumns[i / 2] + kInset, 0.2) << i;
        EXPECT_NEAR(tracks[i].top, kRows[i % 2] + kTitleBand + kInset, 0.2) << i;
    }
    auto titles = sortedByPlace(tovik::test::wordsNamed(words, title));
    ASSERT_EQ(titles.size(), 8u);
    const double titleColumns[] = {kColumns[0], kColumns[0] + kDiscFromCase, kColumns[1], kColumns[1] + kDiscFromCase};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_NEAR(titles[i].left, titleColumns[i / 2] + kInset, 0.2) << i;
}

class SlvtoolPrintTest : public testing::Test {
protected:
    void SetUp() override { QSettings("Tovik", "Sleevon").clear(); }
    std::string label(const std::string& name, const std::string& title, const std::vector<std::string>& tracks) {
        auto path = folder / name;
        EXPECT_TRUE(writeShortLabelFile(path, title, tracks));
        return path.string();
    }
    std::vector<PdfWord> print(const std::string& file, std::vector<std::string> extra = {}) {
        const std::string pdf = (folder / "out.pdf").string();
        std::vector<std::string> args{"print", file, "--pdf", pdf};
        args.insert(args.end(), extra.begin(), extra.end());
        ToolRun run = slvtool(args);
        EXPECT_EQ(run.code, 0) << run.err;
        return tovik::test::pdfWords(pdf);
    }
    test::TempFolder folder;
};

TEST_F(SlvtoolPrintTest, TextsLieAtTheCaseLabelsCornersAndMoveExactlyByTheOffsets) {
    const std::string file = label("english.slv", "Harbour Lights", {"Morning Tide", "", "Driftwood"});
    auto words = print(file, {"--no-japanese"});
    expectLabelsInPlace(words, "Harbour", "Morning");

    // Every word moves by exactly the offsets, 10.0 mm each way.
    for (auto [h, v] : {std::pair{-100, 100}, std::pair{100, -100}}) {
        auto moved = sortedByPlace(print(file, {"--no-japanese", "--offset", std::to_string(h), std::to_string(v)}));
        auto before = sortedByPlace(words);
        ASSERT_EQ(moved.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(moved[i].text, before[i].text);
            EXPECT_NEAR(moved[i].left - before[i].left, h / 10.0, 0.01) << moved[i].text;
            EXPECT_NEAR(moved[i].top - before[i].top, v / 10.0, 0.01) << moved[i].text;
        }
    }
}

// The albums' PDFs in docs/labels, as scripts/label-pdfs.sh printed them from the simulated card.
TEST(SlvtoolAlbumPdfs, TheCommittedPagesHaveTheirLabelsInPlace) {
    const std::string dir = TOVIK_LABEL_PDF_DIR;
    expectLabelsInPlace(tovik::test::pdfWords(dir + "/english-album.pdf"), "Harbour", "Morning");
    expectLabelsInPlace(tovik::test::pdfWords(dir + "/japanese-album.pdf"), "ｻｸﾗ", "ﾊﾙﾉｶｾﾞ");
}

TEST_F(SlvtoolPrintTest, StoredOffsetsApplyWithoutTheOptionAndTheOptionNeverChangesThem) {
    const std::string file = label("label.slv", "Harbour", {"Morning"});
    QSettings("Tovik", "Sleevon").setValue("Print/H", 30);
    QSettings("Tovik", "Sleevon").setValue("Print/V", -20);
    auto stored = sortedByPlace(tovik::test::wordsNamed(print(file), "Morning"));
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_NEAR(stored[0].left, 25.0 + 3.0 + kInset, 0.2);
    EXPECT_NEAR(stored[0].top, 25.0 - 2.0 + kTitleBand + kInset, 0.2);

    auto given = sortedByPlace(tovik::test::wordsNamed(print(file, {"--offset", "0", "0"}), "Morning"));
    EXPECT_NEAR(given[0].left, 25.0 + kInset, 0.2);
    EXPECT_EQ(QSettings("Tovik", "Sleevon").value("Print/H").toInt(), 30);
    EXPECT_EQ(QSettings("Tovik", "Sleevon").value("Print/V").toInt(), -20);
}

TEST_F(SlvtoolPrintTest, AFullLayoutPrintsWithItsOwnFonts) {
    LabelFileContent content;
    content.mdTitle = content.printTitle = "Harbour";
    content.mdTracks = content.printTracks = {"Morning"};
    LogFont bold;
    bold.height = -15;
    bold.weight = 700;
    bold.setFace("Arial");
    content.fonts = {bold, bold, bold};
    const auto file = folder / "full.slv";
    ASSERT_TRUE(replaceFile(file, encodeFullLayout(content)));
    print(file.string());

    QProcess fonts;
    fonts.start("pdffonts", {QString::fromStdString((folder / "out.pdf").string())});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    EXPECT_TRUE(fonts.readAllStandardOutput().contains("LiberationSans-Bold"));
}

TEST_F(SlvtoolPrintTest, UnreadableLabelsUnwritablePdfsAndBadOffsetsAreRefused) {
    const std::string good = label("label.slv", "Harbour", {"Morning"});
    const std::string pdf = (folder / "out.pdf").string();

    ToolRun missing = slvtool({"print", (folder / "none.slv").string(), "--pdf", pdf, "--no-japanese"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("Failed to open document."), std::string::npos) << missing.err;

    ASSERT_TRUE(replaceFile(folder / "short.slv", std::vector<std::uint8_t>{0, 0}));
    ToolRun broken = slvtool({"print", (folder / "short.slv").string(), "--pdf", pdf, "--no-japanese"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find("Unexpected file format."), std::string::npos) << broken.err;

    ToolRun nowhere = slvtool({"print", good, "--pdf", (folder / "no" / "out.pdf").string(), "--no-japanese"});
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_NE(nowhere.err.find("Could not start print job."), std::string::npos) << nowhere.err;
    EXPECT_EQ(folder.entries(), 2u);  // the two labels, no PDF left behind

    for (std::vector<std::string> bad : {std::vector<std::string>{"--offset", "101", "0"},
                                         {"--offset", "5"},
                                         {"--offset", "1.5", "0"},
                                         {"--offset", "x", "0"}}) {
        std::vector<std::string> args{"print", good, "--pdf", pdf};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(slvtool(args).code, 2) << bad[1];
    }
    EXPECT_EQ(slvtool({"print", good}).code, 2);  // no --pdf
}

}  // namespace
}  // namespace tovik::label
