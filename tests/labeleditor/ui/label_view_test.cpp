// The label view as behaviour: what each hint rebuilds and repaints, clicks, the scroll extent,
// the printed page it hands over, the printing procedure's messages, and the print position
// dialog's logic.
#include "labeleditor/ui/sleevon_view.h"

#include <gtest/gtest.h>

#include "labeleditor/document/short_label_writer.h"
#include "labeleditor/ui/print_position_dlg.h"
#include "platform/fake/fake_host.h"
#include "platform/fake/recording_canvas.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/document/temp_folder.h"

namespace tovik::label {
namespace {

// A window whose device pixel is one 0.1 mm unit (the recording canvas's mapping).
class FakeViewWindow : public LabelViewWindow {
public:
    int logPixelsY() const override { return dpi; }
    std::unique_ptr<Canvas> windowDC() override { return std::make_unique<fake::RecordingCanvas>(); }
    Point scrollPosition() const override { return scroll; }
    void setScrollSizes(Size t, Size p, Size l) override { total = t, page = p, line = l; }
    void invalidate(const Rect& device) override { invalidated.push_back(device); }
    void invalidateAll() override { ++wholeInvalidations; }
    void repaintNow(const std::vector<Rect>& device) override { repainted.push_back(device); }
    void reset() { invalidated.clear(), repainted.clear(), wholeInvalidations = 0; }

    int dpi = 96;
    Point scroll;
    Size total, page, line;
    std::vector<Rect> invalidated;
    std::vector<std::vector<Rect>> repainted;
    int wholeInvalidations = 0;
};

class FakePrinting : public LabelPrinting {
public:
    bool printDialog(int maxPage) override {
        dialogMaxPages.push_back(maxPage);
        return dialogAnswer;
    }
    PrintOutcome printJob(const std::string& name, const PagePainter& paint) override {
        jobNames.push_back(name);
        if (outcome != PrintOutcome::NotStarted) paint(page);
        return outcome;
    }
    bool printPreview(const std::string&, const PagePainter& paint, const JobReport& report) override {
        if (!previewStarts) return false;
        PrinterPage previewPage = page;
        previewPage.preview = true;
        paint(previewPage);
        if (previewPrintOutcome) report(*previewPrintOutcome);
        return true;
    }

