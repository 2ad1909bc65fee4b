#pragma once
// Font sizes as the format bar's size box shows them. The document takes and reports a font's
// size as a font height value (the character height in pixels of the screen); the box shows
// points, converted with the screen's 4 : 3 ratio of pixels to points and rounded to the
// nearest whole number.

#include <optional>
#include <string>
#include <string_view>

namespace tovik::label {

// What the size box's text reads as.
constexpr int kSizeEmpty = -1;    // nothing but spaces and tabs
constexpr int kSizeGarbage = -2;  // not a whole number

// The largest font height value the document takes.
constexpr int kLargestSizeValue = 32760;

// The points shown for a font height value: (value × 30 + 15) / 40; none for a negative value.
std::optional<int> pointsOfSizeValue(int value);
// The box's text for a value: the points, or empty for a negative value.
std::string sizeText(int value);
// The font height value of p points: (p × 40 + 20) / 30; 0 for a negative p.
int sizeValueOfPoints(long long points);
// Reads the box's text: leading and trailing spaces and tabs are skipped; empty gives
// kSizeEmpty, anything but an optionally signed decimal number gives kSizeGarbage.
int readSizeValue(std::string_view text);

// The message for a value read from the box (120 "Invalid number.", 121 "Invalid font size ."),
// or none when the value may be applied or the box is empty.
std::optional<unsigned> sizeValueProblem(int value);

constexpr unsigned IDS_INVALID_NUMBER = 120;
constexpr unsigned IDS_INVALID_FONT_SIZE = 121;

}  // namespace tovik::label
