#include "labeleditor/ui/sleevon_view.h"

#include <algorithm>

namespace tovik::label {

namespace {

// The framework's default scroll amounts: a page is a tenth of the extent, a line a tenth of a
// page.
Size tenthOf(Size s) { return {std::max(1, s.cx / 10), std::max(1, s.cy / 10)}; }

Rect deviceRect(const Canvas& dc, const Rect& logical) {
    Point a = dc.logicalToDevice({logical.left, logical.top});
    Point b = dc.logicalToDevice({logical.right, logical.bottom});
    return Rect{a.x, a.y, b.x, b.y}.normalized();
}

// The strips a one-pixel outline of the device rectangle lies in, a pixel to spare each side.
void addOutline(std::vector<Rect>& out, const Rect& d) {
    out.push_back({d.left - 1, d.top - 1, d.right + 1, d.top + 2});
    out.push_back({d.left - 1, d.bottom - 2, d.right + 1, d.bottom + 1});
    out.push_back({d.left - 1, d.top - 1, d.left + 2, d.bottom + 1});
    out.push_back({d.right - 2, d.top - 1, d.right + 1, d.bottom + 1});
}

// Cuts UTF-8 text after `count` characters.
std::string firstCharacters(const std::string& utf8, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && chars++ == count) return utf8.substr(0, i);
    }
    return utf8;
}

}  // namespace

CSleevonView::CSleevonView(Host& host, CSleevonDoc& doc, LabelViewWindow& window, LabelPrinting& printing)
    : host_(host), doc_(doc), window_(window), printing_(printing) {
    doc_.addObserver(*this);
}

CSleevonView::~CSleevonView() { doc_.removeObserver(*this); }

LabelTexts CSleevonView::texts() const {
    return LabelTexts{doc_.m_strPrintTitle, doc_.m_listPrintTrackName, host_.codePage()};
}

std::unique_ptr<Canvas> CSleevonView::preparedWindowDC() {
    auto dc = window_.windowDC();
    dc->setMapMode(MapMode::LoMetric);
    const Point scroll = window_.scrollPosition();
    dc->setViewportOrigin({-scroll.x, -scroll.y});
    return dc;
}

// --- update hints ---

void CSleevonView::OnUpdate(unsigned hint) {
    {
        auto extent = window_.windowDC();
        extent->setMapMode(MapMode::LoMetric);
        const Rect total = deviceRect(*extent, {0, 0, kScrollExtent.cx, -kScrollExtent.cy});
        const Size totalSize{total.width(), total.height()};
        window_.setScrollSizes(totalSize, tenthOf(totalSize), tenthOf(tenthOf(totalSize)));
    }
    auto dc = preparedWindowDC();
    if (hint == HINT_FONTTYPE) {
        redrawFrames(*dc);
    } else if (hint == HINT_PRINTTITLE) {
        window_.invalidateAll();
    } else if (hint == HINT_TRACKNAMES) {
        invalidateArea(*dc, FONT_TRACK);
    } else if (hint >= HINT_FONT && hint < HINT_FONT + kFontTypeCount) {
        const int type = static_cast<int>(hint - HINT_FONT);
        rebuildFonts(type);
        invalidateArea(*dc, type);
    } else {
        rebuildFonts(-1);
        window_.invalidateAll();
    }
}

void CSleevonView::rebuildFonts(int type) {
    LabelFontDevice device(window_.logPixelsY(), host_.codePage());
    doc_.CreateFonts(device, deviceFonts_, type);
    fonts_ = fontSpecsOf(deviceFonts_);
}

void CSleevonView::invalidateArea(Canvas& dc, int type) {
    window_.invalidate(deviceRect(dc, kAreasOnScreen[static_cast<std::size_t>(type)].rect()));
}

void CSleevonView::redrawFrames(Canvas& dc) {
    std::vector<Rect> strips;
    for (const PlacedArea& placed : kAreasOnScreen) addOutline(strips, deviceRect(dc, placed.rect()));
    const Rect disc = kAreasOnScreen[FONT_DISCTITLE].rect();
    const Rect line = deviceRect(dc, {disc.left, (disc.top + disc.bottom) / 2, disc.right, (disc.top + disc.bottom) / 2});
    strips.push_back({line.left - 1, line.top - 1, line.right + 1, line.top + 2});
    window_.repaintNow(strips);
}

// --- painting and clicks ---

void CSleevonView::OnDraw(Canvas& dc) { drawScreenLabels(dc, texts(), fonts_, doc_.m_nFontType); }

void CSleevonView::OnLButtonDown(Point device) {
    auto dc = preparedWindowDC();
    const int type = areaAt(dc->deviceToLogical(device));
    // The view sets the type itself: no hint goes to the other views.
    if (type != doc_.m_nFontType) {
        doc_.m_nFontType = type;
        redrawFrames(*dc);
    }
}

// --- printing ---

std::string CSleevonView::jobName() const {
    return firstCharacters(doc_.pathName().filename().string(), kJobNameLength);
}

bool CSleevonView::OnPreparePrinting() { return printing_.printDialog(1); }

void CSleevonView::OnPrint(PrinterPage& page) {
    page.dc.setMapMode(MapMode::LoMetric);
    const Point offset{mulDiv(254, page.physicalOffset.x, page.logPixelsX),
                       mulDiv(254, page.physicalOffset.y, page.logPixelsY)};
    drawPrintedPage(page.dc, texts(), fonts_, PagePlacement{offset, doc_.m_nPrintH, doc_.m_nPrintV, page.preview});
}

void CSleevonView::print() {
    if (!OnPreparePrinting()) return;
    reportJob(printing_.printJob(jobName(), [this](PrinterPage& page) { OnPrint(page); }));
}

void CSleevonView::reportJob(PrintOutcome outcome) {
    switch (outcome) {
        case PrintOutcome::Printed: break;
        case PrintOutcome::NotStarted:
            host_.messageBoxId(IDS_PRINT_NOT_STARTED, Buttons::Ok, Icon::Exclamation);
            break;
        case PrintOutcome::Failed:
            host_.messageBoxId(IDS_COMMAND_FAILED, Buttons::Ok, Icon::Exclamation);
            break;
    }
}

void CSleevonView::printPreview() {
    auto paint = [this](PrinterPage& page) { OnPrint(page); };
    if (!printing_.printPreview(jobName(), paint, [this](PrintOutcome outcome) { reportJob(outcome); }))
        host_.messageBoxId(IDS_COMMAND_FAILED, Buttons::Ok, Icon::Exclamation);
}

}  // namespace tovik::label
