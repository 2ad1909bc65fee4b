#pragma once
// Drawing the labels through the canvas in 0.1 mm units (MapMode::LoMetric, y up): the case
// label and the disc label at any anchor, the area frames of the screen, and the printed page
// with its four label sets. The same code draws the screen preview, the print preview, the
// printer's page and a PDF.

#include <string>
#include <vector>

#include "labeleditor/layout/label_fonts.h"
#include "labeleditor/layout/label_geometry.h"
#include "platform/canvas.h"
#include "platform/codepage.h"

namespace tovik::label {

// The texts a label is printed from: code-page bytes, as the document holds them.
struct LabelTexts {
    const std::string& title;
    const std::vector<std::string>& trackNames;
    const CodePage& codePage;
};

// A rectangle given upper edge first, moved in by dx from the left and right and dy from the
// upper and lower edges.
Rect insetRect(const Rect& r, int dx, int dy);

// The case label with its upper left corner at `anchor`: outline, white areas, the title
// centred vertically in its band and cut at the band's inner right edge, then the track names
// from the top for as long as a whole name fits.
void drawCaseLabel(Canvas& dc, Point anchor, const LabelTexts& texts, const FontSpec& titleFont,
                   const FontSpec& trackFont);
// The disc label with its upper left corner at `anchor`: outline, white, the title on two lines.
void drawDiscLabel(Canvas& dc, Point anchor, const LabelTexts& texts, const FontSpec& font);

// The screen's frames around the three areas, aqua for the current font type, and the disc
// label's middle line.
void drawAreaFrames(Canvas& dc, int currentType);
// The preview on screen: both labels at their screen anchors, then the frames.
void drawScreenLabels(Canvas& dc, const LabelTexts& texts, const LabelFontSpecs& fonts, int currentType);
// The font type of the area under a point of the screen preview; 0 outside all three. An area
// holds its left and lower edges, not its right and upper ones.
int areaAt(Point logical);

// Where the printed page lies on the device.
struct PagePlacement {
    // The printable area's offset from the paper's upper left corner, 0.1 mm (x right, y down).
    Point printableOffset;
    int h = 0;  // print offsets, 0.1 mm: positive right
    int v = 0;  //                        positive down
    bool preview = false;  // the print preview shows the sheet in silver
};

// The printed page: four label sets at fixed distances from the paper's edge, moved by the
// offsets. No frames and no middle lines.
void drawPrintedPage(Canvas& dc, const LabelTexts& texts, const LabelFontSpecs& fonts, const PagePlacement& placement);

}  // namespace tovik::label
