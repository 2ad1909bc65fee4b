#pragma once
// Character steps through UTF-8 text: the display cuts and breaks names by characters, never
// inside one.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovik::ui {

// Removes the last character (code point); nothing for an empty text.
void dropLastUtf8Char(std::string& text);

// The text in pieces of `charsPerLine` characters; the last piece may be shorter. No pieces for
// an empty text.
std::vector<std::string> splitUtf8Every(std::string_view text, std::size_t charsPerLine);

}  // namespace tovik::ui