    fake::RecordingCanvas canvas;
    PrinterPage page{canvas, 600, 600, {}, false};
    bool dialogAnswer = true;
    PrintOutcome outcome = PrintOutcome::Printed;
    bool previewStarts = true;
    std::optional<PrintOutcome> previewPrintOutcome;
    std::vector<int> dialogMaxPages;
    std::vector<std::string> jobNames;
};

class LabelViewTest : public testing::Test {
protected:
    LabelViewTest() {
        auto path = folder / "a label with a long file name.slv";
        const std::vector<std::string> tracks{"Morning Tide", ""};
        writeShortLabelFile(path, "Harbour Lights", tracks);
        doc.OnOpenDocument(path);
        doc.addObserver(hints);
        view.OnInitialUpdate();
        window.reset();
    }
    const std::vector<Rect>& lastRepaint() const { return window.repainted.back(); }

    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;  // the GUI font: −12 high, "Sans Serif"
    test::TempFolder folder;
    CSleevonDoc doc{host, ui};
    test::HintRecorder hints;
    FakeViewWindow window;
    FakePrinting printing;
    CSleevonView view{host, doc, window, printing};
};

TEST_F(LabelViewTest, FontsAreTheRecordsScaledForTheWindowAndRebuiltOnlyByTheirHints) {
    // The stored default is −15 high: −MulDiv(15, 96 × 254, 10000) = −37.
    EXPECT_EQ(view.fonts()[FONT_TITLE].height, -37);
    EXPECT_EQ(view.fonts()[FONT_DISCTITLE].face, "Sans Serif");
    EXPECT_EQ(window.total, (Size{710, 730}));
    EXPECT_EQ(window.page, (Size{71, 73}));
    EXPECT_EQ(window.line, (Size{7, 7}));

    window.dpi = 120;
    doc.m_arrFont[FONT_TITLE].height = -20;
    doc.m_arrFont[FONT_TRACK].height = -20;
    doc.UpdateAllViews(HINT_FONT + FONT_TRACK);
    EXPECT_EQ(view.fonts()[FONT_TRACK].height, -61);  // 20 × 120 × 254 / 10000 = 60.96
    EXPECT_EQ(view.fonts()[FONT_TITLE].height, -37);  // untouched
    EXPECT_EQ(window.invalidated, (std::vector<Rect>{{0, 60, 710, 520}}));
    EXPECT_EQ(window.wholeInvalidations, 0);

    // Any other hint rebuilds all three and repaints everything.
    window.reset();
    doc.UpdateAllViews(0x1234);
    EXPECT_EQ(view.fonts()[FONT_TITLE].height, -61);
    EXPECT_EQ(view.fonts()[FONT_DISCTITLE].height, -46);
    EXPECT_EQ(window.wholeInvalidations, 1);
}

TEST_F(LabelViewTest, TextHintsRepaintTheirAreaAndATypeChangeOnlyTheFrames) {
    window.scroll = {0, 100};
    doc.setPrintTrackName(0, "Evening Tide");
    EXPECT_EQ(window.invalidated, (std::vector<Rect>{{0, -40, 710, 420}}));  // scrolled up by 100
    doc.setPrintTitle("Harbour");
    EXPECT_EQ(window.wholeInvalidations, 1);

    window.reset();
    doc.SetFontType(FONT_DISCTITLE);
    EXPECT_TRUE(window.invalidated.empty());
    EXPECT_EQ(window.wholeInvalidations, 0);
    ASSERT_EQ(window.repainted.size(), 1u);
    // Thin strips along the three frames and the middle line, nothing of the label's inside.
    for (const Rect& strip : lastRepaint()) EXPECT_LE(std::min(strip.width(), strip.height()), 3);
    EXPECT_EQ(lastRepaint().back(), (Rect{169, 539, 521, 542}));  // the middle line at 640 − 100
}

TEST_F(LabelViewTest, AClickSelectsTheAreaUnderItWithoutTellingTheOtherViews) {
    hints.take();
    window.scroll = {0, 100};
    view.OnLButtonDown({10, 150});  // label point (10, −250): the track area
    EXPECT_EQ(doc.m_nFontType, FONT_TRACK);
    EXPECT_EQ(window.repainted.size(), 1u);
    view.OnLButtonDown({200, 600});  // (200, −700): the disc label
    EXPECT_EQ(doc.m_nFontType, FONT_DISCTITLE);
    view.OnLButtonDown({100, 440});  // (100, −540): the gap between the labels
    EXPECT_EQ(doc.m_nFontType, FONT_TITLE);
    view.OnLButtonDown({100, 440});  // no change, nothing redrawn
    EXPECT_EQ(window.repainted.size(), 3u);
    EXPECT_TRUE(hints.take().empty());
}

TEST_F(LabelViewTest, PrintingUsesTheOffsetsThePrintableAreaAndTheWindowsFonts) {
    doc.m_nPrintH = -100;
    doc.m_nPrintV = 100;
    printing.page.physicalOffset = {83, 83};  // 3.5 mm at 600 dpi
    view.print();
    EXPECT_EQ(printing.dialogMaxPages, (std::vector<int>{1}));
    // The job is named after the document, cut to 31 characters.
    EXPECT_EQ(printing.jobNames, (std::vector<std::string>{"a label with a long file name.s"}));
    auto rects = printing.canvas.opsOf(fake::CanvasOp::Kind::Rectangle);
    ASSERT_FALSE(rects.empty());
    // The first title band: 250 − 35 − 100 = 115 across; −(250 − 35 + 100) = −315 down.
    EXPECT_EQ(rects.front().rect.left, 115);
    EXPECT_EQ(rects.front().rect.top, -315);
    for (const auto& text : printing.canvas.opsOf(fake::CanvasOp::Kind::Text))
        EXPECT_EQ(text.style.font.height, -37);  // made for the window, not for 600 dpi

    // The sheet is silver in the preview only.
    printing.canvas.clear();
    view.printPreview();
    EXPECT_EQ(printing.canvas.opsOf(fake::CanvasOp::Kind::FillRect).front().color, kPreviewSheet);
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(LabelViewTest, RefusedJobsAndPreviewsAreReportedAndACancelledDialogPrintsNothing) {
    printing.dialogAnswer = false;
    view.print();
    EXPECT_TRUE(printing.jobNames.empty());
    EXPECT_TRUE(host.shownBoxes.empty());

    printing.dialogAnswer = true;
    printing.outcome = PrintOutcome::NotStarted;
    view.print();
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes.back().text, "Could not start print job.");
    EXPECT_TRUE(printing.canvas.ops.empty());

    printing.previewStarts = false;
    view.printPreview();
    EXPECT_EQ(host.shownBoxes.back().text, "Command failed.");

    // Printing from the preview reports a refused job the same way.
    printing.previewStarts = true;
    printing.previewPrintOutcome = PrintOutcome::NotStarted;
    view.printPreview();
    EXPECT_EQ(host.shownBoxes.back().text, "Could not start print job.");
}

// The dialog's keys and read-outs are tested on screen (label_view_window_test); here the
// read-out's form at the ends of the range.
TEST(PrintPositionDlgTest, ReadOutsShowSignedMillimetres) {
    EXPECT_EQ(CPrintPositionDlg::offsetText(-15), "-1.5 mm");
    EXPECT_EQ(CPrintPositionDlg::offsetText(0), " 0.0 mm");
    EXPECT_EQ(CPrintPositionDlg::offsetText(5), " 0.5 mm");
    EXPECT_EQ(CPrintPositionDlg::offsetText(100), " 10.0 mm");
    EXPECT_EQ(CPrintPositionDlg::offsetText(-100), "-10.0 mm");
}

}  // namespace
}  // namespace tovik::label
