#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/codepage.h"
#include "platform/json_text.h"
#include "platform/strings.h"

namespace tovik {
namespace {

const StringEntry kEn[] = {{57682, "MD Communication error\n(Time out)"}, {57676, "MOVE %d => %d OK ?"}, {1, "en only"}};
const StringEntry kJa[] = {{57682, "MD 通信エラー"}};
const StringResource kTables{kEn, kJa};

TEST(StringTable, PicksTheLanguageAndFallsBackToEnglish) {
    StringTable en(kTables, Language::English), ja(kTables, Language::Japanese);
    EXPECT_EQ(en.text(57682), "MD Communication error\n(Time out)");
    EXPECT_EQ(ja.text(57682), "MD 通信エラー");
    EXPECT_EQ(ja.text(1), "en only");
    EXPECT_EQ(en.text(99), "");
    EXPECT_EQ(en.format(57676, 3, 7), "MOVE 3 => 7 OK ?");
    EXPECT_EQ(formatText("%d%c", 42, '%'), "42%");
    EXPECT_EQ(formatText("%02u:%02u %s", 3u, 7u, "x"), "03:07 x");
}

TEST(StringTable, LanguageFromEnvironment) {
    setenv("TOVIK_LANG", "ja", 1);
    EXPECT_EQ(systemLanguage(), Language::Japanese);
    setenv("TOVIK_LANG", "en", 1);
    setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(systemLanguage(), Language::English);
    unsetenv("TOVIK_LANG");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    EXPECT_EQ(systemLanguage(), Language::Japanese);
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(systemLanguage(), Language::English);
}

TEST(CodePage, Cp932IsTheWindowsVariant) {
    CodePage ja = CodePage::forLanguage(Language::Japanese);
    // 0x5C stays a backslash and the half-width katakana are single bytes.
    EXPECT_EQ(ja.toUtf8("\x5C\xB1\xB2"), "\\ｱｲ");
    EXPECT_EQ(ja.fromUtf8("ｱ～"), std::string("\xB1\x81\x60"));
    EXPECT_TRUE(ja.isLeadByte(0x81));
    EXPECT_TRUE(ja.isLeadByte(0xFC));
    EXPECT_FALSE(ja.isLeadByte(0xB1));
    EXPECT_FALSE(ja.isLeadByte(0xA0));
    // A lead byte cut off at the end decodes to a replacement character, never a crash.
    EXPECT_EQ(ja.toUtf8("A\x82"), "A\xEF\xBF\xBD");
}

TEST(CodePage, UnencodableCharacterIsReportedByPosition) {
    CodePage en = CodePage::forLanguage(Language::English);
    EXPECT_EQ(en.fromUtf8("café"), std::string("caf\xE9"));
    EXPECT_EQ(en.toUtf8("caf\xE9"), "café");
    EXPECT_FALSE(en.isLeadByte(0x81));
    std::size_t bad = 99;
    EXPECT_FALSE(en.fromUtf8("ab日c", &bad));
    EXPECT_EQ(bad, 2u);
}

TEST(JsonText, ControlsAndQuotesAreEscapedAndUtf8PassesThrough) {
    EXPECT_EQ(jsonString("a\"b\\c\n\x01"), R"j("a\"b\\c\n\u0001")j");
    EXPECT_EQ(jsonString("ｻｸﾗ"), "\"ｻｸﾗ\"");
}

}  // namespace
}  // namespace tovik
