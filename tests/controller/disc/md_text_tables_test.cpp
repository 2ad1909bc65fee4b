// The tables against an independent, readable listing of their rows: bytes, order, codes and
// voicing alternates.
#include "controller/disc/md_text_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/controller/disc/cp932.h"

namespace tovik::disc {
namespace {

using test::sj;
using test::utf8;

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Splits CP932 bytes into characters.
std::vector<std::string> characters(const std::string& utf8Text) {
    std::string bytes = sj(utf8Text);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n =
            test::japanesePage().isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        out.push_back(bytes.substr(i, n));
        i += n;
    }
    return out;
}

const std::string kBaseCodes =
    "a i u e o A I U E O KA KI KU KE KO SA SI SU SE SO TA TI TU TE TO NA NI NU NE NO "
    "HA HI HU HE HO MA MI MU ME MO YA YU YO RA RI RU RE RO WA WO ";
const std::string kVoicedCodes =
    "GA GI GU GE GO ZA ZI ZU ZE ZO DA DI DU DE DO BA BI BU BE BO PA PI PU PE PO ";

TEST(MdTextTables, KanaRowsInOrderWithTheirCodes) {
    // clang-format off
    const std::string listing =
        // Half-width katakana.
        "ｧｨｩｪｫｱｲｳｴｵ" "ｶｷｸｹｺ" "ｻｼｽｾｿ" "ﾀﾁﾂﾃﾄ" "ﾅﾆﾇﾈﾉ" "ﾊﾋﾌﾍﾎ" "ﾏﾐﾑﾒﾓ" "ﾔﾕﾖ" "ﾗﾘﾙﾚﾛ" "ﾜｦ"
        "ｰﾝｬｭｮｯ"
        // Full-width katakana.
        "ァィゥェォアイウエオ" "カキクケコ" "サシスセソ" "タチツテト" "ナニヌネノ" "ハヒフヘホ"
        "マミムメモ" "ヤユヨ" "ラリルレロ" "ワヲ"
        "ガギグゲゴ" "ザジズゼゾ" "ダヂヅデド" "バビブベボ" "パピプペポ" "ヴンャュョッ"
        // Hiragana.
        "ぁぃぅぇぉあいうえお" "かきくけこ" "さしすせそ" "たちつてと" "なにぬねの" "はひふへほ"
        "まみむめも" "やゆよ" "らりるれろ" "わを"
        "がぎぐげご" "ざじずぜぞ" "だぢづでど" "ばびぶべぼ" "ぱぴぷぺぽ" "ヴんゃゅょっー";
    const std::vector<std::string> codes = words(
        kBaseCodes + "- n ya yu yo tu " +
        kBaseCodes + kVoicedCodes + "VU n ya yu yo tu " +
        kBaseCodes + kVoicedCodes + "VU n ya yu yo tu -");
    // clang-format on
    const std::vector<std::string> chars = characters(listing);
    const auto table = kanaTable();
    ASSERT_EQ(table.size(), kKanaRowCount);
    ASSERT_EQ(chars.size(), kKanaRowCount);
    ASSERT_EQ(codes.size(), kKanaRowCount);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].character, chars[i]) << "row " << i << " should be " << utf8(chars[i]);
        EXPECT_EQ(table[i].code, codes[i]) << "row " << i << " " << utf8(chars[i]);
    }
}

// Dakuten on U and the K, S, T, H rows, handakuten on the H rows; the hiragana き し ち ひ
// carry none.
TEST(MdTextTables, VoicingAlternatesFollowTheSyllableRows) {
    const std::vector<std::string> bases =
        words("KA KI KU KE KO SA SI SU SE SO TA TI TU TE TO HA HI HU HE HO");
    const std::vector<std::string> voiced = words(kVoicedCodes);
    const std::vector<std::string> hiraganaWithout = characters("きしちひ");
    const auto table = kanaTable();
    int withDakuten = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const KanaRow& row = table[i];
        std::string dakuten, handakuten;
        // Only the base rows (not the voiced rows GA..PO themselves) carry alternates.
        const bool baseRow =
            std::find(voiced.begin(), voiced.end(), std::string(row.code)) == voiced.end();
        if (baseRow && row.code == "U") dakuten = "VU";
        for (std::size_t b = 0; baseRow && b < bases.size(); ++b) {
            if (row.code == bases[b]) dakuten = voiced[b];
            if (row.code == bases[b] && b >= 15) handakuten = voiced[b + 5];
        }
        if (std::find(hiraganaWithout.begin(), hiraganaWithout.end(), std::string(row.character)) !=
            hiraganaWithout.end()) {
            dakuten.clear();
            handakuten.clear();
        }
        EXPECT_EQ(row.dakuten, dakuten) << "row " << i << " " << utf8(row.character);
        EXPECT_EQ(row.handakuten, handakuten) << "row " << i << " " << utf8(row.character);
        if (!row.dakuten.empty()) ++withDakuten;
    }
    // 21 per katakana width (U + 20 syllables), 17 in hiragana.
    EXPECT_EQ(withDakuten, 21 + 21 + 17);
}

