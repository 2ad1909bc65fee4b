// The progress dialog on screen (offscreen platform): the owner is disabled while it shows, the
// dialog itself stays usable, Cancel and closing the window only raise the flag.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "controller/disc/progress_dialog.h"
#include "controller/ui/qt_progress_window.h"

namespace tovik::ui {
namespace {

TEST(QtProgressWindow, ShowsTheCycleAndDisablesItsOwner) {
    QWidget owner;
    owner.show();
    QtProgressWindow window(&owner);
    disc::ProgressDialog dialog(window);
    dialog.open("MD Track data read", " 0 %", 4);

    QDialog* shown = window.dialog();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle(), "MD Track data read");
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(shown->isEnabled());
    auto* text = shown->findChild<QLabel*>("progress1004");
    auto* bar = shown->findChild<QProgressBar*>("progress1003");
    auto* cancel = shown->findChild<QPushButton*>("cancel2");
    ASSERT_TRUE(text && bar && cancel);
    EXPECT_EQ(text->text(), " 0 %");

    dialog.step();
    EXPECT_EQ(bar->value(), 25);
    EXPECT_EQ(text->text(), "25%");

    cancel->click();
    EXPECT_TRUE(dialog.cancelPressed());
    EXPECT_TRUE(shown->isVisible()) << "Cancel does not close the dialog";
    EXPECT_TRUE(dialog.takeCancel());
    shown->reject();  // the window's close box
    EXPECT_TRUE(dialog.takeCancel());

    dialog.close();
    EXPECT_EQ(window.dialog(), nullptr);
    EXPECT_TRUE(owner.isEnabled());
}

}  // namespace
}  // namespace tovik::ui
