// The display's widget on the offscreen platform: its picture follows the display, name-box
// clicks reach the display, and the name pop-up sits over the box at the size of its lines.
#include "controller/ui/qt_display_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "controller/link/md_mode.h"
#include "controller/ui/qt_name_popup.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/ui/recording_display_view.h"

namespace tovik::ui {
namespace {

// A skin of plain images: the lit panel navy, the dark one black, every lamp green.
class PlainSkin {
public:
    PlainSkin() {
        save("148", 317, 123, QColor(0, 0, 128));
        save("181", 317, 123, Qt::black);
        for (const LampSpec& lamp : kLamps) save(lamp.bitmap, 12, 10, Qt::green);
    }

private:
    void save(const char* name, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.save(dir_.filePath(QString("%1.png").arg(name)));
    }
    QTemporaryDir dir_;

public:
    qt::SkinImages images{dir_.path()};
};

link::MdStatus playing() {
    link::MdStatus s;
    s.unitState = 0x10;
    s.mode = link::MODE_PLAYING;
    s.discState = 1;
    s.flagB = 1;
    s.currentTrack = 7;
    s.minutes = 3;
    s.seconds = 5;
    return s;
}

bool hasColour(const QImage& image, const QRect& area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) return true;
    return false;
}

class DisplayWidgetTest : public ::testing::Test {
protected:
    QImage picture() { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    fake::FakeHost host{resources::rotelaStrings()};
    test::ParentWindow parent;
    Handle parentWindow = host.createWindow(parent);
    DisplayPanel display{host, parentWindow};
    PlainSkin skin;
    DisplayWidget widget{display, nullptr, skin.images};
};

TEST_F(DisplayWidgetTest, PictureFollowsTheDisplayBetweenRepaints) {
    EXPECT_EQ(widget.size(), QSize(317, 123));
    EXPECT_TRUE(widget.nameBox(NameBox::Disc)->isHidden());
    EXPECT_EQ(picture().pixelColor(5, 5), QColor(Qt::black)) << "dark at first";

    display.updateFromStatus(playing(), false);
    QImage lit = picture();
    EXPECT_EQ(lit.pixelColor(5, 5), QColor(0, 0, 128));
    EXPECT_TRUE(hasColour(lit, QRect(166, 24, 74, 24), QColor(0, 255, 255))) << "time in cyan";
    EXPECT_EQ(lit.pixelColor(14, 15), QColor(Qt::green)) << "PLAY lamp";
    EXPECT_FALSE(widget.nameBox(NameBox::Disc)->isHidden());

    // Drawn at once, without a full repaint: the message covers the time.
    display.showMessage("DIVIDE OK ?");
    QImage message = picture();
    EXPECT_FALSE(hasColour(message, QRect(214, 24, 26, 22), QColor(0, 255, 255)));
    EXPECT_TRUE(hasColour(message, QRect(120, 20, 80, 24), QColor(0, 255, 255)));
}

TEST_F(DisplayWidgetTest, DoubleClickAsksForTheEditAndNeverOpensThePopup) {
    display.updateFromStatus(playing(), false);
    display.setTrackName("Come Together");
    widget.show();
    QTest::mouseDClick(widget.nameBox(NameBox::Track), Qt::LeftButton);
    host.advance(5000);
    EXPECT_EQ(widget.popup(), nullptr);
    EXPECT_EQ(parent.received, std::vector<Msg>{WM_EDIT_TRACK_NAME});

    QTest::mouseClick(widget.nameBox(NameBox::Track), Qt::LeftButton);
    host.advance(widget.doubleClickTimeMs());
    ASSERT_NE(widget.popup(), nullptr);
    EXPECT_EQ(widget.popup()->edit()->toPlainText(), "Come Together");
}

TEST_F(DisplayWidgetTest, PopupSitsOnTheBoxWithFiveLinesAndAScrollBarAndClosesOnAKey) {
    display.updateFromStatus(playing(), false);
    widget.move(100, 200);
    widget.show();
    std::string name;
    for (int i = 0; i < 130; ++i) name += "ア";  // six lines of 25 and 5
    widget.openNamePopup(NameBox::Disc, name);
    NamePopup* popup = widget.popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->pos(), widget.nameBox(NameBox::Disc)->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(popup->edit()->document()->blockCount(), 6);
    EXPECT_EQ(popup->edit()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Five lines show; the rest scroll.
    const int line = QFontMetrics(popup->edit()->font()).lineSpacing();
    EXPECT_GE(popup->edit()->viewport()->height(), 5 * line);
    EXPECT_LT(popup->edit()->viewport()->height(), 6 * line);
    EXPECT_FALSE(popup->isActiveWindow());

    QTest::keyClick(&widget, Qt::Key_A);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(widget.popup(), nullptr);
}

}  // namespace
}  // namespace tovik::ui
