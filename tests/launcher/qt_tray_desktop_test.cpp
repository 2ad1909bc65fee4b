// The launcher's desktop on Qt (offscreen): its pictures come from the skin, and a picked menu
// item reaches the owner window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest/QTest>

#include "launcher/launcher_ids.h"
#include "launcher/qt/qt_tray_desktop.h"
#include "launcher/qt/tray_images.h"
#include "platform/qt/qt_host.h"

namespace tovik::launcher {
namespace {

struct Inbox : MessageTarget {
    LResult onMessage(Msg msg, WParam wParam, LParam) override {
        if (msg == WM_COMMAND) commands.push_back(static_cast<unsigned>(wParam));
        return 0;
    }
    std::vector<unsigned> commands;
};

// Runs `fn` on the popup once it shows.
void whenPopup(std::function<void(QWidget*)> fn) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, fn] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup || !popup->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        fn(popup);
    });
    poll->start(10);
}

TEST(QtTrayDesktop, BothPicturesComeFromTheSkinAtBothSizes) {
    for (unsigned id : {IDI_CARD_READY, IDI_CARD_NOT_READY}) {
        const QList<QSize> sizes = trayImage(id).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32))) << id;
    }
    EXPECT_NE(trayImage(IDI_CARD_READY).pixmap(32).toImage(), trayImage(IDI_CARD_NOT_READY).pixmap(32).toImage());
}

TEST(QtTrayDesktop, PickedMenuItemIsPostedToTheOwner) {
    qt::QtHost host("Traymote", {});
    Inbox inbox;
    const Handle owner = host.createWindow(inbox);
    QtTrayDesktop desktop(host);
    whenPopup([](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_TRUE(menu);
        ASSERT_EQ(menu->actions().size(), 3);
        EXPECT_TRUE(menu->actions()[1]->isSeparator());
        menu->setActiveAction(menu->actions()[2]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_TRUE(desktop.trackPopupMenu(owner, {{ID_ABOUT, "&About..."}, {0, ""}, {ID_CLOSE, "&Close"}}, {5, 5}));
    QCoreApplication::processEvents();
    EXPECT_EQ(inbox.commands, std::vector<unsigned>{ID_CLOSE});
    host.destroyWindow(owner);
}

}  // namespace
}  // namespace tovik::launcher
