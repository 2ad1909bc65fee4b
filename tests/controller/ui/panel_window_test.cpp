// Rotela's panel window on the offscreen platform, driven by the panel on virtual time against
// a scripted card: the face built from the layout, status on the real controls, input reaching
// the panel, keys, the system menu, dragging, the window's place and the help page.
#include "controller/ui/qt_panel_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "controller/link/md_commands.h"
#include "controller/ui/level_meter_widget.h"
#include "controller/ui/panel_layout.h"
#include "controller/ui/qt_display_widget.h"
#include "controller/ui/qt_panel_help.h"
#include "controller/ui/qt_volume_slider.h"
#include "controller/ui/skin_button_widget.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/link/scripted_card.h"
#include "tests/support/qt_wait.h"

namespace tovik::ui {
namespace {

using test::rawStatus;

struct RecordingHooks : PanelHooks {
    std::vector<int> clicks;
    bool click(int id) override {
        clicks.push_back(id);
        return id == IDC_OK || id == IDC_CANCEL;
    }
};

// Receives the URLs the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class PanelWindowQtTest : public ::testing::Test {
protected:
    explicit PanelWindowQtTest(Language language = Language::English) : host(resources::rotelaStrings(), language) {
        panel.setView(&window);
        panel.setPlacement(&window);
        panel.setHooks(&hooks);
    }
    // The panel saves its place through the window at shutdown: the window must still be there.
    ~PanelWindowQtTest() override { panel.shutdown(); }
    void start() {
        ASSERT_TRUE(panel.initialise());
        host.runUntilIdle();  // the model's answer starts the poll
    }
    // The next status answers (both areas) with these bytes, then one poll period passes.
    void unit(test::RawStatus a, test::RawStatus b) {
        card.statusA = a;
        card.statusB = b;
        host.advance(1000);
    }
    SkinButtonWidget& button(int id) { return *window.button(id); }
    std::vector<int> commandsSince(std::size_t from) const {
        std::vector<int> sent;
        for (std::size_t i = from; i < card.requests.size(); ++i)
            if (card.requests[i].code == card::MDIO_SEND_COMMAND) sent.push_back(card.requests[i].in[4]);
        return sent;
    }
    std::vector<int> volumesSince(std::size_t from) const {
        std::vector<int> sent;
        for (std::size_t i = from; i < card.requests.size(); ++i)
            if (card.requests[i].code == card::MDIO_SET_VOLUME) sent.push_back(card.requests[i].in[4]);
        return sent;
    }

