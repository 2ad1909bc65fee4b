#pragma once
// The name pop-up's text and size: the whole name in lines of 25 characters, the edit just big
// enough for them, and at most five lines before a vertical scroll bar takes over.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace tovik::ui {

constexpr std::size_t kNamePopupLineChars = 25;
constexpr int kNamePopupVisibleLines = 5;

struct NamePopupMetrics {
    // A line's extent in the edit's font.
    std::function<Size(std::string_view utf8)> measure;
    int scrollBarWidth = 0;
    // The edit's left and right text margins together.
    int margins = 0;
};

struct NamePopupLayout {
    std::vector<std::string> lines;  // UTF-8
    bool scrollBar = false;
    // The edit's client area, scroll bar included when there is one.
    Size editClient;

    // The lines joined with line breaks.
    std::string text() const;
};

NamePopupLayout layoutNamePopup(std::string_view utf8Name, const NamePopupMetrics& metrics);

}  // namespace tovik::ui
