// The disc label's two lines, measured at ten units a byte so the widths are easy to follow.
#include "labeleditor/layout/disc_title_split.h"

#include <gtest/gtest.h>

namespace tovik::label {
namespace {

DiscTitleLines split(std::string_view title, int width, Language language = Language::English) {
    const CodePage cp = CodePage::forLanguage(language);
    return splitDiscTitle(title, width, cp, [](std::string_view s) { return static_cast<int>(s.size()) * 10; });
}

TEST(DiscTitleSplitTest, WholeWordsGoToTheFirstLineWhenTheRestFits) {
    EXPECT_EQ(split("Harbour", 70), (DiscTitleLines{"Harbour", ""}));
    // The break character that ends line 1 stays with it.
    EXPECT_EQ(split("AAAA BBBB", 50), (DiscTitleLines{"AAAA ", "BBBB"}));
    EXPECT_EQ(split("AA-BB CC", 60), (DiscTitleLines{"AA-BB ", "CC"}));
    EXPECT_EQ(split("A.B/C D", 50), (DiscTitleLines{"A.B/C ", "D"}));
    // Trailing spaces do not count against the last word: the title stays on one line.
    EXPECT_EQ(split("AAAA  ", 45), (DiscTitleLines{"AAAA  ", ""}));
}

TEST(DiscTitleSplitTest, ATooWideRestSplitsAtTheLongestFittingPrefix) {
    // The second part is too wide for line 2: the cut goes inside the word.
    EXPECT_EQ(split("AAA BBBBBBBBBB", 60), (DiscTitleLines{"AAA BB", "BBBBBBBB"}));
    // Not even the first word fits.
    EXPECT_EQ(split("ABCDEFGHIJ", 50), (DiscTitleLines{"ABCDE", "FGHIJ"}));
    // Nothing fits: line 1 is empty and line 2 carries everything (clipped when drawn).
    EXPECT_EQ(split("ABC", 5), (DiscTitleLines{"", "ABC"}));
}

TEST(DiscTitleSplitTest, TwoByteCharactersStayWholeAndTheirBreakCharactersActLikeTheSpace) {
    using L = Language;
    // Three hiragana, two bytes each: a five-byte prefix would fit but cut a character.
    EXPECT_EQ(split("\x82\xA0\x82\xA2\x82\xA4", 50, L::Japanese), (DiscTitleLines{"\x82\xA0\x82\xA2", "\x82\xA4"}));
    // Ideographic space, fullwidth full stop, katakana middle dot, fullwidth solidus.
    for (std::string mark : {"\x81\x40", "\x81\x44", "\x81\x45", "\x81\x5E"}) {
        EXPECT_EQ(split("AAAA" + mark + "BBBB", 60, L::Japanese), (DiscTitleLines{"AAAA" + mark, "BBBB"}))
            << static_cast<int>(static_cast<unsigned char>(mark[1]));
    }
    // A two-byte character that merely starts with 0x81 is no break (0x8142 is the ideographic
    // full stop, not in the list): the split falls back to characters.
    EXPECT_EQ(split("AAAA\x81\x42" "BBBB", 60, L::Japanese), (DiscTitleLines{"AAAA\x81\x42", "BBBB"}));
    EXPECT_EQ(split("AAAAA\x81\x42" "BBB", 60, L::Japanese), (DiscTitleLines{"AAAAA", "\x81\x42" "BBB"}));
    // Half-width katakana are single bytes.
    EXPECT_EQ(split("\xBB\xB8\xD7 \xCA\xD9", 40, L::Japanese), (DiscTitleLines{"\xBB\xB8\xD7 ", "\xCA\xD9"}));
}

TEST(DiscTitleSplitTest, ALongTitleCostsLittleMoreThanMeasuringItOnce) {
    // Every paint of the preview splits the title again: a title of a few thousand characters
    // once took seconds, measuring every prefix of itself.
    const CodePage cp = CodePage::forLanguage(Language::English);
    std::size_t measured = 0;
    auto width = [&](std::string_view s) {
        measured += s.size();
        return static_cast<int>(s.size()) * 10;
    };
    const std::string word(100000, 'x');
    EXPECT_EQ(splitDiscTitle(word, 50, cp, width), (DiscTitleLines{"xxxxx", word.substr(5)}));
    EXPECT_LT(measured, 4 * word.size());

    // Many breaks in a row: the walk steps over each one without looking back at the others.
    const std::string spaced = "A" + std::string(1000000, ' ') + "B";
    measured = 0;
    EXPECT_EQ(splitDiscTitle(spaced, 50, cp, width), (DiscTitleLines{spaced.substr(0, spaced.size() - 1), "B"}));
    EXPECT_LT(measured, 3 * spaced.size());
}

}  // namespace
}  // namespace tovik::label