    fake::FakeHost host;
    test::ScriptedCard card{host};
    ControllerPanel panel{host, card};
    PanelWindow window{host, panel};
    RecordingHooks hooks;
};

TEST_F(PanelWindowQtTest, TheFaceIsBuiltFromTheLayoutWithTooltipsAfterTheFirstFrame) {
    host.fakeProfile().setInt("Position", "x", 40);
    host.fakeProfile().setInt("Position", "y", 50);
    start();
    EXPECT_FALSE(window.hasCaption());
    EXPECT_EQ(window.geometry(), QRect(40, 50, 625, 206));
    EXPECT_EQ(window.windowTitle(), "TOVIK MD Controller");
    for (const PanelButton& layoutButton : panelButtons()) {
        const Rect r = controlRect(layoutButton.id);
        EXPECT_EQ(button(layoutButton.id).geometry(), QRect(r.left, r.top, r.width(), r.height())) << layoutButton.id;
        EXPECT_EQ(button(layoutButton.id).isHidden(), layoutButton.startsHidden) << layoutButton.id;
    }
    EXPECT_EQ(window.meter()->geometry(), QRect(81, 74, 47, 103));
    EXPECT_EQ(window.displayWidget()->geometry(), QRect(141, 70, 317, 123));
    EXPECT_EQ(window.slider()->geometry(), QRect(30, 87, 25, 75));
    EXPECT_EQ(window.slider()->value(), 30);
    // Nothing is enabled before the unit has said anything.
    EXPECT_FALSE(button(link::IDC_MDPLAY).isEnabled());
    EXPECT_FALSE(window.slider()->isEnabled());
    EXPECT_TRUE(button(link::IDC_CLOSE).isEnabled());

    EXPECT_FALSE(window.tooltipsRegistered()) << "no text before the first frame";
    window.show();
    ASSERT_TRUE(test::waitUntil([&] { return window.tooltipsRegistered(); }));
    EXPECT_EQ(button(IDC_QUESTION).toolTip(), "Help file open");
    EXPECT_EQ(button(link::IDC_SYNC_REC).accessibleName(), "Auto recording");
    EXPECT_TRUE(button(IDC_MDLOGO).toolTip().isEmpty());
}

TEST_F(PanelWindowQtTest, StatusEnablesTheControlsSwitchesAccessImagesAndFeedsTheMeterAndSlider) {
    start();
    const std::size_t from = card.requests.size();
    // Stopped, PC access on, a recordable disc, volume 10.
    unit(rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, 10), rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, 10, 0, 0, 0, 90, 90));
    for (const ControlPlace& place : panelGeometry()) {
        auto on = controlEnabled(panel.buttons(), place.id);
        if (!on) continue;
        QWidget* widget = place.id == IDC_SLIDER ? static_cast<QWidget*>(window.slider()) : window.button(place.id);
        EXPECT_EQ(widget->isEnabled(), *on) << place.id;
    }
    EXPECT_TRUE(button(link::IDC_MDPLAY).isEnabled());
    EXPECT_FALSE(button(link::IDC_FF).isEnabled());
    EXPECT_TRUE(button(IDC_MDLOGO).isEnabled()) << "a disc is in";
    auto& access = static_cast<RepeatButtonWidget&>(button(link::IDC_ACCESS));
    EXPECT_FALSE(access.button().alternateImages());
    EXPECT_EQ(window.slider()->value(), 20) << "30 - volume";
    EXPECT_EQ(window.meter()->meter().litCount(0), 0) << "the stopped row polls no levels";
    EXPECT_TRUE(volumesSince(from).empty()) << "following the unit sends nothing";

    // Playing: the row polls, so the levels light the meter.
    unit(rawStatus(0x10, 0x50, 0, 0x40, 0x04, 1, 10), rawStatus(0x10, 0x50, 0, 0x40, 0x04, 1, 10, 0, 0, 1, 90, 64));
    host.advance(1000);
    EXPECT_EQ(window.meter()->meter().litCount(0), 9);
    EXPECT_EQ(window.meter()->meter().litCount(1), 8);

    // PC access off (unit state 2x), no disc: ACCESS shows its other images, the logo goes grey.
    unit(rawStatus(0x20, 0x00, 0, 0x00, 0x00, 0, 10), rawStatus(0x20, 0x00, 0, 0x00, 0x00, 0, 10));
    EXPECT_TRUE(access.button().alternateImages());
    EXPECT_FALSE(button(IDC_MDLOGO).isEnabled());
    EXPECT_FALSE(button(link::IDC_MDPLAY).isEnabled());
}

