// The label document: opening and saving, default fonts, lists, hints, commands, format bar.
#include <gtest/gtest.h>

#include "labeleditor/document/file_io.h"
#include "labeleditor/document/label_file.h"
#include "labeleditor/document/short_label_writer.h"
#include "labeleditor/document/sleevon_doc.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/document/temp_folder.h"

namespace tovik::label {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::FakeDocumentUi;
using test::FakeFontDevice;
using test::HintRecorder;
using test::MadeFont;
using test::TempFolder;

Bytes bytesOf(const LogFont& f) {
    auto b = f.toBytes();
    return Bytes(b.begin(), b.end());
}

LogFont styledFont(std::int32_t height, const char* face) {
    LogFont f;
    f.height = height;
    f.weight = 400;
    f.charSet = 128;
    f.pitchAndFamily = 0x31;
    f.setFace(face);
    return f;
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : host(resources::sleevonStrings()) {}

    CSleevonDoc& doc() {
        if (!doc_) {
            doc_ = std::make_unique<CSleevonDoc>(host, ui);
            doc_->addObserver(views);
        }
        return *doc_;
    }
    LogFont guiDefault() const {
        LogFont f = ui.guiFont;
        f.height = -15;
        return f;
    }
    void storeDefault(int type, const Bytes& bytes) {
        host.fakeProfile().values["DefaultFont"]["Type_" + std::to_string(type)] = bytes;
    }
    // A document with everything filled, saved under `name`.
    std::filesystem::path savedFullDocument(const std::string& name) {
        doc().OnNewDocument();
        doc().m_strMDTitle = "MD \x93\xfa\x96\x7b";
        doc().m_strPrintTitle = std::string("Print\0\xff", 7);
        doc().m_listMDTrackName = {"one", "", std::string(70000, 'x')};
        doc().m_listPrintTrackName = {"uno", "\x83\x65\x83\x58\x83\x67", ""};
        doc().m_arrFont = {styledFont(-20, "Serif"), styledFont(-33, "MS \x83S\x83V\x83\x62\x83N"),
                           styledFont(12, "")};
        doc().m_arrFont[2].italic = 1;
        doc().m_arrFont[2].escapement = 7;
        auto path = folder / name;
        EXPECT_TRUE(doc().saveAs(path));
        return path;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : host.shownBoxes) texts.push_back(box.text);
        return texts;
    }

    fake::FakeHost host;
    FakeDocumentUi ui;
    HintRecorder views;
    TempFolder folder;
    std::unique_ptr<CSleevonDoc> doc_;
};

TEST_F(DocumentTest, PrintPositionLivesInTheProfile) {
    host.fakeProfile().setInt("Print", "H", -12);
    host.fakeProfile().setInt("Print", "V", 34);
    EXPECT_EQ(doc().m_nPrintH, -12);
    EXPECT_EQ(doc().m_nPrintV, 34);
    EXPECT_EQ(doc().m_nFontType, FONT_TITLE);
    EXPECT_TRUE(doc().m_arrFont.empty());

    ui.positionAnswer.reset();
    doc().onCommand(ID_PRINT_POSITION);  // Cancel keeps the old values
    EXPECT_EQ(doc().m_nPrintH, -12);
    ui.positionAnswer = std::make_pair(5, -7);
    doc().onCommand(ID_PRINT_POSITION);
    EXPECT_EQ(views.take(), std::vector<unsigned>{});
    doc_.reset();
    EXPECT_EQ(host.fakeProfile().getInt("Print", "H", 0), 5);
    EXPECT_EQ(host.fakeProfile().getInt("Print", "V", 0), -7);
}

TEST_F(DocumentTest, DefaultFontsComeFromSixtyByteProfileValuesElseTheGuiFont) {
    doc().OnNewDocument();
    EXPECT_EQ(doc().m_arrFont, std::vector<LogFont>(3, guiDefault()));

    LogFont stored = styledFont(-40, "Stored");
    storeDefault(0, bytesOf(stored));
    storeDefault(1, Bytes(59, 1));  // another size is not a font
    doc().LoadDefaultFonts();
    EXPECT_EQ(doc().m_arrFont, (std::vector<LogFont>{stored, guiDefault(), guiDefault()}));
}

