#include "labeleditor/layout/disc_title_split.h"

#include <array>
#include <cstdint>

namespace tovik::label {

namespace {

// Two-byte break characters of code page 932: ideographic space, fullwidth full stop, katakana
// middle dot, fullwidth solidus.
constexpr std::array<std::uint16_t, 4> kDoubleByteBreaks{0x8140, 0x8144, 0x8145, 0x815E};
constexpr std::string_view kSingleByteBreaks = " -./";

std::uint8_t byteAt(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

// Bytes of the character at `pos`: 2 for a lead byte with its trail byte present, else 1.
std::size_t charLength(std::string_view s, std::size_t pos, const CodePage& cp) {
    return cp.isLeadByte(byteAt(s, pos)) && pos + 1 < s.size() ? 2 : 1;
}

bool isBreak(std::string_view s, std::size_t pos, std::size_t length) {
    if (length == 1) return kSingleByteBreaks.find(s[pos]) != std::string_view::npos;
    const auto code = static_cast<std::uint16_t>(byteAt(s, pos) << 8 | byteAt(s, pos + 1));
    for (std::uint16_t b : kDoubleByteBreaks)
        if (code == b) return true;
    return false;
}

// Single-byte white space; no trail byte of a two-byte character is one, so trimming bytes from
// the end never cuts a character.
bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view trimmedRight(std::string_view s) {
    while (!s.empty() && isWhiteSpace(s.back())) s.remove_suffix(1);
    return s;
}

DiscTitleLines splitAt(std::string_view title, std::size_t pos) {
    return {std::string(title.substr(0, pos)), std::string(title.substr(pos))};
}

// Line 1 is the longest prefix that fits and ends on a character boundary (possibly empty).
DiscTitleLines splitByCharacters(std::string_view title, int width, const CodePage& cp, const TextWidth& measure) {
    std::size_t best = 0;
    for (std::size_t pos = 0; pos < title.size();) {
        pos += charLength(title, pos, cp);
        if (measure(title.substr(0, pos)) <= width) best = pos;
    }
    return splitAt(title, best);
}

}  // namespace

DiscTitleLines splitDiscTitle(std::string_view title, int width, const CodePage& cp, const TextWidth& measure) {
    auto fits = [&](std::string_view text) { return measure(text) <= width; };
    if (fits(title)) return {std::string(title), {}};

    // Walk over words while the title up to the end of the next word still fits.
    std::size_t pos = 0;
    while (pos < title.size()) {
        std::size_t end = pos;
        std::size_t breakLength = 0;
        while (end < title.size()) {
            std::size_t length = charLength(title, end, cp);
            if (isBreak(title, end, length)) {
                breakLength = length;
                break;
            }
            end += length;
        }
        const std::size_t next = end + breakLength;
        if (!fits(trimmedRight(title.substr(0, next)))) {
            // Overflow at pos: whole words on line 1 when the rest fits on line 2.
            if (fits(title.substr(pos))) return splitAt(title, pos);
            return splitByCharacters(title, width, cp, measure);
        }
        pos = next;
    }
    return splitAt(title, pos);
}

}  // namespace tovik::label
