// The launcher's desktop on Qt (offscreen): no notification area there, the About box where it
// is told to open, and a picked menu item reaching the owner window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest/QTest>

#include "launcher/launcher_ids.h"
#include "launcher/qt/qt_tray_desktop.h"
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

// Runs `fn` on the modal widget once it shows.
void whenModal(std::function<void(QWidget*)> fn) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, fn] {
        QWidget* active = QApplication::activeModalWidget();
        if (!active) active = QApplication::activePopupWidget();
        if (!active || !active->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        fn(active);
    });
    poll->start(10);
}

TEST(QtTrayDesktop, WithoutATrayTheIconIsRefused) {
    qt::QtHost host("Traymote", {});
    QtTrayDesktop desktop(host);
    EXPECT_FALSE(desktop.addIcon(1, kTrayIconId, IDI_CARD_READY, "MD Control"));
    EXPECT_FALSE(desktop.changeIcon(kTrayIconId, IDI_CARD_NOT_READY));
}

TEST(QtTrayDesktop, AboutBoxOpensWhereItIsPlaced) {
    qt::QtHost host("Traymote", {});
    QtTrayDesktop desktop(host);
    Size measured;
    QPoint shownAt;
    QStringList labels;
    whenModal([&](QWidget* box) {
        shownAt = box->pos();
        for (QLabel* label : box->findChildren<QLabel*>()) labels << label->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    const int result = desktop.runAboutBox({"About", "Traymote", "Version 1.00"}, [&](Size size) {
        measured = size;
        return Point{40, 30};
    });
    EXPECT_EQ(result, IDOK) << "Cancel closes it as OK does";
    EXPECT_GT(measured.width, 100);
    EXPECT_GT(measured.height, 40);
    EXPECT_EQ(shownAt, QPoint(40, 30));
    EXPECT_TRUE(labels.contains("Traymote"));
    EXPECT_TRUE(labels.contains("Version 1.00"));
}

TEST(QtTrayDesktop, PickedMenuItemIsPostedToTheOwner) {
    qt::QtHost host("Traymote", {});
    Inbox inbox;
    const Handle owner = host.createWindow(inbox);
    QtTrayDesktop desktop(host);
    whenModal([](QWidget* popup) {
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
