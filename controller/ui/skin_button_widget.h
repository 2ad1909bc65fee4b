#pragma once
// The skinned buttons on screen. Each widget owns its behaviour (RepeatButton, LatchButton),
// paints the image it names through the canvas and hands it the mouse and the keyboard. They
// are ordinary QAbstractButtons: focus, tab order and accessibility work as for any Qt button;
// the tooltip is also the accessible name.
//
//   auto* up = new RepeatButtonWidget(host, 1008, "UP", panelWidget);
//   up->setGeometry(575, 59, 33, 22);
//   up->button().setParent(panel.window());   // WM_COMMAND, 0x710 go to the panel
//   up->button().setAutoRepeat(true);

#include <QAbstractButton>

#include "controller/ui/latch_button.h"
#include "controller/ui/repeat_button.h"
#include "platform/host.h"

namespace tovik::ui {

class SkinButtonWidget : public QAbstractButton {
public:
    // The button's size is its up image's.
    QSize sizeHint() const override;
    // Where the button's messages go.
    void setParentWindow(Handle parent) { core_.setParent(parent); }

protected:
    SkinButtonWidget(SkinButton& core, QWidget* parent);
    // Hooks the behaviour's repaint and sizes the widget; the derived widget calls it once its
    // behaviour exists.
    void attach();

    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    SkinButton& core_;
};

class RepeatButtonWidget : public SkinButtonWidget {
public:
    RepeatButtonWidget(Host& host, int controlId, const std::string& caption, QWidget* parent = nullptr);
    RepeatButton& button() { return button_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    RepeatButton button_;
};

class LatchButtonWidget : public SkinButtonWidget {
public:
    LatchButtonWidget(WindowSystem& windows, int controlId, const std::string& caption,
                      QWidget* parent = nullptr);
    ~LatchButtonWidget() override;
    LatchButton& button() { return button_; }

protected:
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    LatchButton button_;
};

}  // namespace tovik::ui
