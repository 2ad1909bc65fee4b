#include "launcher/qt/qt_tray_desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "launcher/launcher_ids.h"
#include "launcher/qt/tray_images.h"
#include "platform/qt/qt_about_box.h"

namespace tovik::launcher {

QtTrayDesktop::~QtTrayDesktop() = default;

bool QtTrayDesktop::addIcon(Handle owner, unsigned iconId, unsigned imageId, const std::string& tip) {
    if (icon_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
    icon_ = std::make_unique<QSystemTrayIcon>(trayImage(imageId));
    icon_->setToolTip(QString::fromStdString(tip));
    iconId_ = iconId;
    // The icon's mouse events reach the owner as the notification area reports them there.
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this, owner, iconId](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::DoubleClick)
                             windows_.post(owner, WM_TRAY_NOTIFY, iconId, WM_LBUTTONDBLCLK);
                         else if (reason == QSystemTrayIcon::Context)
                             windows_.post(owner, WM_TRAY_NOTIFY, iconId, WM_RBUTTONDOWN);
                     });
    icon_->show();
    return true;
}

bool QtTrayDesktop::changeIcon(unsigned iconId, unsigned imageId) {
    if (!icon_ || iconId != iconId_) return false;
    icon_->setIcon(trayImage(imageId));
    return true;
}

bool QtTrayDesktop::removeIcon(unsigned iconId) {
    if (!icon_ || iconId != iconId_) return false;
    icon_->hide();
    icon_.reset();
    return true;
}

Point QtTrayDesktop::cursorPos() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

Size QtTrayDesktop::desktopSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect desktop = screen->virtualGeometry();
    return {desktop.right() + 1, desktop.bottom() + 1};
}

bool QtTrayDesktop::trackPopupMenu(Handle owner, const std::vector<MenuItem>& items, Point at) {
    QMenu menu;
    for (const MenuItem& item : items) {
        if (item.command == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(QString::fromStdString(item.text))->setData(item.command);
        }
    }
    menu_ = &menu;
    QAction* picked = menu.exec(QPoint(at.x, at.y));
    if (picked)
        windows_.post(owner, WM_COMMAND, picked->data().toUInt(), 0);
    return true;
}

int QtTrayDesktop::runAboutBox(const AboutTexts& texts, const std::function<Point(Size)>& place) {
    constexpr int kIconSize = 32;
    qt::AboutBox dialog(QString::fromStdString(texts.title), QString::fromStdString(texts.program),
                        QString::fromStdString(texts.version),
                        trayImage(IDI_CARD_READY).pixmap(kIconSize, kIconSize));
    dialog.adjustSize();
    const Point at = place({dialog.width(), dialog.height()});
    dialog.move(at.x, at.y);
    about_ = &dialog;
    dialog.exec();
    return IDOK;  // OK and Cancel both end the box with 1
}

void QtTrayDesktop::closeOwnedWindows() {
    if (menu_) menu_->close();
    if (about_) about_->close();
}

}  // namespace tovik::launcher
