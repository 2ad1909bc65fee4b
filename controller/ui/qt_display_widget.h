#pragma once
// The display on screen: paints what DisplayPanel says and forwards the name boxes' clicks.
//
// The window keeps its own picture (a pixmap), as a window does on the other desktop: the
// display draws into it at once between repaints, and a full repaint redraws it from the
// display's state.

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "controller/ui/display_panel.h"
#include "controller/ui/rotela_skin.h"
#include "platform/qt/qt_canvas.h"

namespace tovik::ui {

class NamePopup;

// One of the two owner-drawn name boxes.
class NameBoxButton : public QAbstractButton {
public:
    NameBoxButton(DisplayPanel& display, NameBox box, const qt::SkinImages& skin, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A double click asks for the name edit; it is not a second press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    DisplayPanel& display_;
    NameBox box_;
    const qt::SkinImages& skin_;
};

class DisplayWidget : public QWidget, public DisplayView {
public:
    // Creates the display's window contents (DisplayPanel::create) at once.
    DisplayWidget(DisplayPanel& display, QWidget* parent = nullptr,
                  const qt::SkinImages& skin = rotelaSkin());
    ~DisplayWidget() override;

    NameBoxButton* nameBox(NameBox box) const { return boxes_[box == NameBox::Disc ? 0 : 1]; }
    // The open name pop-up, if any.
    NamePopup* popup() const;

    // --- DisplayView ---
    void resize(Size size) override;
    void invalidate() override;
    void drawNow(const std::function<void(Canvas&)>& draw) override;
    void showNameBoxes(bool visible) override;
    void repaintNameBox(NameBox box) override;
    void setTooltip(NameBox box, const std::string& utf8) override;
    void openNamePopup(NameBox box, const std::string& utf8) override;
    unsigned doubleClickTimeMs() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The picture at the widget's size and pixel ratio; false until the widget has a size.
    bool ensureSurface();

    DisplayPanel& display_;
    const qt::SkinImages& skin_;
    QPixmap surface_;
    bool surfaceValid_ = false;
    NameBoxButton* boxes_[2] = {nullptr, nullptr};
    QPointer<NamePopup> popup_;
};

}  // namespace tovik::ui
