// Display text <-> disc text on a Japanese system and elsewhere.
#include "controller/disc/md_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "controller/disc/md_text_tables.h"
#include "tests/controller/disc/cp932.h"

namespace tovik::disc {
namespace {

using test::sj;
using test::utf8;

constexpr Language kJa = Language::Japanese;

// Encodes UTF-8 test text; returns the disc text, or "FAIL@<byte offset>".
std::string encode(std::string_view text) {
    MdTextResult r = EncodeMdText(sj(text), kJa);
    return r.ok ? r.text : "FAIL@" + std::to_string(r.failedAt);
}

// Decodes disc text and shows the result in UTF-8.
std::string decode(std::string_view disc) {
    MdTextResult r = DecodeMdText(disc, kJa);
    EXPECT_TRUE(r.ok);
    return utf8(r.text);
}

std::string repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(EncodeMdText, KanaRunsBetweenCarets) {
    EXPECT_EQ(encode("ｶﾞｷﾞ"), "^GAGI^");
    EXPECT_EQ(encode("ABCｱ"), "ABC^A^");
    EXPECT_EQ(encode("ﾗｰﾒﾝ"), "^RA^-^MEn^");
    EXPECT_EQ(encode("ＡＢＣ"), "ABC");
    EXPECT_EQ(encode("ラーメン　２"), "^RA^-^MEn^ 2");
    EXPECT_EQ(encode("きゃっと"), "^KIyatuTO^");
    EXPECT_EQ(encode("A-B"), "A-B");
    EXPECT_EQ(encode(""), "");
}

TEST(EncodeMdText, VoicingMarksInBothWidths) {
    EXPECT_EQ(encode("ﾊﾟﾊﾞ"), "^PABA^");
    EXPECT_EQ(encode("ｶ゛ハ゜"), "^GAPA^");  // a mark of the other width still counts
    EXPECT_EQ(encode("ウ゛ｳﾞう゛"), "^VUVUVU^");
    EXPECT_EQ(encode("ﾅﾞﾏﾟ"), "^NAMA^");            // no alternate: the mark is dropped
    EXPECT_EQ(encode("き゛ひ゜ひ゛"), "^KIHIHI^");  // these hiragana have none
    EXPECT_EQ(encode("ﾊﾟﾞ"), "^BA^");               // handakuten then dakuten: both consumed
    EXPECT_EQ(encode("ﾞ"), "FAIL@0");               // a mark on its own is no character of a name
    EXPECT_EQ(encode("Aﾟ"), "FAIL@1");
}

TEST(EncodeMdText, CharactersOutsideTheTablesFail) {
    EXPECT_EQ(encode("漢字"), "FAIL@0");
    EXPECT_EQ(encode("^A"), "FAIL@0");
    EXPECT_EQ(encode("A[B"), "FAIL@1");
    // The part before the offending character comes back in disc form, its run closed.
    MdTextResult r = EncodeMdText(sj("Aｱ漢B"), kJa);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, MdTextError::Mismatch);
    EXPECT_EQ(r.failedAt, 2u);
    EXPECT_EQ(r.text, "A^A^");
    // A lead byte with nothing after it is one (unknown) character, never read past.
    EXPECT_EQ(EncodeMdText("AB\x83", kJa).failedAt, 2u);
}

TEST(EncodeMdText, LongRunsAreSplitBeforeTheCodeThatReaches70) {
    // 35 two-letter codes: the 35th brings the count to 70.
    EXPECT_EQ(EncodeMdText(sj(repeat("ｶ", 35)), kJa).text, "^" + repeat("KA", 34) + "^^KA^");
    EXPECT_EQ(EncodeMdText(sj(repeat("ｶ", 34)), kJa).text, "^" + repeat("KA", 34) + "^");
    // 1 + 34 * 2 = 69, and the next code passes 70.
    EXPECT_EQ(EncodeMdText(sj("ｱ" + repeat("ｶ", 35)), kJa).text, "^A" + repeat("KA", 34) + "^^KA^");
    // After a split the count starts again from nothing, so the next split comes 70 later.
    EXPECT_EQ(EncodeMdText(sj(repeat("ｱ", 140)), kJa).text,
              "^" + repeat("A", 69) + "^^" + repeat("A", 70) + "^^A^");
    // Leaving the run resets the count.
    EXPECT_EQ(EncodeMdText(sj(repeat("ｱ", 60) + "-" + repeat("ｱ", 60)), kJa).text,
              "^" + repeat("A", 60) + "^-^" + repeat("A", 60) + "^");
}

TEST(DecodeMdText, SegmentsBecomeHalfWidthKana) {
    EXPECT_EQ(decode("^RA^-^MEn^"), "ﾗ-ﾒﾝ");
    EXPECT_EQ(decode("^GAGI^"), "ｶﾞｷﾞ");
    EXPECT_EQ(decode("ABC^A^"), "ABCｱ");
    EXPECT_EQ(decode("^KIyatuTOVUPO^"), "ｷｬｯﾄｳﾞﾎﾟ");
    EXPECT_EQ(decode("^A1-B^"), "^A1-B^");  // B is no code (a lone capital takes two)
    EXPECT_EQ(decode("^A1-BA^"), "ｱ1-ﾊﾞ");
    EXPECT_EQ(decode("^" + repeat("KA", 34) + "^^KA^"), repeat("ｶ", 35));
}

TEST(DecodeMdText, TextThatIsNotKanaStaysAsItIs) {
    EXPECT_EQ(decode("^KA"), "^KA");  // no closing caret
    EXPECT_EQ(decode("AB^KA^CD^EF"), "ABｶCD^EF");
    EXPECT_EQ(decode("^KAXY^"), "^KAXY^");  // an unknown code
    EXPECT_EQ(decode("^kA^"), "^kA^");
    EXPECT_EQ(decode("^K^"), "^K^");  // a code cut short by the closing caret
    EXPECT_EQ(decode("^AKA^"), "ｱｶ");
    EXPECT_EQ(decode("^^"), "");        // an empty segment
    EXPECT_EQ(decode("A^^^B"), "A^B");  // three carets are one caret
    EXPECT_EQ(decode("^^^^A^"), "^ｱ");
    EXPECT_EQ(decode(repeat("A", 79).insert(0, "^") + "^"), repeat("ｱ", 79));
    EXPECT_EQ(decode("^" + repeat("A", 80) + "^"), "^" + repeat("A", 80) + "^");
}

TEST(DecodeMdText, TwoByteCharactersAreNeverSplit) {
    // タ is 0x83 0x5E: its trail byte is no caret.
    EXPECT_EQ(decode(sj("タ^A^")), "タｱ");
    EXPECT_EQ(decode(sj("^タ^")), "^タ^");
    EXPECT_EQ(decode(sj("タ^^")), "タ");
    EXPECT_EQ(DecodeMdText("A\x83", kJa).text, "A\x83");
}

TEST(MdText, EveryKanaAndSymbolRowRoundTrips) {
    for (const KanaRow& row : kanaTable()) {
        MdTextResult disc = EncodeMdText(row.character, kJa);
        ASSERT_TRUE(disc.ok) << utf8(row.character);
        if (row.code == "-") {
            EXPECT_EQ(disc.text, "-");
            continue;
        }
        EXPECT_EQ(disc.text, "^" + std::string(row.code) + "^") << utf8(row.character);
        const DecodingRow* named = nullptr;
        for (const DecodingRow& d : decodingTable()) {
            if (d.code == row.code && !named) named = &d;
        }
        ASSERT_NE(named, nullptr) << row.code;
        MdTextResult shown = DecodeMdText(disc.text, kJa);
        EXPECT_EQ(shown.text, named->display) << utf8(row.character);
        // The half-width form writes the same code again.
        EXPECT_EQ(EncodeMdText(shown.text, kJa).text, disc.text) << utf8(row.character);
        const std::pair<std::string_view, std::string_view> marks[] = {
            {kHalfDakuten, row.dakuten},
            {kFullDakuten, row.dakuten},
            {kHalfHandakuten, row.handakuten},
            {kFullHandakuten, row.handakuten}};
        for (auto [mark, alternate] : marks) {
            std::string voiced =
                EncodeMdText(std::string(row.character) + std::string(mark), kJa).text;
            EXPECT_EQ(voiced, "^" + std::string(alternate.empty() ? row.code : alternate) + "^")
                << utf8(row.character) << utf8(mark);
        }
    }
    for (const SymbolRow& row : symbolTable()) {
        MdTextResult disc = EncodeMdText(row.character, kJa);
        ASSERT_TRUE(disc.ok) << utf8(row.character);
        EXPECT_EQ(disc.text, row.code);
        EXPECT_EQ(DecodeMdText(disc.text, kJa).text, row.code);
    }
    for (char c : allowedBytes()) {
        EXPECT_EQ(EncodeMdText(std::string(1, c), kJa).text, std::string(1, c));
        EXPECT_EQ(DecodeMdText(std::string(1, c), kJa).text, std::string(1, c));
    }
}

TEST(MdText, OtherSystemsLeaveTextAlone) {
    for (std::string text :
         {std::string("^RA^-^MEn^"), sj("ｱ漢^["), std::string("\x83"), std::string("caf\xE9")}) {
        EXPECT_EQ(EncodeMdText(text, Language::English).text, text);
        EXPECT_EQ(DecodeMdText(text, Language::English).text, text);
        EXPECT_TRUE(EncodeMdText(text, Language::English).ok);
    }
}

// The result buffer is 2048 bytes with its terminator: a conversion that would need more fails,
// keeps what fits up to a whole character, and never closes a run past the limit.
TEST(MdText, ResultsLongerThanTheBufferFail) {
    const std::string fits(kMdTextMaxLength, 'A');
    EXPECT_TRUE(EncodeMdText(fits, kJa).ok);
    EXPECT_TRUE(DecodeMdText(fits, kJa).ok);

    MdTextResult r = EncodeMdText(fits + "B", kJa);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, MdTextError::TooLong);
    EXPECT_EQ(r.failedAt, kMdTextMaxLength);
    EXPECT_EQ(r.text, fits);

