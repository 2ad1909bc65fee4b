#include "controller/ui/name_popup_layout.h"

#include <algorithm>

#include "controller/ui/utf8_chars.h"

namespace tovik::ui {

std::string NamePopupLayout::text() const {
    std::string joined;
    for (const std::string& line : lines) {
        if (!joined.empty()) joined += '\n';
        joined += line;
    }
    return joined;
}

NamePopupLayout layoutNamePopup(std::string_view name, const NamePopupMetrics& metrics) {
    NamePopupLayout layout;
    layout.lines = splitUtf8Every(name, kNamePopupLineChars);
    int width = 0;
    int height = 1;
    int lineHeight = 0;
    for (const std::string& line : layout.lines) {
        Size extent = metrics.measure(line);
        width = std::max(width, extent.cx);
        height += extent.cy;
        lineHeight = std::max(lineHeight, extent.cy);
    }
    if (static_cast<int>(layout.lines.size()) >= kNamePopupVisibleLines) {
        height = kNamePopupVisibleLines * lineHeight;
        layout.scrollBar = true;
        width += metrics.scrollBarWidth;
    }
    layout.editClient = {width + metrics.margins + 10, height + metrics.margins + 2};
    return layout;
}

}  // namespace tovik::ui