TEST_F(PanelWindowQtTest, ButtonsLatchesRepeatsAndTheSliderReachThePanel) {
    start();
    unit(rawStatus(0x10, 0x50, 0, 0x40, 0x04, 1, 10), rawStatus(0x10, 0x50, 0, 0x40, 0x04, 1, 10));
    window.show();
    std::size_t from = card.requests.size();
    QTest::mouseClick(&button(link::IDC_MDPLAY), Qt::LeftButton);
    QTest::mouseClick(&button(link::IDC_FF), Qt::LeftButton);  // latches: the search starts
    QTest::mouseClick(&button(link::IDC_FF), Qt::LeftButton);  // and stops
    QTest::mouseClick(&button(link::IDC_TIME), Qt::LeftButton);
    host.runUntilIdle();
    EXPECT_EQ(commandsSince(from), (std::vector<int>{17, 21, 38, 23}));

    // UP held: the disc model hears of it, and the release asks for a track step.
    std::vector<bool> held;
    window.onTrackStepHeld = [&](bool on) { held.push_back(on); };
    from = card.requests.size();
    QTest::mousePress(&button(link::IDC_UP), Qt::LeftButton);
    host.advance(250);
    QTest::mouseRelease(&button(link::IDC_UP), Qt::LeftButton);
    host.runUntilIdle();
    EXPECT_EQ(held, (std::vector<bool>{true, false}));
    EXPECT_EQ(commandsSince(from), (std::vector<int>{19}));
    EXPECT_TRUE(panel.trackStepRequested());

    // VUP held for a second steps every 100 ms after the first 300 (this unit keeps its volume
    // of 10, so every step starts again from 20), and the release clicks once more.
    ASSERT_EQ(window.slider()->value(), 20);
    from = card.requests.size();
    QTest::mousePress(&button(IDC_VUP), Qt::LeftButton);
    host.advance(1000);
    QTest::mouseRelease(&button(IDC_VUP), Qt::LeftButton);
    const auto volumes = volumesSince(from);
    EXPECT_EQ(volumes.size(), 9u) << "repeats at 300, 400 .. 1000 and the release's click";
    EXPECT_EQ(volumes.front(), 11);
    EXPECT_EQ(window.slider()->value(), 19) << "the thumb moved with the last step";

    // The user's own moves send 30 - position; the unit's do not.
    from = card.requests.size();
    window.slider()->triggerAction(QAbstractSlider::SliderToMaximum);
    window.slider()->setValue(5);
    EXPECT_EQ(volumesSince(from), (std::vector<int>{0}));
}

TEST_F(PanelWindowQtTest, EnterAndEscapeNeverReachAControlAltF4AndCloseEndThePanel) {
    start();
    window.show();
    button(link::IDC_CLOSE).setFocus();
    QTest::keyClick(&button(link::IDC_CLOSE), Qt::Key_Return);
    QTest::keyClick(&button(link::IDC_CLOSE), Qt::Key_Escape);
    EXPECT_TRUE(hooks.clicks.empty());
    EXPECT_FALSE(panel.ended()) << "Enter on CLOSE does not press it";

    panel.setEditButtonsShown(true);
    QTest::keyClick(&window, Qt::Key_Enter);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(hooks.clicks, (std::vector<int>{IDC_OK, IDC_CANCEL}));
    panel.setEditButtonsShown(false);

    QTest::keyClick(&window, Qt::Key_F4);
    EXPECT_FALSE(panel.ended());
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(panel.ended());
    EXPECT_EQ(panel.result(), 0);
    EXPECT_TRUE(window.isHidden());
}

TEST_F(PanelWindowQtTest, AltSpaceOpensTheSystemMenuWithTheAboutBox) {
    start();
    window.show();
    QTest::keyClick(&window, Qt::Key_Space, Qt::AltModifier);
    ASSERT_NE(window.systemMenu(), nullptr);
    EXPECT_TRUE(window.systemMenu()->isVisible());
    QAction* about = window.systemMenu()->actions().last();
    EXPECT_EQ(about->text(), "&About TOVIK MD Controller...");
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box) shown = box->windowTitle();
        if (box) box->close();
    });
    about->trigger();
    EXPECT_EQ(shown, "About TOVIK MD Controller");
    window.systemMenu()->close();
    EXPECT_FALSE(panel.ended());
}

