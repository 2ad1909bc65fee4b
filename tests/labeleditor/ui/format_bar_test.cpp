// The format bar's rules without a screen: sizes in points and font height values, the face
// list, and the two boxes following and changing the document's current font.
#include "labeleditor/ui/font_setting_bar.h"

#include <gtest/gtest.h>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/ui/point_size.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/ui/format_bar_fakes.h"

namespace tovik::label {
namespace {

using Kind = ReportedFont::Kind;

TEST(PointSize, TheBoxShowsPointsAndReadsThemBackAsFontHeightValues) {
    EXPECT_EQ(sizeText(16), "12");
    EXPECT_EQ(sizeText(15), "11");  // the built-in default font
    EXPECT_EQ(sizeText(96), "72");
    EXPECT_EQ(sizeText(0), "0");
    EXPECT_EQ(sizeText(-1), "");
    EXPECT_EQ(sizeText(-16), "");

    EXPECT_EQ(readSizeValue("12"), 16);
    EXPECT_EQ(readSizeValue("72"), 96);
    EXPECT_EQ(readSizeValue("1"), 2);
    EXPECT_EQ(readSizeValue("0"), 0);
    EXPECT_EQ(readSizeValue(" \t+12 \t"), 16);
    EXPECT_EQ(readSizeValue("-5"), 0);  // negative points read as 0
    EXPECT_EQ(readSizeValue(""), kSizeEmpty);
    EXPECT_EQ(readSizeValue(" \t "), kSizeEmpty);
    for (const char* garbage : {"12pt", "1 2", "-", "+", "x", "1.5", "０"})
        EXPECT_EQ(readSizeValue(garbage), kSizeGarbage) << garbage;
    // Far too many digits still read as far too large, never as a small size.
    EXPECT_GT(readSizeValue("99999999999999999999"), kLargestSizeValue);

    EXPECT_EQ(sizeValueProblem(kSizeGarbage), IDS_INVALID_NUMBER);
    for (int tooSmallOrLarge : {0, 1, 32761}) EXPECT_EQ(sizeValueProblem(tooSmallOrLarge), IDS_INVALID_FONT_SIZE);
    for (int fine : {kSizeEmpty, 2, 32760}) EXPECT_EQ(sizeValueProblem(fine), std::nullopt);
}

TEST(FaceList, OneEntryPerFaceAndCharacterSetNamedByScriptOnlyWhenNeeded) {
    test::FakeFonts fonts;
    fonts.add("Mincho", "Japanese", 128, 0x11);
    fonts.add("Mincho", "Western", 0, 0x12);
    fonts.add("Arial", "Western", 0);
    fonts.add("@Mincho", "Japanese", 128);
    fonts.add("Courier", "Western", 0, 0x31, Kind::Raster);
    fonts.add("Chicago", "Mac", 77);
    fonts.add("Modern", "OEM/DOS", 255, 0x31, Kind::Vector);
    fonts.add("Twice", "", 0);
    fonts.add("Twice", "", 2);
    const Collation byBytes = [](const std::string& a, const std::string& b) { return a < b; };

    auto items = buildFaceList(fonts.faces, false, byBytes);
    std::vector<std::string> texts;
    for (const FaceItem& item : items) texts.push_back(item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"@Mincho", "Arial", "Mincho (Japanese)", "Mincho (Western)", "Modern",
                                               "Twice", "Twice"}));
    EXPECT_EQ(items[2].entry, (FaceEntry{"Mincho", "Japanese", 128, 0x11, FACE_TRUETYPE}));
    EXPECT_EQ(items[4].entry.flags, 0u) << "a vector face is not TrueType";

    // On a double-byte system the vertical faces go.
    items = buildFaceList(fonts.faces, true, byBytes);
    EXPECT_EQ(items.front().text, "Arial");

    // The order is the collation's.
    const Collation reversed = [](const std::string& a, const std::string& b) { return a > b; };
    EXPECT_EQ(buildFaceList(fonts.faces, true, reversed).front().text, "Twice");
}

