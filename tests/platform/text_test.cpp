#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/codepage.h"
#include "platform/json.h"
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

TEST(JsonOutput, TextIsEscapedAndBadUtf8NeverStopsTheOutput) {
    EXPECT_EQ(compactJson({{"t", "a\"b\\c\n\x01ｻｸﾗ"}}), R"j({"t":"a\"b\\c\n\u0001ｻｸﾗ"})j");
    // A model string or a name from a misbehaving unit is not UTF-8: shown, not thrown.
    EXPECT_EQ(oneLineJson({{"t", "Z\xff"}}), "{\"t\": \"Z\xEF\xBF\xBD\"}");
}

TEST(JsonOutput, IndentedKeepsAShortRunOfPlainValuesOnOneLine) {
    const Json v = {{"flat", {1, 2}}, {"nested", {{"a", Json::array()}, {"b", {{"x", "y"}}}}}, {"none", nullptr}};
    EXPECT_EQ(indentedJson(v),
              "{\n  \"flat\": [1, 2],\n  \"nested\": {\n    \"a\": [],\n    \"b\": {\"x\": \"y\"}\n  },\n"
              "  \"none\": null\n}");
    // The width counts the indentation: [1, 2] is 6 wide at depth 1.
    EXPECT_NE(indentedJson({{"flat", {1, 2}}}, 8).find("[1, 2]"), std::string::npos);
    EXPECT_EQ(indentedJson({{"flat", {1, 2}}}, 7), "{\n  \"flat\": [\n    1,\n    2\n  ]\n}");
    EXPECT_EQ(oneLineJson(v), R"j({"flat": [1, 2], "nested": {"a": [], "b": {"x": "y"}}, "none": null})j");
}

TEST(JsonInput, FaultsAreNamedByLineAndColumn) {
    struct Case {
        std::string text;
        std::string error;
    } cases[] = {
        {"{\"a\": true,", "line 1, column 12: "},                 // the end of the text
        {"{\n  \"a\": [1,\n   2,]\n}", "line 3, column 6: "},  // the bracket after the comma
        {"{\"ｻｸﾗ\": @}", "line 1, column 9: "},                   // characters, not bytes
        {"{\"a\": 1e999}", "line 1, column 11: number overflow"},  // the number's last digit
        {"[1] [2]", "line 1, column 5: "},
        {"", "line 1, column 1: "},
    };
    for (const Case& c : cases) {
        const JsonParseResult r = parseJson(c.text);
        EXPECT_FALSE(r.value) << c.text;
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << c.text << " -> " << r.error;
        EXPECT_EQ(r.error.find("json.exception"), std::string::npos) << r.error;
    }
    // Deep nesting is read without running out of stack.
    EXPECT_TRUE(parseJson(std::string(100'000, '[') + std::string(100'000, ']')).value);
    EXPECT_EQ(parseJson(R"({"b": 1, "a": 2})").value->begin().key(), "b");
}

}  // namespace
}  // namespace tovik
