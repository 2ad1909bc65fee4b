#include "labeleditor/ui/point_size.h"

#include <climits>

namespace tovik::label {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<int> pointsOfSizeValue(int value) {
    if (value < 0) return std::nullopt;
    return static_cast<int>((static_cast<long long>(value) * 30 + 15) / 40);
}

std::string sizeText(int value) {
    auto points = pointsOfSizeValue(value);
    return points ? std::to_string(*points) : std::string();
}

int sizeValueOfPoints(long long points) {
    if (points < 0) return 0;
    const long long value = (points * 40 + 20) / 30;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int readSizeValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i == text.size()) return kSizeEmpty;

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    const std::size_t digits = i;
    // Long enough runs of digits are held at a size far beyond the largest, so they still
    // read as "too large" rather than wrapping round.
    constexpr long long kCap = 1'000'000'000;
    long long number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        number = number * 10 + (text[i] - '0');
        if (number > kCap) number = kCap;
        ++i;
    }
    if (i == digits) return kSizeGarbage;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i != text.size()) return kSizeGarbage;
    return negative ? 0 : sizeValueOfPoints(number);
}

std::optional<unsigned> sizeValueProblem(int value) {
    if (value == kSizeGarbage) return IDS_INVALID_NUMBER;
    if (value == 0 || value == 1 || value > kLargestSizeValue) return IDS_INVALID_FONT_SIZE;
    return std::nullopt;
}

}  // namespace tovik::label
