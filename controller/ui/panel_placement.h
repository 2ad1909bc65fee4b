#pragma once
// The panel window's place on the screen, kept between runs in the profile section "Position"
// ("x", "y" and "Min"). The panel's window implements PanelPlacement; the panel restores the
// position at start and saves it when it is destroyed.

#include "platform/profile.h"

namespace tovik::ui {

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

class PanelPlacement {
public:
    virtual ~PanelPlacement() = default;
    // The title bar (caption and its frame) of the window.
    virtual bool hasCaption() const = 0;
    virtual void setCaption(bool shown) = 0;
    // Moves and sizes the window and puts it on top of the others; nothing else changes.
    virtual void place(const WindowRect& rect) = 0;
    // Where the window is when not minimised (its restored rectangle), and whether it is now.
    virtual WindowRect normalRect() const = 0;
    virtual bool isMinimised() const = 0;
    // The MIN button: minimise the window the way its system menu would.
    virtual void minimise() = 0;
};

constexpr const char* kPositionSection = "Position";

// Start: the caption toggled (the panel's window comes with one, so it goes), then placed at
// the stored x, y (0, 0 when none) at the panel's size. "Min" is not used: the panel always
// starts normal.
void restorePanelPosition(const Profile& profile, PanelPlacement& window);
// Exit: the restored rectangle's corner and whether the window was minimised.
void savePanelPosition(Profile& profile, const PanelPlacement& window);

}  // namespace tovik::ui
