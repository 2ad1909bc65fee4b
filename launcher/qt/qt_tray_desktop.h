#pragma once
// The launcher's desktop on Qt: QSystemTrayIcon for the notification area (where the desktop
// has one), QMenu for the popup menu, the cursor and the virtual desktop's size.

#include <QPointer>
#include <QSystemTrayIcon>

#include <memory>

#include "launcher/tray_desktop.h"
#include "platform/window.h"

namespace tovik::launcher {

class QtTrayDesktop : public TrayDesktop {
public:
    explicit QtTrayDesktop(WindowSystem& windows) : windows_(windows) {}
    ~QtTrayDesktop() override;

    bool addIcon(Handle owner, unsigned iconId, unsigned imageId, const std::string& tip) override;
    bool changeIcon(unsigned iconId, unsigned imageId) override;
    bool removeIcon(unsigned iconId) override;
    Point cursorPos() const override;
    Size desktopSize() const override;
    bool trackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) override;
    int runAboutBox(const AboutTexts& texts, const std::function<Point(Size)>& place) override;
    void closeOwnedWindows() override;

private:
    WindowSystem& windows_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QPointer<QWidget> menu_;   // while a menu shows
    QPointer<QWidget> about_;  // while the About box shows
    unsigned iconId_ = 0;
};

}  // namespace tovik::launcher