class FormatBarTest : public testing::Test {
protected:
    FormatBarTest() {
        fonts.add("Arial", "Western", 0, 0x22);
        fonts.add("Arial Black", "Western", 0, 0x22);
        fonts.add("Mincho", "Western", 0, 0x11);
        fonts.add("Mincho", "Japanese", 128, 0x12);
        fonts.add("Script", "Western", 0, 0x42, Kind::Vector);
        fonts.add("Terminal", "OEM/DOS", 255, 0x31, Kind::Raster);
        doc.OnNewDocument();
        screen.bar = &bar;
        bar.OnCreate(screen.face, screen.size);
        bar.OnIdleUpdate();
        codes.clear();
    }

    LResult notify(FormatNotify& block) {
        EXPECT_EQ(block.hdr.idFrom, ID_FORMAT_BAR);
        codes.push_back(block.hdr.code);
        if (block.hdr.code == FBN_APPLYFONT) applied.push_back(block.cf);
        if (block.hdr.code == NM_RETURN) {
            screen.moveFocus(nullptr);  // the frame gives the focus to the active view
            return 0;
        }
        LResult result = 0;
        doc.onFormatNotify(block, result);
        return result;
    }
    LogFont& font() { return doc.m_arrFont.at(static_cast<std::size_t>(doc.m_nFontType)); }
    void setFont(int type, const std::string& face, std::uint8_t charSet, int height) {
        LogFont& f = doc.m_arrFont.at(static_cast<std::size_t>(type));
        f.setFace(face);
        f.charSet = charSet;
        f.height = height;
    }
    std::string shownFace() const { return bar.faceCombo().GetText(); }
    std::string shownSize() const { return bar.sizeCombo().GetText(); }

    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;
    CSleevonDoc doc{host, ui};
    test::FakeFonts fonts;
    test::FakeBarScreen screen;
    std::vector<int> codes;
    std::vector<CharFormat> applied;
    CFontSettingBar bar{host, fonts, [](const std::string& a, const std::string& b) { return a < b; },
                        [this](FormatNotify& block) { return notify(block); }};
};

TEST_F(FormatBarTest, TheBoxesFollowTheCurrentItemWheneverNeitherHasTheFocus) {
    EXPECT_EQ(screen.face.items, (std::vector<std::string>{"Arial", "Arial Black", "Mincho (Japanese)",
                                                           "Mincho (Western)", "Script"}));
    // The fresh document's font is not a listed face: it shows as text.
    EXPECT_EQ(screen.face.selected, -1);
    EXPECT_EQ(shownFace(), "Sans Serif");
    EXPECT_EQ(shownSize(), "11");

    setFont(FONT_TITLE, "Mincho", 128, -15);
    setFont(FONT_TRACK, "arial", 0, -96);
    // Another item is clicked: the next idle moment shows its font, unless a box has the focus.
    screen.moveFocus(&screen.size);
    doc.m_nFontType = FONT_TRACK;
    bar.OnIdleUpdate();
    EXPECT_EQ(shownSize(), "11");
    doc.m_nFontType = FONT_TITLE;
    screen.moveFocus(nullptr);
    doc.m_nFontType = FONT_TRACK;
    codes.clear();
    applied.clear();
    bar.OnIdleUpdate();
    // No face has that very name: the item of that text in any case shows.
    EXPECT_EQ(shownFace(), "Arial");
    EXPECT_EQ(shownSize(), "72");
    EXPECT_EQ(codes, std::vector<int>{FBN_QUERYFONT});

    doc.m_nFontType = FONT_TITLE;
    bar.OnIdleUpdate();
    EXPECT_EQ(screen.face.selected, 2);  // "Mincho (Japanese)", the document's character set
    EXPECT_EQ(shownSize(), "11");
    setFont(FONT_TITLE, "Mincho", DEFAULT_CHARSET, -15);
    bar.OnIdleUpdate();
    EXPECT_EQ(screen.face.selected, 2) << "any character set will do: the shown one stays";
    EXPECT_TRUE(applied.empty());
}

