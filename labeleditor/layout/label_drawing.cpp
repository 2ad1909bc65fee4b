#include "labeleditor/layout/label_drawing.h"

#include "labeleditor/layout/disc_title_split.h"

namespace tovik::label {

namespace {

constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kWhite = rgb(255, 255, 255);
// The outlines are drawn with the device's thinnest line.
const Pen kOutlinePen{kBlack, 0};

// An empty track name still takes a line.
const std::string kEmptyTrackName = " ";

TextStyle textStyle(const FontSpec& font) { return TextStyle{font, kBlack, std::nullopt}; }

void drawClipped(Canvas& dc, Point topLeft, const std::string& utf8, const FontSpec& font, const Rect& clip) {
    dc.drawText(topLeft, utf8, textStyle(font), TextOptions{clip, std::nullopt});
}

}  // namespace

Rect insetRect(const Rect& r, int dx, int dy) { return {r.left + dx, r.top - dy, r.right - dx, r.bottom + dy}; }

void drawCaseLabel(Canvas& dc, Point anchor, const LabelTexts& texts, const FontSpec& titleFont,
                   const FontSpec& trackFont) {
    const Rect band = kTitleBand.rect.offset(anchor.x, anchor.y);
    const Rect tracks = kTrackArea.rect.offset(anchor.x, anchor.y);

    // White areas in an outline one unit outside them. The outline goes on last: where a unit is
    // less than a device pixel (a preview, a PDF on screen) a fill drawn after it would cover it.
    dc.rectangle(band, Pen::none(), Brush{kWhite});
    dc.rectangle(tracks, Pen::none(), Brush{kWhite});
    dc.rectangle({tracks.left - 1, band.top + 1, band.right + 1, tracks.bottom - 1}, kOutlinePen, Brush::none());

    // The title, centred vertically; a taller one starts above the band and is cut there.
    const Rect innerBand = insetRect(band, kTitleBand.insetX, kTitleBand.insetY);
    const std::string title = texts.codePage.toUtf8(texts.title);
    const int titleHeight = dc.textExtent(titleFont, title).cy;
    const int bandHeight = innerBand.top - innerBand.bottom;
    drawClipped(dc, {innerBand.left, innerBand.top - (bandHeight - titleHeight) / 2}, title, titleFont, innerBand);

    // Track names from the top, as stored, while a name's whole height fits.
    const Rect innerTracks = insetRect(tracks, kTrackArea.insetX, kTrackArea.insetY);
    int y = innerTracks.top;
    for (const std::string& stored : texts.trackNames) {
        const std::string name = stored.empty() ? kEmptyTrackName : texts.codePage.toUtf8(stored);
        const int height = dc.textExtent(trackFont, name).cy;
        if (y - height < innerTracks.bottom) break;
        drawClipped(dc, {innerTracks.left, y}, name, trackFont, innerTracks);
        y -= height;
    }
}

void drawDiscLabel(Canvas& dc, Point anchor, const LabelTexts& texts, const FontSpec& font) {
    const Rect label = kDiscLabel.rect.offset(anchor.x, anchor.y);
    dc.rectangle(label, kOutlinePen, Brush{kWhite});

    const int middle = (label.top + label.bottom) / 2;
    const Rect upper = insetRect({label.left, label.top, label.right, middle}, kDiscLabel.insetX, kDiscLabel.insetY);
    const Rect lower = insetRect({label.left, middle, label.right, label.bottom}, kDiscLabel.insetX, kDiscLabel.insetY);

    const CodePage& cp = texts.codePage;
    auto width = [&](std::string_view bytes) { return dc.textExtent(font, cp.toUtf8(bytes)).cx; };
    const DiscTitleLines lines = splitDiscTitle(texts.title, upper.width(), cp, width);
    const std::string line1 = cp.toUtf8(lines.line1);
    const std::string line2 = cp.toUtf8(lines.line2);

    // Both lines keep the first line's distance from the upper edge of their half.
    const int off = ((upper.top - upper.bottom) - dc.textExtent(font, line1).cy) / 2;
    drawClipped(dc, {upper.left, upper.top - off}, line1, font, upper);
    drawClipped(dc, {lower.left, lower.top - off}, line2, font, lower);
}

void drawAreaFrames(Canvas& dc, int currentType) {
    auto penFor = [currentType](int type) { return Pen{type == currentType ? kFrameAqua : kFrameSilver, 1}; };
    for (const PlacedArea& placed : kAreasOnScreen) dc.rectangle(placed.rect(), penFor(placed.area.fontType), Brush::none());
    const Rect disc = kAreasOnScreen[FONT_DISCTITLE].rect();
    const int middle = (disc.top + disc.bottom) / 2;
    dc.line({disc.left + kMiddleLineInset, middle}, {disc.right - kMiddleLineInset, middle}, penFor(FONT_DISCTITLE));
}

void drawScreenLabels(Canvas& dc, const LabelTexts& texts, const LabelFontSpecs& fonts, int currentType) {
    dc.setMapMode(MapMode::LoMetric);
    drawCaseLabel(dc, kCaseAnchorOnScreen, texts, fonts[FONT_TITLE], fonts[FONT_TRACK]);
    drawDiscLabel(dc, kDiscAnchorOnScreen, texts, fonts[FONT_DISCTITLE]);
    drawAreaFrames(dc, currentType);
}

int areaAt(Point logical) {
    for (const PlacedArea& placed : kAreasOnScreen)
        if (placed.rect().contains(logical)) return placed.area.fontType;
    return FONT_TITLE;
}

void drawPrintedPage(Canvas& dc, const LabelTexts& texts, const LabelFontSpecs& fonts, const PagePlacement& placement) {
    dc.setMapMode(MapMode::LoMetric);
    // The sheet is measured from the printable area's origin, as the preview shows it.
    if (placement.preview) dc.fillRect({0, 0, kSheetWidth, -kSheetHeight}, kPreviewSheet);
    for (int column : kColumnLeft) {
        for (int row : kRowTop) {
            const Point caseAnchor{-placement.printableOffset.x + column + placement.h,
                                   placement.printableOffset.y - row - placement.v};
            drawCaseLabel(dc, caseAnchor, texts, fonts[FONT_TITLE], fonts[FONT_TRACK]);
            drawDiscLabel(dc, {caseAnchor.x + kDiscFromCaseOnPaper.x, caseAnchor.y + kDiscFromCaseOnPaper.y}, texts,
                          fonts[FONT_DISCTITLE]);
        }
    }
}

}  // namespace tovik::label
