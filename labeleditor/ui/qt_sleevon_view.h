#pragma once
// The label preview pane on screen: a scroll view that paints what CSleevonView draws, at true
// size through the screen's logical resolution, and forwards clicks to it. It also owns the
// view's printing and plugs the print position dialog into the document.

#include <QAbstractScrollArea>

#include <memory>

#include "labeleditor/ui/qt_label_printing.h"
#include "labeleditor/ui/qt_main_frame.h"
#include "labeleditor/ui/sleevon_view.h"

namespace tovik::label {

class QtSleevonView : public QAbstractScrollArea, public LabelViewWindow {
public:
    QtSleevonView(const PreviewContext& context, QWidget* parent);
    ~QtSleevonView() override;

    CSleevonView& view() { return *view_; }

    // --- LabelViewWindow ---
    int logPixelsY() const override;
    std::unique_ptr<Canvas> windowDC() override;
    Point scrollPosition() const override;
    void setScrollSizes(Size total, Size page, Size line) override;
    void invalidate(const Rect& device) override;
    void invalidateAll() override;
    void repaintNow(const std::vector<Rect>& device) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();

    QtLabelPrinting printing_;
    std::unique_ptr<CSleevonView> view_;
    Size total_;
    Size page_;
    Size line_;
};

}  // namespace tovik::label
