#pragma once
// What the launcher needs of the desktop beyond the shared ports: an icon in the notification
// area, the cursor and the desktop's size, a popup menu and its About box.

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace tovik::launcher {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct MenuItem {
    unsigned command = 0;  // 0: a separator
    std::string text;      // UTF-8, '&' marks the access key
};

struct AboutTexts {
    std::string title;
    std::string program;
    std::string version;
};

class TrayDesktop {
public:
    virtual ~TrayDesktop() = default;

    // The notification icon. Mouse events on it arrive at `owner` as WM_TRAY_NOTIFY (wParam the
    // icon id, lParam WM_LBUTTONDBLCLK or WM_RBUTTONDOWN). Each returns false when the desktop
    // has no notification area or refuses the change.
    virtual bool addIcon(Handle owner, unsigned iconId, unsigned imageId, const std::string& tip) = 0;
    virtual bool changeIcon(unsigned iconId, unsigned imageId) = 0;
    virtual bool removeIcon(unsigned iconId) = 0;

    virtual Point cursorPos() const = 0;
    virtual Size desktopSize() const = 0;

    // Shows the menu at `at` until the user picks an item or dismisses it; a picked item arrives
    // at `owner` as a posted WM_COMMAND with the item's command. False when it could not be shown.
    virtual bool trackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) = 0;

    // Runs the About box modally (timers and posted messages keep flowing). `place` gets the
    // box's size and answers where its top-left corner goes. Returns the dialog's result.
    virtual int runAboutBox(const AboutTexts& texts, const std::function<Point(Size)>& place) = 0;

    // Ends the menu or About box still showing: their owner is going away.
    virtual void closeOwnedWindows() = 0;
};

}  // namespace tovik::launcher
