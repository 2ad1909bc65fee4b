#pragma once
// How the print title breaks into the disc label's two lines. Texts are code-page bytes; every
// step moves over whole characters, so a two-byte character is never cut.

#include <functional>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace tovik::label {

struct DiscTitleLines {
    std::string line1;
    std::string line2;
    bool operator==(const DiscTitleLines&) const = default;
};

// The width of a text (code-page bytes) in the font it is drawn with.
using TextWidth = std::function<int(std::string_view)>;

// Breaks `title` for lines `width` wide. A title that fits stays on line 1. Otherwise line 1 takes
// as many whole words as fit (a word ends at a space, hyphen, full stop or solidus, or at the
// ideographic space, fullwidth full stop, katakana middle dot or fullwidth solidus), keeping the
// break character that ends it, when the rest then fits on line 2; failing that, line 1 is the
// longest prefix that fits and line 2 all the rest (clipped where it is drawn).
DiscTitleLines splitDiscTitle(std::string_view title, int width, const CodePage& codePage, const TextWidth& measure);

}  // namespace tovik::label
