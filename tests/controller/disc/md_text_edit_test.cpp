// The name field's character filter.
#include "controller/disc/md_text_edit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/controller/disc/cp932.h"

namespace tovik::disc {
namespace {

using test::sj;

struct Delivered {
    Msg msg;
    WParam wParam;
    bool operator==(const Delivered&) const = default;
};

class RecordingControl : public MdTextEditControl {
  public:
    void defaultProcessing(Msg msg, WParam wParam, LParam) override {
        delivered.push_back({msg, wParam});
    }
    void beep() override { ++beeps; }

    // The characters the control inserted, as CP932 bytes.
    std::string inserted() const {
        std::string out;
        for (const Delivered& d : delivered) {
            if (d.msg != WM_CHAR) continue;
            if (d.wParam > 0xFF) out += static_cast<char>(d.wParam >> 8);
            out += static_cast<char>(d.wParam & 0xFF);
        }
        return out;
    }

    std::vector<Delivered> delivered;
    int beeps = 0;
};

// The character as a message packs it: lead byte << 8 | trail byte.
WParam packed(const std::string& utf8Char) {
    std::string b = sj(utf8Char);
    return b.size() == 1
               ? static_cast<unsigned char>(b[0])
               : (WParam{static_cast<unsigned char>(b[0])} << 8) | static_cast<unsigned char>(b[1]);
}

class MdTextEditTest : public ::testing::Test {
  protected:
    RecordingControl control;
    CMdTextEdit edit{control, Language::Japanese};

    void type(Msg msg, const std::string& utf8Char) { edit.onMessage(msg, packed(utf8Char), 1); }
};

TEST_F(MdTextEditTest, CharactersADiscCanHoldGoIn) {
    for (const char* c :
         {"A", "z", "7", "~", " ", "`", "ｱ", "ﾞ", "ﾟ", "ｰ", "ア", "あ", "ー", "Ａ", "　"})
        type(WM_CHAR, c);
    edit.onMessage(WM_CHAR, 0x08, 1);  // backspace
    edit.onMessage(WM_CHAR, 0x0D, 1);  // return
    EXPECT_EQ(control.beeps, 0);
    EXPECT_EQ(control.inserted(), sj("Az7~ `ｱﾞﾟｰアあーＡ　") + "\x08\x0D");
}

TEST_F(MdTextEditTest, OtherCharactersBeepAndAreDropped) {
    for (const char* c : {"^", "[", "\\", "|", "{", "漢", "ヶ", "、"}) type(WM_CHAR, c);
    edit.onMessage(WM_CHAR, 0x7F, 1);
    edit.onMessage(WM_CHAR, 0x4141, 1);   // a high byte that is no lead byte
    edit.onMessage(WM_CHAR, 0x10041, 1);  // beyond any code-page character
    EXPECT_EQ(control.beeps, 11);
    EXPECT_TRUE(control.delivered.empty());
}

TEST_F(MdTextEditTest, InputMethodCharactersEnterInHalfWidth) {
    type(WM_IME_CHAR, "ア");
    type(WM_IME_CHAR, "あ");
    type(WM_IME_CHAR, "Ａ");
    type(WM_IME_CHAR, "ガ");
    type(WM_IME_CHAR, "ぽ");
    type(WM_IME_CHAR, "ー");  // taken as the full-width minus
    type(WM_IME_CHAR, "　");
    type(WM_IME_CHAR, "b");  // one byte: filtered as a WM_CHAR
    EXPECT_EQ(control.beeps, 0);
    EXPECT_EQ(control.inserted(), sj("ｱｱAｶﾞﾎﾟ- b"));
    // Each byte arrives as its own WM_CHAR.
    for (const Delivered& d : control.delivered) {
        EXPECT_EQ(d.msg, WM_CHAR);
        EXPECT_LE(d.wParam, 0xFFu);
    }
}

TEST_F(MdTextEditTest, InputMethodCharactersThatCannotBeWrittenBeep) {
    type(WM_IME_CHAR, "漢");
    type(WM_IME_CHAR, "゛");
    type(WM_IME_CHAR, "^");
    EXPECT_EQ(control.beeps, 3);
    EXPECT_TRUE(control.delivered.empty());
}

TEST(MdTextEdit, OtherSystemsLetEverythingThrough) {
    RecordingControl control;
    CMdTextEdit edit(control, Language::English);
    EXPECT_FALSE(edit.filtering());
    edit.onMessage(WM_CHAR, '^', 0);
    edit.onMessage(WM_IME_CHAR, 0x8341, 0);
    edit.onMessage(0x0100, 0x41, 0);  // any other message
    EXPECT_EQ(control.beeps, 0);
    EXPECT_EQ(control.delivered,
              (std::vector<Delivered>{{WM_CHAR, '^'}, {WM_IME_CHAR, 0x8341}, {0x0100, 0x41}}));
}

// The field asks the system's language once, when it is made.
TEST(MdTextEdit, LanguageIsFixedWhenTheFieldIsCreated) {
    const char* saved = std::getenv("TOVIK_LANG");
    const std::string previous = saved ? saved : "";
    setenv("TOVIK_LANG", "ja", 1);
    RecordingControl control;
    CMdTextEdit edit(control);
    setenv("TOVIK_LANG", "en", 1);
    edit.onMessage(WM_CHAR, '^', 0);
    if (saved) {
        setenv("TOVIK_LANG", previous.c_str(), 1);
    } else {
        unsetenv("TOVIK_LANG");
    }
    EXPECT_TRUE(edit.filtering());
    EXPECT_EQ(control.beeps, 1);
}

}  // namespace
}  // namespace tovik::disc