TEST_F(FormatBarTest, LeavingTheFaceBoxAppliesTheFirstFaceThatBeginsWithWhatWasTyped) {
    screen.enter(screen.face, "aRiAl");
    EXPECT_EQ(font().face(), "Arial");
    EXPECT_EQ(font().charSet, 0);
    EXPECT_EQ(font().pitchAndFamily, 0x22);
    EXPECT_EQ(shownFace(), "Arial");
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].dwMask, CFM_FACE | CFM_CHARSET);
    EXPECT_EQ(codes, (std::vector<int>{NM_SETFOCUS, NM_KILLFOCUS, FBN_APPLYFONT}));

    // A face in two character sets: each item applies its own.
    screen.enter(screen.face, "mincho (w");
    EXPECT_EQ(font().face(), "Mincho");
    EXPECT_EQ(font().charSet, 0);
    EXPECT_EQ(font().pitchAndFamily, 0x11);
    screen.enter(screen.face, "Mincho (Japanese)");
    EXPECT_EQ(font().charSet, 128);
    EXPECT_EQ(font().pitchAndFamily, 0x12);

    // A face the list does not have is still applied, for the system to map.
    screen.enter(screen.face, "Helvetica Narrow");
    EXPECT_EQ(font().face(), "Helvetica Narrow");
    EXPECT_EQ(font().charSet, DEFAULT_CHARSET);
    EXPECT_EQ(font().pitchAndFamily, 0);

    // An empty box, or a name the code page cannot write, applies nothing.
    applied.clear();
    screen.enter(screen.face, "");
    screen.enter(screen.face, "明朝");
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(font().face(), "Helvetica Narrow");
}

TEST_F(FormatBarTest, LeavingTheSizeBoxAppliesAValidSizeAndExplainsAnInvalidOne) {
    screen.enter(screen.size, "12");
    EXPECT_EQ(font().height, -16);
    bar.OnIdleUpdate();
    EXPECT_EQ(shownSize(), "12");

    screen.enter(screen.size, "72");
    EXPECT_EQ(font().height, -96);
    screen.enter(screen.size, "1");
    EXPECT_EQ(font().height, -2);

    applied.clear();
    std::vector<std::string> whileShown;  // what the box shows while the message is up
    for (const char* bad : {"0", "12pt", "99999"}) {
        host.answerNextBox(IDOK, 10);
        host.at(5, [&] {
            bar.OnIdleUpdate();
            whileShown.push_back(shownSize());
        });
        screen.enter(screen.size, bad);
        EXPECT_EQ(shownSize(), bad) << "the bad text stays until the next synchronisation";
    }
    screen.enter(screen.size, "");
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(font().height, -2);
    EXPECT_EQ(whileShown, (std::vector<std::string>{"0", "12pt", "99999"}));
    ASSERT_EQ(host.shownBoxes.size(), 3u);
    EXPECT_EQ(host.shownBoxes[0].text, "Invalid font size .");
    EXPECT_EQ(host.shownBoxes[1].text, "Invalid number.");
    EXPECT_EQ(host.shownBoxes[2].text, "Invalid font size .");
    for (const auto& box : host.shownBoxes) {
        EXPECT_EQ(box.buttons, Buttons::Ok);
        EXPECT_EQ(box.icon, Icon::Information);
    }
}

TEST_F(FormatBarTest, PassingThroughTheSizeBoxNeverRoundsTheFontsHeight) {
    // 13 pixels shows as 10 points, which would read back as 14.
    setFont(FONT_TITLE, "Arial", 0, -13);
    bar.OnIdleUpdate();
    EXPECT_EQ(shownSize(), "10");
    screen.moveFocus(&screen.size);
    screen.moveFocus(nullptr);
    EXPECT_EQ(font().height, -13);
    // Typing the same number again is not a change either; another one is.
    screen.enter(screen.size, "10");
    EXPECT_EQ(font().height, -13);
    screen.enter(screen.size, "11");
    EXPECT_EQ(font().height, -15);
}

