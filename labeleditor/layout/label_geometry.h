#pragma once
// The fixed geometry of the MiniDisc labels, in 0.1 mm with y growing upward (a point below an
// anchor has a smaller y). Only texts, fonts and the print offsets come from the document.

#include <array>

#include "labeleditor/document/document_ids.h"
#include "platform/canvas.h"

namespace tovik::label {

// One label area: where it lies from its anchor, which font writes in it, and how far the text
// keeps from its edges.
struct LabelArea {
    int fontType;
    Rect rect;     // upper edge first: top > bottom
    int insetX;    // from the left and right edges
    int insetY;    // from the upper and lower edges (of each half, for the disc label)
};

// The case label: a title band over a track area, 71.0 × 52.0 mm, sharing one anchor.
constexpr LabelArea kTitleBand{FONT_TITLE, {0, 0, 710, -60}, 20, 1};
constexpr LabelArea kTrackArea{FONT_TRACK, {0, -60, 710, -520}, 20, 20};
// The disc label, 35.0 × 18.0 mm, two lines on its own anchor.
constexpr LabelArea kDiscLabel{FONT_DISCTITLE, {0, 0, 350, -180}, 20, 1};

// The preview on screen: the case label at the origin, the disc label 17.0 mm right of its left
// edge and 3.0 mm below it; the view scrolls over both.
constexpr Point kCaseAnchorOnScreen{0, 0};
constexpr Point kDiscAnchorOnScreen{170, -550};
constexpr Size kScrollExtent{710, 730};

// The three areas as the screen places them, indexed by font type.
struct PlacedArea {
    LabelArea area;
    Point anchor;
    Rect rect() const { return area.rect.offset(anchor.x, anchor.y); }
};
constexpr std::array<PlacedArea, 3> kAreasOnScreen{{
    {kTitleBand, kCaseAnchorOnScreen},
    {kTrackArea, kCaseAnchorOnScreen},
    {kDiscLabel, kDiscAnchorOnScreen},
}};

// The area frames on screen: silver, aqua for the current font type.
constexpr Rgb kFrameSilver = rgb(192, 192, 192);
constexpr Rgb kFrameAqua = rgb(0, 255, 255);
// The middle line of the disc label keeps this far from its left and right edges.
constexpr int kMiddleLineInset = 2;

// The printed page: four label sets on a landscape A4 sheet, in two columns and two rows,
// measured from the paper's upper left corner (before the print offsets).
constexpr int kSheetWidth = 2970;
constexpr int kSheetHeight = 2100;
constexpr std::array<int, 2> kColumnLeft{250, 1485};  // 25.0 mm, 148.5 mm
constexpr std::array<int, 2> kRowTop{250, 1300};      // 25.0 mm, 130.0 mm
// A set's disc label from its case label's anchor: 75.0 mm right, lower edges level.
constexpr Point kDiscFromCaseOnPaper{750, -340};
constexpr Rgb kPreviewSheet = rgb(192, 192, 192);

}  // namespace tovik::label
