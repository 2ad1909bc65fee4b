#pragma once
// Rotela's panel on screen: a caption-less 625 x 206 window with a taskbar entry, painted from
// the skin, carrying the skinned buttons, the volume slider, the level meter and the display at
// the places of the panel's layout. It shows what ControllerPanel says and turns input into
// calls on it: button clicks and repeats reach the panel as WM_COMMAND, FF and REV latch, the
// slider scrolls, Enter, Escape and Alt+F4 go to the panel before any control sees them,
// Alt+Space opens the system menu (with About), and a press anywhere on the panel's face drags
// the window.
//
//   PanelWindow window(host, panel);
//   panel.setView(&window);
//   panel.setPlacement(&window);     // before initialise(); the window outlives shutdown()
//   discHooks.setDisplay(&window);
//   window.onTrackStepHeld = [&](bool held) { discHooks.setStepButtonHeld(held); };
//
// The first frame is bitmaps only (the display starts dark); the tooltips are registered just
// after it, and afterFirstFrame runs then.

#include <QPoint>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

#include "controller/ui/controller_panel.h"
#include "controller/ui/display_panel.h"
#include "controller/ui/panel_disc_hooks.h"
#include "controller/ui/panel_placement.h"

class QMenu;

namespace tovik::ui {

class DisplayWidget;
class LevelMeterWidget;
class RepeatButtonWidget;
class SkinButtonWidget;
class VolumeSlider;

class PanelWindow : public QWidget, public PanelView, public PanelPlacement, public NameDisplay {
public:
    PanelWindow(Host& host, ControllerPanel& panel, QWidget* parent = nullptr);
    ~PanelWindow() override;

    // UP or DOWN went down (true) or came up: no track name is read while one is held.
    std::function<void(bool)> onTrackStepHeld;
    // Runs once, just after the first frame is up: the place for what needs fonts and text
    // (dialogs with text fields), so that the panel shows as soon as it can.
    std::function<void()> afterFirstFrame;

    // --- the window's parts, by control id ---
    SkinButtonWidget* button(int id) const;
    VolumeSlider* slider() const { return slider_; }
    LevelMeterWidget* meter() const { return meter_; }
    DisplayWidget* displayWidget() const { return displayWidget_; }
    DisplayPanel& display() { return display_; }
    // True once the tooltips are registered (just after the first paint).
    bool tooltipsRegistered() const { return tooltipsRegistered_; }
    // The system menu (Alt+Space) at the window's top-left corner.
    void showSystemMenu();
    QMenu* systemMenu() const { return systemMenu_; }

    // --- PanelView ---
    void statusChanged(const link::MdStatus& status, bool failed) override;
    void controlsChanged(const link::ButtonState& state) override;
    void levelsChanged(int left, int right) override;
    void sliderChanged(int position) override;
    void panelEnabled(bool enabled) override;
    void panelEnded(int result) override;
    void controlShown(int controlId, bool shown) override;
    void displayMessage(const std::string& text) override;
    unsigned popupMenu(const std::vector<PopupMenuItem>& items, int anchorControl) override;
    void aboutRequested() override;
    void helpRequested() override;
    void waitCursor(bool on) override;

    // --- PanelPlacement ---
    bool hasCaption() const override;
    void setCaption(bool shown) override;
    void place(const WindowRect& rect) override;
    WindowRect normalRect() const override;
    bool isMinimised() const override;
    void minimise() override;

    // --- NameDisplay ---
    void discNameChanged(const std::string& displayText) override;
    void trackNameChanged(const std::string& displayText, int track) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons();
    void createChildren();
    void firstFrameShown();
    bool panelKey(QKeyEvent* event);

    Host& host_;
    ControllerPanel& panel_;
    std::map<int, SkinButtonWidget*> buttons_;
    RepeatButtonWidget* access_ = nullptr;
    VolumeSlider* slider_ = nullptr;
    LevelMeterWidget* meter_ = nullptr;
    DisplayPanel display_;
    DisplayWidget* displayWidget_ = nullptr;
    QMenu* systemMenu_ = nullptr;
    bool tooltipsRegistered_ = false;
    bool firstFrame_ = false;
    bool stepHeld_ = false;
    bool waitCursor_ = false;
    // Moving the window by hand where the window system does not move it.
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace tovik::ui
