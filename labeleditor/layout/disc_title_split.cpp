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

// Single-byte white space; no byte of a two-byte character is one, so looking at single bytes
// never cuts a character.
bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

DiscTitleLines splitAt(std::string_view title, std::size_t pos) {
    return {std::string(title.substr(0, pos)), std::string(title.substr(pos))};
}

// Line 1 is the longest prefix that fits and ends on a character boundary (possibly empty). A
// character never makes a text narrower, so the search ends at the first prefix that is too
// wide: a long title costs no more than the few characters that fit.
DiscTitleLines splitByCharacters(std::string_view title, int width, const CodePage& cp, const TextWidth& measure) {
    std::size_t best = 0;
    for (std::size_t pos = 0; pos < title.size();) {
        pos += charLength(title, pos, cp);
        if (measure(title.substr(0, pos)) > width) break;
        best = pos;
    }
    return splitAt(title, best);
}

}  // namespace

DiscTitleLines splitDiscTitle(std::string_view title, int width, const CodePage& cp, const TextWidth& measure) {
    auto fits = [&](std::string_view text) { return measure(text) <= width; };
    if (fits(title)) return {std::string(title), {}};

    // Walk over words while the title up to the end of the next word still fits. `kept` is where
    // the title up to pos ends without its trailing white space; each step looks only at its own
    // word, so a title of many breaks is walked in linear time.
    std::size_t pos = 0;
    std::size_t kept = 0;
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
        // The candidate: the title up to next without its trailing white space.
        std::size_t candidateEnd = kept;
        for (std::size_t i = pos; i < next; ++i)
            if (!isWhiteSpace(title[i])) candidateEnd = i + 1;
        // A step over white space alone leaves the candidate as it was, and it fitted.
        const bool unchanged = pos > 0 && candidateEnd == kept;
        if (!unchanged && !fits(title.substr(0, candidateEnd))) {
            // Overflow at pos: whole words on line 1 when the rest fits on line 2.
            if (fits(title.substr(pos))) return splitAt(title, pos);
            return splitByCharacters(title, width, cp, measure);
        }
        kept = candidateEnd;
        pos = next;
    }
    return splitAt(title, pos);
}

}  // namespace tovik::label