// Confirmation mode swaps controls, asks on the display and offers its commands beside TOCEDIT.
TEST_F(PanelWindowQtTest, EditingShowsControlsTheDisplaysMessageAndAPopupBesideTocEdit) {
    start();
    window.show();
    window.controlShown(IDC_OK, true);
    window.controlShown(link::IDC_MDPLAY, false);
    EXPECT_TRUE(button(IDC_OK).isVisible());
    EXPECT_FALSE(button(IDC_EDIT_UP).isVisible()) << "each control on its own";
    EXPECT_FALSE(button(link::IDC_MDPLAY).isVisible());
    window.displayMessage("ALL ERASE OK ?");
    EXPECT_EQ(window.display().temporaryMessage(), "ALL ERASE OK ?");

    // Picks the second item once the popup shows.
    QPoint at;
    QTimer pick;
    QObject::connect(&pick, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* menu = qobject_cast<QMenu*>(top);
            if (!menu || !menu->isVisible() || menu == window.systemMenu()) continue;
            pick.stop();
            at = menu->pos();
            menu->setActiveAction(menu->actions().at(1));
            QTest::keyClick(menu, Qt::Key_Return);
        }
    });
    pick.start(5);
    const unsigned chosen = window.popupMenu({{32771, "Erase", false}, {32772, "All Erase", true}}, link::IDC_TOCEDIT);
    EXPECT_EQ(chosen, 32772u);
    EXPECT_EQ(at, window.mapToGlobal(QPoint(484 + 108 + 5, 142)));
}

TEST_F(PanelWindowQtTest, APressOnTheFaceOrTheMeterDragsTheWindow) {
    start();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint before = window.pos();
    // The offscreen platform moves no windows: the panel follows the pointer itself.
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(300, 10));
    QTest::mouseMove(&window, QPoint(350, 40));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(350, 40));
    EXPECT_EQ(window.pos(), before + QPoint(50, 30));

    const QPoint next = window.pos();
    QTest::mousePress(window.meter(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(window.meter(), QPoint(5, 30));
    QTest::mouseRelease(window.meter(), Qt::LeftButton, {}, QPoint(5, 30));
    EXPECT_EQ(window.pos(), next + QPoint(-5, 20));
}

TEST_F(PanelWindowQtTest, APlaceOffEveryScreenComesBackToTheCorner) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window.place({screen.right() - 20, 40, 625, 206});  // 20 pixels showing: too few to grab
    EXPECT_EQ(window.pos(), screen.topLeft());
    window.place({screen.right() - 100, screen.bottom() - 50, 625, 206});
    EXPECT_EQ(window.pos(), QPoint(screen.right() - 100, screen.bottom() - 50)) << "enough shows";
    EXPECT_EQ(window.size(), QSize(625, 206));
}

TEST_F(PanelWindowQtTest, QuestionOpensTheHelpPageAndMinMinimises) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    start();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // A double click, as the window system delivers it, opens the page once: QUESTION is the
    // framework's plain bitmap button, not a RepeatButton.
    const Rect question = controlRect(IDC_QUESTION);
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                       QPoint(question.left + question.width() / 2, question.top + question.height() / 2));
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1) << (host.shownBoxes.empty() ? "" : host.shownBoxes.back().text);
    EXPECT_TRUE(catcher.urls[0].toLocalFile().endsWith("/share/tovik/help/rotela/rotela.en.html"));

    QTest::mouseClick(&button(IDC_MIN), Qt::LeftButton);
    EXPECT_TRUE(window.isMinimised());
}

class PanelWindowJapanese : public PanelWindowQtTest {
protected:
    PanelWindowJapanese() : PanelWindowQtTest(Language::Japanese) {}
};

TEST_F(PanelWindowJapanese, TooltipsAndTheHelpPageAreJapanese) {
    start();
    window.show();
    ASSERT_TRUE(test::waitUntil([&] { return window.tooltipsRegistered(); }));
    EXPECT_EQ(button(IDC_QUESTION).toolTip(), "ヘルプを開く");
    EXPECT_TRUE(rotelaHelpPage(host.strings().language()).endsWith("/rotela.ja.html"));
}

}  // namespace
}  // namespace tovik::ui

#include "panel_window_test.moc"
