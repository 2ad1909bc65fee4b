#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "controller/ui/level_meter_widget.h"
#include "controller/ui/rotela_skin.h"
#include "controller/ui/skin_button_widget.h"
#include "controller/ui/track_list_widget.h"
#include "platform/qt/qt_host.h"
#include "resources/skin/skin_catalog.h"
#include "tests/platform/recorder.h"

namespace tovik::ui {
namespace {

const StringResource kNoStrings{};

TEST(RotelaSkinTest, EveryImageIsCompiledInAtItsSizeAndTwiceThat) {
    const auto& skin = rotelaSkin();
    for (const auto& image : skin::rotelaImages()) {
        const QImage once = skin.image(image.name);
        ASSERT_FALSE(once.isNull()) << image.name;
        EXPECT_EQ(once.size(), QSize(image.size.cx, image.size.cy)) << image.name;
        const QPixmap twice = skin.pixmap(image.name, 2.0);
        EXPECT_EQ(twice.devicePixelRatio(), 2.0) << image.name;
        EXPECT_EQ(twice.size(), QSize(image.size.cx, image.size.cy) * 2) << image.name;
    }
}

class ButtonWidgetTest : public ::testing::Test {
protected:
    qt::QtHost host{"TovikTest", kNoStrings};
    test::Recorder parent;
    Handle parentWindow = host.createWindow(parent);
    std::vector<Msg> messages() const {
        std::vector<Msg> out;
        for (const auto& got : parent.got) out.push_back(got.msg);
        return out;
    }
};

TEST_F(ButtonWidgetTest, ARepeatButtonIsSizedByItsImageAndClicksOncePerPress) {
    RepeatButtonWidget play(host, 1009, "MDPLAY");
    play.setParentWindow(parentWindow);
    play.setToolTip("Play/Pause");
    EXPECT_EQ(play.size(), QSize(45, 26));
    EXPECT_EQ(play.accessibleName(), "Play/Pause");
    play.show();

    // A double click arrives as press, release, double click, release: two clicks.
    QTest::mouseClick(&play, Qt::LeftButton);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), play.mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&play, &twice);
    QTest::mouseRelease(&play, Qt::LeftButton);
    QTest::mouseClick(&play, Qt::RightButton);
    play.click();  // a screen reader's press
    EXPECT_EQ(messages(), (std::vector<Msg>{WM_COMMAND, WM_COMMAND, WM_COMMAND}));
    EXPECT_EQ(parent.got[0].wParam, 1009u);
}

TEST_F(ButtonWidgetTest, TheKeyboardsOwnRepeatNeitherReleasesNorRestartsTheSpaceBar) {
    RepeatButtonWidget up(host, 1008, "UP");
    up.setParentWindow(parentWindow);
    up.show();
    auto key = [&](QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, " ", autoRepeat);
        QApplication::sendEvent(&up, &event);
    };
    key(QEvent::KeyPress, false);
    for (int i = 0; i < 3; ++i) {
        key(QEvent::KeyRelease, true);
        key(QEvent::KeyPress, true);
        EXPECT_TRUE(up.button().held());
        EXPECT_TRUE(up.isDown());
    }
    EXPECT_TRUE(parent.got.empty());
    key(QEvent::KeyRelease, false);
    EXPECT_FALSE(up.button().held());
    EXPECT_EQ(messages(), (std::vector<Msg>{WM_COMMAND}));
}

TEST_F(ButtonWidgetTest, ALatchButtonLatchesOnAPressAndLetsGoWhenThePointerLeavesOrItIsDisabled) {
    LatchButtonWidget ff(host, 1006, "FF");
    ff.setParentWindow(parentWindow);
    ff.show();
    QTest::mouseClick(&ff, Qt::LeftButton);
    EXPECT_TRUE(ff.button().latched());
    EXPECT_TRUE(ff.isChecked());
    QMouseEvent away(QEvent::MouseMove, QPointF(50, 5), ff.mapToGlobal(QPointF(50, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&ff, &away);
    EXPECT_FALSE(ff.button().latched());
    EXPECT_FALSE(ff.isChecked());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    QTest::mouseClick(&ff, Qt::LeftButton);
    ff.setEnabled(false);
    EXPECT_FALSE(ff.button().latched());
    EXPECT_EQ(messages(), (std::vector<Msg>{WM_BUTTON_LATCHED, WM_BUTTON_UNLATCHED, WM_BUTTON_LATCHED,
                                            WM_BUTTON_UNLATCHED}));
}

TEST(LevelMeterWidgetTest, ShowsTheLitSegmentsAndPaintsOnlyWhenACountChanges) {
    LevelMeterWidget meter;
    meter.resize(47, 103);
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    const long before = meter.paintCount();
    meter.setLevels(2, 0);  // one segment on the left
    meter.setLevels(2, 1);  // the same counts
    meter.setLevels(2, 0x80);
    EXPECT_EQ(meter.paintCount(), before + 1);
    const QImage shown = meter.grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 95), QColor(0, 255, 0));      // left, segment 1, lit
    EXPECT_EQ(shown.pixelColor(35, 95), QColor(128, 128, 128));  // right, segment 1, unlit
    EXPECT_EQ(shown.pixelColor(10, 85), QColor(128, 128, 128));  // left, segment 2
    EXPECT_EQ(shown.pixelColor(0, 90), QColor(128, 128, 128));   // the frame's grey edge
    EXPECT_EQ(shown.pixelColor(23, 50), QColor(192, 192, 192));  // silver between the columns
}

TEST(TrackListWidgetTest, DrawsTheMarkAndLeavesTheEndRowUnhighlighted) {
    TrackListWidget list;
    list.addItems({"Opening", "Second song", "^^"});
    list.resize(220, 80);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_EQ(list.itemHeight(), 15);
    list.setCurrentRow(2);
    list.setMarkedItem(1);
    EXPECT_EQ(list.selectedRow(), 2);
    const QImage shown = list.viewport()->grab().toImage();
    const QRect mark = list.visualItemRect(list.item(1));
    const QRect end = list.visualItemRect(list.item(2));
    // The mark's arrow is yellow; the corner's green is left out, showing the row's background.
    EXPECT_EQ(shown.pixelColor(mark.left() + 3, mark.top() + 1 + 6), QColor(255, 255, 0));
    EXPECT_EQ(shown.pixelColor(mark.left(), mark.top() + 1), list.palette().color(QPalette::Base));
    EXPECT_EQ(shown.pixelColor(end.left() + 100, end.top() + 7), list.palette().color(QPalette::Base));
}

}  // namespace
}  // namespace tovik::ui