TEST(MdTextTables, SymbolRowsInOrder) {
    // clang-format off
    const std::vector<std::string> chars = characters(
        "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
        "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"
        "０１２３４５６７８９"
        "！”＃＄％＆’（）＊＋，－．／：；＜＝＞？＠＿￣　");
    // clang-format on
    const std::string codes =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!\"#$%&'()*+,-./:;<=>?@_~ ";
    const auto table = symbolTable();
    ASSERT_EQ(table.size(), kSymbolRowCount);
    ASSERT_EQ(chars.size(), kSymbolRowCount);
    ASSERT_EQ(codes.size(), kSymbolRowCount);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].character, chars[i]) << "row " << i << " should be " << utf8(chars[i]);
        EXPECT_EQ(table[i].code, codes.substr(i, 1)) << "row " << i;
    }
}

TEST(MdTextTables, DecodingRowsInOrder) {
    const std::vector<std::string> codes = words(kBaseCodes + kVoicedCodes + "VU n ya yu yo tu");
    // clang-format off
    const std::vector<std::string> shown = words(
        "ｧ ｨ ｩ ｪ ｫ ｱ ｲ ｳ ｴ ｵ ｶ ｷ ｸ ｹ ｺ ｻ ｼ ｽ ｾ ｿ ﾀ ﾁ ﾂ ﾃ ﾄ "
        "ﾅ ﾆ ﾇ ﾈ ﾉ ﾊ ﾋ ﾌ ﾍ ﾎ ﾏ ﾐ ﾑ ﾒ ﾓ ﾔ ﾕ ﾖ ﾗ ﾘ ﾙ ﾚ ﾛ ﾜ ｦ "
        "ｶﾞ ｷﾞ ｸﾞ ｹﾞ ｺﾞ ｻﾞ ｼﾞ ｽﾞ ｾﾞ ｿﾞ ﾀﾞ ﾁﾞ ﾂﾞ ﾃﾞ ﾄﾞ "
        "ﾊﾞ ﾋﾞ ﾌﾞ ﾍﾞ ﾎﾞ ﾊﾟ ﾋﾟ ﾌﾟ ﾍﾟ ﾎﾟ ｳﾞ ﾝ ｬ ｭ ｮ ｯ");
    // clang-format on
    const std::string signs = "0123456789!\"#$%&'()*+,-./:;<=>?@_~ `";
    const auto table = decodingTable();
    ASSERT_EQ(table.size(), kDecodingRowCount);
    ASSERT_EQ(codes.size() + signs.size(), kDecodingRowCount);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(table[i].code, codes[i]) << "row " << i;
        EXPECT_EQ(table[i].display, sj(shown[i])) << "row " << i << " should show " << shown[i];
    }
    for (std::size_t i = 0; i < signs.size(); ++i) {
        const DecodingRow& row = table[codes.size() + i];
        EXPECT_EQ(row.code, signs.substr(i, 1));
        EXPECT_EQ(row.display, signs.substr(i, 1));
    }
}

TEST(MdTextTables, AllowedBytesAndMarks) {
    EXPECT_EQ(allowedBytes(),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!\"#$%&'()*+,-./"
              ":;<=>?@_~ `");
    EXPECT_EQ(allowedBytes().size(), kAllowedByteCount);
    for (char c : std::string("^[]{}|\\"))
        EXPECT_FALSE(isAllowedByte(static_cast<unsigned char>(c))) << c;
    EXPECT_FALSE(isAllowedByte(0));
    EXPECT_FALSE(isAllowedByte(0xB1));
    EXPECT_EQ(kHalfDakuten, sj("ﾞ"));
    EXPECT_EQ(kHalfHandakuten, sj("ﾟ"));
    EXPECT_EQ(kFullDakuten, sj("゛"));
    EXPECT_EQ(kFullHandakuten, sj("゜"));
    EXPECT_EQ(kFullLongVowel, sj("ー"));
    EXPECT_EQ(kFullMinus, sj("－"));
}

}  // namespace
}  // namespace tovik::disc
