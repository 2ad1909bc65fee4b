#pragma once
// CSleevonView, the label preview in the left pane: the case label and the disc label at true
// size in 0.1 mm units, with frames around the three areas (aqua for the current font type). It
// keeps the label's three fonts, made for the window's resolution and used unchanged for the
// print preview and the printer; follows the document's update hints; selects the font type on
// a click; and prints four label sets on one page.

#include <string>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/layout/label_drawing.h"
#include "labeleditor/ui/frame_view.h"
#include "labeleditor/ui/label_view_ports.h"
#include "platform/host.h"

namespace tovik::label {

// Strings of the printing procedure.
constexpr unsigned IDS_PRINT_NOT_STARTED = 61702;  // "Could not start print job."
constexpr unsigned IDS_COMMAND_FAILED = 61705;     // "Command failed."

// A print job's name is at most this many characters of the document's title.
constexpr std::size_t kJobNameLength = 31;

class CSleevonView : public LabelPreview, public DocumentObserver {
public:
    CSleevonView(Host& host, CSleevonDoc& doc, LabelViewWindow& window, LabelPrinting& printing);
    ~CSleevonView();
    CSleevonView(const CSleevonView&) = delete;
    CSleevonView& operator=(const CSleevonView&) = delete;

    // --- FrameView ---
    void OnInitialUpdate() override { OnUpdate(0); }
    bool onCommand(unsigned) override { return false; }
    std::optional<CommandState> commandState(unsigned) const override { return std::nullopt; }

    // --- the view's operations ---
    // A hint from the document: rebuilds the fonts it names and repaints what it changed.
    void OnUpdate(unsigned hint);
    // Paints the preview on a canvas whose viewport origin already follows the scroll position.
    void OnDraw(Canvas& dc);
    // A left click at a device point of the window selects the font type of the area under it.
    void OnLButtonDown(Point device);
    // The print dialog for one page; false when the user cancels.
    bool OnPreparePrinting();
    // Draws the printed page: four label sets, the silver sheet in the preview only.
    void OnPrint(PrinterPage& page);

    // --- LabelPreview: the frame's Print and Print Preview ---
    bool canPrint() const override { return true; }
    void print() override;
    void printPreview() override;

    // The job name: the document's title (its file name) cut to 31 characters.
    std::string jobName() const;
    const LabelFontSpecs& fonts() const { return fonts_; }

private:
    void onDocumentUpdate(unsigned hint) override { OnUpdate(hint); }
    // Tells the user when a job did not print.
    void reportJob(PrintOutcome outcome);
    LabelTexts texts() const;
    // The window's canvas in 0.1 mm, its origin following the scroll position.
    std::unique_ptr<Canvas> preparedWindowDC();
    void rebuildFonts(int type);
    void invalidateArea(Canvas& dc, int type);
    // Repaints just the area frames and the middle line, without erasing the label.
    void redrawFrames(Canvas& dc);

    Host& host_;
    CSleevonDoc& doc_;
    LabelViewWindow& window_;
    LabelPrinting& printing_;
    DeviceFonts deviceFonts_;
    LabelFontSpecs fonts_;
};

}  // namespace tovik::label
