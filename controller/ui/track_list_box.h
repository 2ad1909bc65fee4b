#pragma once
// The rows of the track list editor's list, drawn by the list itself: each track's number after
// the mark's width, its name after that, the mark (a yellow arrow) on the row where a move
// would insert, and the last row "^^" (the end of the disc) drawn blank and never highlighted.

#include <string>

#include "platform/canvas.h"

namespace tovik::ui {

// One row as the list asks for it to be drawn.
struct TrackListItem {
    int index = -1;  // -1: no row (nothing is drawn)
    Rect rect;
    std::string text;  // UTF-8
    bool selected = false;
    bool focused = false;
    bool disabled = false;
};

class TrackListBox {
public:
    static constexpr std::string_view kEndRow = "^^";

    explicit TrackListBox(FontSpec font = FontSpec{"Arial", -12, 400});

    // The row the mark is on; -1 for none. The track list editor moves it.
    void setMarkedItem(int index) { marked_ = index; }
    int markedItem() const { return marked_; }
    const FontSpec& font() const { return font_; }

    // The height of every row: the text's cell, and room for the mark below its first pixel row.
    int itemHeight(const Canvas& canvas) const;
    // Draws one row. currentSelection is the list's selected row (-1 for none): it carries no
    // mark.
    void drawItem(Canvas& canvas, const TrackListItem& item, int currentSelection) const;

private:
    FontSpec font_;
    int marked_ = -1;
};

}  // namespace tovik::ui
