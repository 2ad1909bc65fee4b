#include "controller/ui/track_list_box.h"

#include <algorithm>
#include <cstdio>

#include "resources/skin/skin_catalog.h"

namespace tovik::ui {

namespace {
// The mark: its top-left pixel's colour is left out when it is drawn.
constexpr std::string_view kMark = skin::bitmap::kTrackMark;
}  // namespace

TrackListBox::TrackListBox(FontSpec font) : font_(std::move(font)) {}

int TrackListBox::itemHeight(const Canvas& canvas) const {
    const int mark = canvas.bitmapSize(kMark).cy;
    return std::max(canvas.textExtent(font_, "XXXX").cy, mark + 2);
}

void TrackListBox::drawItem(Canvas& canvas, const TrackListItem& item, int currentSelection) const {
    if (item.index == -1) return;
    const Rect& r = item.rect;
    const Size mark = canvas.bitmapSize(kMark);
    const bool endRow = item.text == kEndRow;

    const bool highlight = item.selected && !endRow;
    TextStyle style{font_,
                    canvas.systemColor(highlight ? SystemColor::HighlightText : SystemColor::WindowText),
                    canvas.systemColor(highlight ? SystemColor::Highlight : SystemColor::Window)};
    if (item.disabled) style.color = canvas.systemColor(SystemColor::GrayText);

    if (endRow) {
        canvas.drawText({r.left, r.top}, " ", style, TextOptions{std::nullopt, r});
    } else {
        const Size xxxx = canvas.textExtent(font_, "XXXX");
        const int y = r.top + std::max(0, (r.height() - xxxx.cy) / 2);
        canvas.drawText({r.left + mark.cx + xxxx.cx + 2, y}, item.text, style, TextOptions{std::nullopt, r});
        char number[16];
        std::snprintf(number, sizeof number, "%3d", item.index + 1);
        TextStyle transparent = style;
        transparent.background.reset();
        canvas.drawText({r.left + mark.cx, y}, number, transparent, TextOptions{r, std::nullopt});
    }

    if (item.index != currentSelection && item.index == marked_) {
        if (auto key = canvas.bitmapPixel(kMark, {0, 0})) {
            canvas.drawBitmapTransparent(kMark, {r.left, r.top + 1}, *key);
        }
    }
    if (!endRow && item.focused) canvas.focusRect(r);
}

}  // namespace tovik::ui