    // "^KA" fits exactly, but the closing caret would not.
    r = EncodeMdText(std::string(kMdTextMaxLength - 3, 'A') + sj("ｶ"), kJa);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedAt, kMdTextMaxLength - 3);
    EXPECT_EQ(r.text, std::string(kMdTextMaxLength - 3, 'A'));
    r = EncodeMdText(std::string(kMdTextMaxLength - 4, 'A') + sj("ｶ"), kJa);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.text.size(), kMdTextMaxLength);

    // A kana run cut off by the limit is closed inside it.
    r = EncodeMdText(sj(repeat("ｶ", 1100)), kJa);
    EXPECT_FALSE(r.ok);
    EXPECT_LE(r.text.size(), kMdTextMaxLength);
    EXPECT_EQ(r.text.back(), '^');
    EXPECT_EQ(DecodeMdText(r.text, kJa).text, sj(repeat("ｶ", static_cast<int>(r.failedAt))));

    // A two-byte character that would straddle the limit is left out whole.
    r = DecodeMdText(std::string(kMdTextMaxLength - 1, 'A') + sj("ア"), kJa);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, std::string(kMdTextMaxLength - 1, 'A'));

    r = EncodeMdText(fits + "A", Language::English);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, fits);
}

}  // namespace
}  // namespace tovik::disc