TEST_F(FormatBarTest, KeysInTheBoxesMoveTheFocusRestoreOrOpenTheList) {
    setFont(FONT_TITLE, "Arial Black", 0, -16);
    bar.OnIdleUpdate();

    // Escape puts the document's face and size back into both boxes and hands the focus back;
    // leaving then applies nothing new.
    screen.type(screen.face, "Script");
    codes.clear();
    EXPECT_TRUE(screen.press(screen.face, BarKey::Escape));
    EXPECT_EQ(screen.focus, nullptr);
    EXPECT_EQ(codes, (std::vector<int>{FBN_QUERYFONT, NM_RETURN, NM_KILLFOCUS, FBN_APPLYFONT}));
    EXPECT_EQ(shownFace(), "Arial Black");
    screen.type(screen.size, "48");
    EXPECT_TRUE(screen.press(screen.size, BarKey::Escape));
    EXPECT_EQ(screen.focus, nullptr);
    EXPECT_EQ(shownSize(), "12");
    EXPECT_EQ(shownFace(), "Arial Black");
    EXPECT_EQ(font().face(), "Arial Black");
    EXPECT_EQ(font().height, -16);

    // Tab goes to the other box (leaving the first applies it); Enter hands the focus back.
    screen.type(screen.face, "scr");
    EXPECT_TRUE(screen.press(screen.face, BarKey::Tab));
    EXPECT_EQ(screen.focus, &screen.size);
    EXPECT_EQ(font().face(), "Script");
    EXPECT_TRUE(screen.press(screen.size, BarKey::Tab));
    EXPECT_EQ(screen.focus, &screen.face);
    screen.type(screen.face, "Arial");
    EXPECT_TRUE(screen.press(screen.face, BarKey::Return));
    EXPECT_EQ(screen.focus, nullptr);
    EXPECT_EQ(font().face(), "Arial");

    // Up and Down open a closed list, unless Alt or Control is held.
    screen.moveFocus(&screen.size);
    EXPECT_FALSE(screen.press(screen.size, BarKey::Down, true));
    EXPECT_FALSE(screen.press(screen.size, BarKey::Up, false, true));
    EXPECT_FALSE(screen.size.open);
    EXPECT_TRUE(screen.press(screen.size, BarKey::Up));
    EXPECT_TRUE(screen.size.open);
    EXPECT_FALSE(screen.press(screen.size, BarKey::Down)) << "an open list takes the key itself";
    EXPECT_FALSE(screen.press(screen.size, BarKey::Other));
}

TEST_F(FormatBarTest, TheSizeListFollowsTheFaceAndChoosingFromAListAppliesAtOnce) {
    setFont(FONT_TITLE, "Arial", 0, -15);
    bar.OnIdleUpdate();
    screen.moveFocus(&screen.size);
    screen.size.openList();
    EXPECT_EQ(screen.size.items, (std::vector<std::string>{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22",
                                                           "24", "26", "28", "36", "48", "72"}));
    EXPECT_EQ(screen.size.selected, 3) << "the current size, 11, is the selected item";
    screen.choose(screen.size, 7);  // 18
    EXPECT_EQ(screen.focus, nullptr);
    EXPECT_EQ(font().height, -24);
    bar.OnIdleUpdate();

    // A face that is not listed has no sizes; a bad entry is explained and the last size
    // comes back.
    screen.type(screen.face, "Nowhere");
    screen.type(screen.size, "abc");
    screen.size.openList();
    EXPECT_TRUE(screen.size.items.empty());
    EXPECT_EQ(shownSize(), "18");
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "Invalid number.");

    // A vector face scales like a TrueType one.
    screen.type(screen.face, "Script");
    screen.size.openList();
    EXPECT_EQ(screen.size.items.size(), 16u);

    // Choosing a face from its list applies it at once.
    screen.face.open = true;
    screen.choose(screen.face, 2);
    EXPECT_EQ(font().face(), "Mincho");
    EXPECT_EQ(font().charSet, 128);
}

TEST(PointSizeCombo, ABitmapFaceListsItsOwnSizesInOrderEachShownOnce) {
    struct : ComboParent {
        void focusNextCombo(const CBarCombo&) override {}
        void SyncWithDoc() override {}
        void sendReturn() override {}
    } parent;
    test::FakeBarScreen screen;
    CPointSizeCombo box(parent, screen.size);
    box.fillSizes(FaceSizes{false, {16, 13, 10, 14, 16}});  // 13 and 14 both show 10
    EXPECT_EQ(screen.size.items, (std::vector<std::string>{"7", "10", "12"}));
    box.fillSizes(std::nullopt);
    EXPECT_TRUE(screen.size.items.empty());
}

}  // namespace
}  // namespace tovik::label