TEST_F(DocumentTest, SaveThenOpenRestoresEveryTextAndFontByteForByte) {
    auto path = savedFullDocument("label.slv");
    LabelFileContent saved = doc().content();
    EXPECT_FALSE(doc().m_bFromController);

    CSleevonDoc other(host, ui);
    ASSERT_TRUE(other.OnOpenDocument(path));
    LabelFileContent opened = other.content();
    EXPECT_EQ(opened.mdTitle, saved.mdTitle);
    EXPECT_EQ(opened.printTitle, saved.printTitle);
    EXPECT_EQ(opened.mdTracks, saved.mdTracks);
    EXPECT_EQ(opened.printTracks, saved.printTracks);
    ASSERT_EQ(opened.fonts.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(bytesOf(opened.fonts[i]), bytesOf(saved.fonts[i])) << i;
    EXPECT_EQ(readFileBytes(path), encodeFullLayout(saved));
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(DocumentTest, AControllerFileIsNeverOverwrittenByTheFirstSave) {
    storeDefault(2, bytesOf(styledFont(-50, "Disc")));
    auto controllerFile = folder / "EditingLabel.slv";
    std::vector<std::string> tracks{"A", "", "C"};
    ASSERT_TRUE(writeShortLabelFile(controllerFile, "Disc", tracks));
    doc().m_nFontType = FONT_DISCTITLE;
    ASSERT_TRUE(doc().OnOpenDocument(controllerFile));
    EXPECT_TRUE(doc().m_bFromController);
    EXPECT_EQ(doc().m_strPrintTitle, "Disc");
    EXPECT_EQ(doc().m_listPrintTrackName, tracks);
    EXPECT_EQ(doc().m_listMDTrackName, tracks);
    EXPECT_EQ(doc().m_arrFont, (std::vector<LogFont>{guiDefault(), guiDefault(), styledFont(-50, "Disc")}));
    EXPECT_EQ(doc().m_nFontType, FONT_DISCTITLE);  // Open keeps the current font type

    // First Save asks; Cancel writes nothing.
    EXPECT_FALSE(doc().onFileSave());
    EXPECT_TRUE(doc().m_bFromController);
    auto mine = folder / "mine.slv";
    ui.saveNames = {mine};
    ASSERT_TRUE(doc().onCommand(ID_FILE_SAVE));
    EXPECT_EQ(ui.proposedNames.size(), 2u);
    EXPECT_FALSE(doc().m_bFromController);
    EXPECT_EQ(doc().pathName(), mine);
    EXPECT_EQ(readFileBytes(controllerFile), encodeShortLayout("Disc", tracks));

    // The second Save writes the chosen file without asking, in the full layout.
    doc().setPrintTitle("Changed");
    ASSERT_TRUE(doc().onFileSave());
    EXPECT_EQ(ui.proposedNames.size(), 2u);
    EXPECT_EQ(readFileBytes(mine), encodeFullLayout(doc().content()));
    EXPECT_EQ((*readFileBytes(mine))[0], 1);
}

TEST_F(DocumentTest, AFailedOpenLeavesTheDocumentAsItWas) {
    auto path = savedFullDocument("label.slv");
    Bytes valid = *readFileBytes(path);
    doc().OnNewDocument();
    doc().m_strPrintTitle = "kept";
    doc().m_listPrintTrackName = {"x"};
    doc().m_listMDTrackName = {"y"};
    doc().m_bFromController = true;
    LabelFileContent before = doc().content();

    auto cut = folder / "cut.slv";
    for (std::size_t n = 0; n < valid.size(); n += (n < 400 ? 1 : 997)) {
        ASSERT_TRUE(replaceFile(cut, std::span(valid.data(), n)));
        host.shownBoxes.clear();
        ASSERT_FALSE(doc().OnOpenDocument(cut)) << n;
        ASSERT_EQ(boxTexts(), std::vector<std::string>{"Unexpected file format."}) << n;
        LabelFileContent now = doc().content();
        ASSERT_EQ(now.printTitle, before.printTitle);
        ASSERT_EQ(now.printTracks, before.printTracks);
        ASSERT_EQ(now.mdTracks, before.mdTracks);
        ASSERT_EQ(now.fonts, before.fonts);
        ASSERT_TRUE(doc().m_bFromController);
        ASSERT_TRUE(doc().pathName().empty());
    }

    host.shownBoxes.clear();
    EXPECT_FALSE(doc().OnOpenDocument(folder / "missing.slv"));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Failed to open document."});
    EXPECT_EQ(doc().m_strPrintTitle, "kept");

    valid.push_back(0x55);  // trailing bytes do not matter
    ASSERT_TRUE(replaceFile(cut, valid));
    EXPECT_TRUE(doc().OnOpenDocument(cut));
}

TEST_F(DocumentTest, AFontCountOtherThanThreeIsMadeThree) {
    storeDefault(2, bytesOf(styledFont(-50, "Disc")));
    LabelFileContent c;
    c.fonts = {styledFont(-21, "One")};
    auto path = folder / "one.slv";
    ASSERT_TRUE(replaceFile(path, encodeFullLayout(c)));
    ASSERT_TRUE(doc().OnOpenDocument(path));
    EXPECT_EQ(doc().m_arrFont, (std::vector<LogFont>{styledFont(-21, "One"), guiDefault(), styledFont(-50, "Disc")}));

    c.fonts = {styledFont(-1, "a"), styledFont(-2, "b"), styledFont(-3, "c"), styledFont(-4, "d")};
    ASSERT_TRUE(replaceFile(path, encodeFullLayout(c)));
    ASSERT_TRUE(doc().OnOpenDocument(path));
    EXPECT_EQ(doc().m_arrFont, (std::vector<LogFont>{styledFont(-1, "a"), styledFont(-2, "b"), styledFont(-3, "c")}));
}

TEST_F(DocumentTest, AFailedSaveSaysSoAndKeepsTheOldFile) {
    auto controllerFile = folder / "EditingLabel.slv";
    ASSERT_TRUE(writeShortLabelFile(controllerFile, "Disc", {}));
    ASSERT_TRUE(doc().OnOpenDocument(controllerFile));
    std::filesystem::create_directory(folder / "taken");
    ui.saveNames = {folder / "taken"};
    EXPECT_FALSE(doc().onFileSave());
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Failed to save document."});
    EXPECT_TRUE(doc().m_bFromController);
    EXPECT_EQ(doc().pathName(), controllerFile);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken"));
}

TEST_F(DocumentTest, TrackListsStayParallel) {
    doc().OnNewDocument();
    doc().m_listPrintTrackName = {"a", "b"};
    doc().m_listMDTrackName = {"A", "B"};
    doc().InsertTrack(0);
    doc().InsertTrack(3);  // = size: appends
    doc().InsertTrack(9);  // beyond: nothing
    EXPECT_EQ(doc().m_listPrintTrackName, (std::vector<std::string>{"", "a", "b", ""}));
    EXPECT_EQ(doc().m_listMDTrackName, (std::vector<std::string>{"", "A", "B", ""}));
    doc().DeleteTrack(1);
    doc().DeleteTrack(7);
    EXPECT_EQ(doc().m_listPrintTrackName, (std::vector<std::string>{"", "b", ""}));
    EXPECT_EQ(doc().m_listMDTrackName, (std::vector<std::string>{"", "B", ""}));
    std::string name = "unchanged";
    doc().GetPrintTrackName(5, name);
    EXPECT_EQ(name, "unchanged");
    doc().GetPrintTrackName(1, name);
    EXPECT_EQ(name, "b");
    EXPECT_EQ(views.take(), std::vector<unsigned>{});  // the caller sends the hint

    // A file may give an MD list shorter than the print list: inserting never fails.
    doc().m_listMDTrackName = {"only"};
    doc().InsertTrack(3);
    doc().DeleteTrack(3);
    doc().DeleteTrack(2);
    EXPECT_EQ(doc().m_listPrintTrackName, (std::vector<std::string>{"", "b"}));
    EXPECT_EQ(doc().m_listMDTrackName, (std::vector<std::string>{"only", ""}));
}

TEST_F(DocumentTest, EditsSendTheirHintOnlyWhenSomethingChanged) {
    doc().OnNewDocument();
    doc().m_listPrintTrackName = {"a"};
    doc().m_listMDTrackName = {"a"};
    doc().SetFontType(FONT_TITLE);
    doc().SetFontType(FONT_TRACK);
    EXPECT_FALSE(doc().setPrintTitle(""));
    EXPECT_TRUE(doc().setPrintTitle("T"));
    EXPECT_FALSE(doc().setPrintTrackName(0, "a"));
    EXPECT_TRUE(doc().setPrintTrackName(0, "b"));
    EXPECT_FALSE(doc().setPrintTrackName(1, "b"));
    EXPECT_EQ(views.take(), (std::vector<unsigned>{HINT_FONTTYPE, HINT_PRINTTITLE, HINT_TRACKNAMES}));
    doc().removeObserver(views);
    doc().SetFontType(FONT_DISCTITLE);
    EXPECT_TRUE(views.take().empty());
}

TEST_F(DocumentTest, StyleTogglesAlwaysSendTheFontHint) {
    doc().OnNewDocument();
    doc().SetFontType(FONT_TRACK);
    views.take();
    doc().m_arrFont[1].weight = 600;
    doc().onCommand(ID_FORMAT_BOLD);
    EXPECT_EQ(doc().m_arrFont[1].weight, 700);
    EXPECT_EQ(doc().commandState(ID_FORMAT_BOLD)->checked, true);
    doc().m_arrFont[1].weight = 800;
    doc().onCommand(ID_FORMAT_BOLD);
    EXPECT_EQ(doc().m_arrFont[1].weight, 400);
    EXPECT_EQ(doc().commandState(ID_FORMAT_BOLD)->checked, false);
    doc().onCommand(ID_FORMAT_ITALIC);
    doc().m_arrFont[1].underline = 5;
    doc().onCommand(ID_FORMAT_UNDERLINE);
    EXPECT_EQ(doc().m_arrFont[1].italic, 1);
    EXPECT_EQ(doc().m_arrFont[1].underline, 0);
    EXPECT_EQ(doc().commandState(ID_FORMAT_ITALIC)->checked, true);
    EXPECT_EQ(doc().commandState(ID_FORMAT_UNDERLINE)->checked, false);
    EXPECT_EQ(views.take(), std::vector<unsigned>(4, HINT_FONT + 1));
    EXPECT_FALSE(doc().onCommand(12345));
    EXPECT_FALSE(doc().commandState(12345));

    // The label view may store any number as the current type: nothing happens then.
    doc().m_nFontType = 7;
    doc().onCommand(ID_FORMAT_BOLD);
    EXPECT_FALSE(doc().commandState(ID_FORMAT_BOLD)->enabled);
    EXPECT_TRUE(views.take().empty());
}

TEST_F(DocumentTest, DefaultStyleCommandsFollowTheStoredValue) {
    doc().OnNewDocument();
    auto saveState = [&] { return doc().commandState(ID_FONT_SAVE_DEFAULT)->enabled; };
    auto returnState = [&] { return doc().commandState(ID_FONT_RETURN_DEFAULT)->enabled; };
    EXPECT_TRUE(saveState());
    EXPECT_FALSE(returnState());
    doc().onCommand(ID_FONT_RETURN_DEFAULT);
    EXPECT_TRUE(views.take().empty());

    doc().onCommand(ID_FONT_SAVE_DEFAULT);
    EXPECT_EQ(host.fakeProfile().getBinary("DefaultFont", "Type_0"), bytesOf(doc().m_arrFont[0]));
    EXPECT_FALSE(saveState());
    EXPECT_FALSE(returnState());
    EXPECT_TRUE(views.take().empty());

    doc().onCommand(ID_FORMAT_BOLD);
    EXPECT_TRUE(saveState());
    EXPECT_TRUE(returnState());
    views.take();
    doc().onCommand(ID_FONT_RETURN_DEFAULT);
    EXPECT_EQ(doc().m_arrFont[0], guiDefault());
    EXPECT_EQ(views.take(), std::vector<unsigned>{HINT_FONT + 0});

    // A stored value of another size: Return stays enabled but changes nothing.
    storeDefault(0, Bytes(61, 0));
    doc().onCommand(ID_FORMAT_BOLD);
    views.take();
    EXPECT_TRUE(returnState());
    EXPECT_TRUE(saveState());
    doc().onCommand(ID_FONT_RETURN_DEFAULT);
    EXPECT_EQ(doc().m_arrFont[0].weight, 700);
    EXPECT_TRUE(views.take().empty());
}

TEST_F(DocumentTest, FontDialogReplacesTheRecordOnOkOnly) {
    doc().OnNewDocument();
    doc().onCommand(ID_FONT_TRACK);  // cancelled
    EXPECT_EQ(ui.dialogInitial, std::vector<LogFont>{guiDefault()});
    EXPECT_TRUE(views.take().empty());
    ui.nextFont = styledFont(-27, "Chosen");
    doc().onCommand(ID_FONT_TITLE);
    EXPECT_EQ(doc().m_arrFont[0], styledFont(-27, "Chosen"));
    EXPECT_EQ(doc().m_arrFont[1], guiDefault());
    EXPECT_EQ(views.take(), std::vector<unsigned>{HINT_FONT + 0});
}

TEST_F(DocumentTest, FormatBarQueriesAndAppliesTheCurrentFont) {
    doc().OnNewDocument();
    doc().SetFontType(FONT_DISCTITLE);
    doc().m_arrFont[2] = styledFont(-15, "A face name of thirty-one bytes");
    views.take();

    FormatNotify block;
    block.hdr = {1, ID_FORMAT_BAR, FBN_QUERYFONT};
    block.cf.dwMask = 0xFFFFFFFF;
    block.cf.crTextColor = 0xFF;
    LResult result = 0;
    ASSERT_TRUE(doc().onFormatNotify(block, result));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(block.cf.yHeight, 15);
    EXPECT_EQ(block.cf.dwMask, 0u);
    EXPECT_EQ(block.cf.crTextColor, 0u);
    EXPECT_EQ(block.cf.bCharSet, 128);
    EXPECT_EQ(block.cf.bPitchAndFamily, 0x31);
    EXPECT_EQ(std::string(block.cf.szFaceName.data()), "A face name of thirty-one bytes");

    // A mask with nothing in it still normalises the precisions: a hint once, then none.
    block.hdr.code = FBN_APPLYFONT;
    block.cf.dwMask = 0;
    ASSERT_TRUE(doc().onFormatNotify(block, result));
    EXPECT_EQ(doc().m_arrFont[2].outPrecision, 3);
    EXPECT_EQ(doc().m_arrFont[2].clipPrecision, 2);
    EXPECT_EQ(doc().m_arrFont[2].quality, 1);
    ASSERT_TRUE(doc().onFormatNotify(block, result));
    EXPECT_EQ(views.take(), std::vector<unsigned>{HINT_FONT + 2});

    // Size, face and character set; an unterminated face is held to 31 bytes.
    block.cf.dwMask = CFM_SIZE | CFM_FACE | CFM_CHARSET;
    block.cf.yHeight = 96;
    block.cf.bCharSet = 1;
    block.cf.bPitchAndFamily = 0;
    block.cf.szFaceName.fill('W');
    doc().m_arrFont[2].width = 9;
    ASSERT_TRUE(doc().onFormatNotify(block, result));
    EXPECT_EQ(doc().m_arrFont[2].height, -96);
    EXPECT_EQ(doc().m_arrFont[2].width, 0);
    EXPECT_EQ(doc().m_arrFont[2].charSet, 1);
    EXPECT_EQ(doc().m_arrFont[2].face(), std::string(31, 'W'));
    EXPECT_EQ(views.take(), std::vector<unsigned>{HINT_FONT + 2});

    block.hdr.code = -7;  // NM_SETFOCUS is not the document's
    result = 0;
    EXPECT_FALSE(doc().onFormatNotify(block, result));
    EXPECT_EQ(result, 0);
}

TEST_F(DocumentTest, CreateFontsScalesTheHeightForTheDevice) {
    doc().OnNewDocument();
    doc().m_arrFont[1].height = 20;
    FakeFontDevice screen(96);
    DeviceFonts fonts;
    doc().CreateFonts(screen, fonts, -1);
    ASSERT_TRUE(fonts[0] && fonts[1] && fonts[2]);
    // -MulDiv(15, 96 * 254, 10000) = -round(36.576)
    EXPECT_EQ(static_cast<MadeFont&>(*fonts[0]).font.height, -37);
    EXPECT_EQ(static_cast<MadeFont&>(*fonts[1]).font.height, 49);  // round(-48.768) = -49
    EXPECT_EQ(static_cast<MadeFont&>(*fonts[0]).font.face(), "Sans Serif");

    FakeFontDevice printer(600);
    DeviceFont* untouched = fonts[0].get();
    doc().CreateFonts(printer, fonts, FONT_DISCTITLE);
    EXPECT_EQ(fonts[0].get(), untouched);
    EXPECT_EQ(static_cast<MadeFont&>(*fonts[2]).font.height, -229);
    EXPECT_EQ(printer.made, 1);
    doc().CreateFonts(printer, fonts, 3);
    EXPECT_EQ(printer.made, 1);

    EXPECT_EQ(mulDiv(5, 1, 2), 3);
    EXPECT_EQ(mulDiv(-5, 1, 2), -3);
    EXPECT_EQ(mulDiv(5, -1, -2), 3);
    EXPECT_EQ(mulDiv(1, 1, 0), -1);
    EXPECT_EQ(mulDiv(INT32_MAX, 4, 2), -1);
}

}  // namespace
}  // namespace tovik::label
