#pragma once
// The character tables behind the disc-text conversions. Every character is held in CP932 bytes
// (one byte for half-width katakana, two for full-width characters and hiragana).
//
// A disc name holds only the allowed single bytes. Kana travel as romanised codes between carets
// (upper-case Nihon-shiki syllables, lower-case for small kana, n for the syllabic n), and come
// back from the disc as half-width katakana.

#include <cstddef>
#include <span>
#include <string_view>

namespace tovik::disc {

// A kana character with its code and the codes it takes when a voicing mark follows it.
// An empty alternate means the mark is dropped after this character.
struct KanaRow {
    std::string_view character;   // CP932 bytes
    std::string_view code;        // "-" for the long-vowel mark, which is no kana of a run
    std::string_view handakuten;  // after ﾟ or ゜
    std::string_view dakuten;     // after ﾞ or ゛
};

// A full-width letter, digit or sign and the allowed byte it becomes.
struct SymbolRow {
    std::string_view character;  // CP932 bytes
    std::string_view code;
};

// A code of disc text and the half-width text it shows as.
struct DecodingRow {
    std::string_view code;
    std::string_view display;  // CP932 bytes
};

inline constexpr std::size_t kAllowedByteCount = 88;
inline constexpr std::size_t kKanaRowCount = 219;
inline constexpr std::size_t kSymbolRowCount = 87;
inline constexpr std::size_t kDecodingRowCount = 117;

// The 88 bytes copied unchanged into disc form, in table order.
std::string_view allowedBytes();
std::span<const KanaRow> kanaTable();
std::span<const SymbolRow> symbolTable();
std::span<const DecodingRow> decodingTable();

bool isAllowedByte(unsigned char byte);

// The voicing marks in both widths.
inline constexpr std::string_view kHalfDakuten = "\xDE";         // ﾞ
inline constexpr std::string_view kHalfHandakuten = "\xDF";      // ﾟ
inline constexpr std::string_view kFullDakuten = "\x81\x4A";     // ゛
inline constexpr std::string_view kFullHandakuten = "\x81\x4B";  // ゜

// The long-vowel mark ー and the full-width minus －, which the edit filter types in its place.
inline constexpr std::string_view kFullLongVowel = "\x81\x5B";  // ー
inline constexpr std::string_view kFullMinus = "\x81\x7C";      // －

// First row holding the character (CP932 bytes), or nullptr.
const KanaRow* findKana(std::string_view character);
const SymbolRow* findSymbol(std::string_view character);

}  // namespace tovik::disc
