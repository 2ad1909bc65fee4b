// The launcher against the simulated unit in-process, on virtual time: single instance, the
// launch on each rising edge of unit readiness, the controller found by its real title, the
// icon's two images, a lost reply, the menu and About box, failed starts and shutdown.
#include <gtest/gtest.h>

#include <cstring>

#include "cardsim/in_process_driver.h"
#include "launcher/about_placement.h"
#include "launcher/tray_launcher.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"

namespace tovik::launcher {
namespace {

// Passes requests on to the in-process driver, recording each code and when; can hand out
// address 0 or refuse the attach.
class RecordingDriver : public card::CardDriver, public card::CardDevice {
public:
    RecordingDriver(card::CardDriver& inner, const Clock& clock) : inner_(inner), clock_(clock) {}
    std::unique_ptr<card::CardDevice> open(const std::string& path) override {
        device_ = inner_.open(path);
        if (!device_) return nullptr;
        struct Handle : card::CardDevice {
            RecordingDriver& d;
            explicit Handle(RecordingDriver& driver) : d(driver) {}
            ~Handle() override { d.device_.reset(); }
            bool control(std::uint32_t c, const void* i, std::uint32_t n, void* o, std::uint32_t m) override {
                return d.control(c, i, n, o, m);
            }
        };
        return std::make_unique<Handle>(*this);
    }
    bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize) override {
        calls.push_back({code, clock_.nowMs()});
        if (code == card::MDIO_ATTACH_BLOCK && attachSpoilt) {
            if (out) std::memset(out, 0, outSize);
            return attachAccepted;
        }
        return device_->control(code, in, inSize, out, outSize);
    }
    std::vector<std::uint64_t> timesOf(std::uint32_t code) const {
        std::vector<std::uint64_t> out;
        for (auto [c, at] : calls)
            if (c == code) out.push_back(at);
        return out;
    }
    bool open() const { return device_ != nullptr; }

    std::vector<std::pair<std::uint32_t, std::uint64_t>> calls;
    bool attachSpoilt = false, attachAccepted = false;

private:
    card::CardDriver& inner_;
    const Clock& clock_;
    std::unique_ptr<card::CardDevice> device_;
};

struct FakeTrayDesktop : TrayDesktop {
    bool addIcon(Handle, unsigned iconId, unsigned imageId, const std::string& tip) override {
        EXPECT_EQ(iconId, kTrayIconId);
        EXPECT_EQ(tip, "MD Control");
        if (hasTray) images.push_back(imageId);
        return shown = hasTray;
    }
    bool changeIcon(unsigned, unsigned imageId) override {
        images.push_back(imageId);
        return true;
    }
    bool removeIcon(unsigned) override { return !(shown = false); }
    Point cursorPos() const override { return cursor; }
    Size desktopSize() const override { return {1024, 768}; }
    bool trackPopupMenu(Handle, const std::vector<MenuItem>& items, Point) override {
        menus.push_back(items);
        return true;
    }
    int runAboutBox(const AboutTexts& texts, const std::function<Point(Size)>& place) override {
        about = texts;
        aboutAt = place({200, 100});
        if (whileAboutOpen) whileAboutOpen();
        return IDOK;
    }
    void closeOwnedWindows() override { ++closedOwned; }
    unsigned image() const { return images.empty() ? 0 : images.back(); }

    bool hasTray = true, shown = false;
    int closedOwned = 0;
    std::vector<unsigned> images;
    std::vector<std::vector<MenuItem>> menus;
    Point cursor{100, 100}, aboutAt;
    std::optional<AboutTexts> about;
    std::function<void()> whileAboutOpen;
};

class Traymote : public ::testing::Test {
public:
    explicit Traymote(Language language = Language::English) : host(resources::traymoteStrings(), language) {
        EXPECT_EQ(unit.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/english-album.json"), "");
    }
    void TestBody() override {}

    std::size_t launches() { return host.fakeShell().started.size(); }
    // Another process shows a window with this title.
    void controllerWindow(const std::string& title) {
        host.fakeRegistry().setProcess(2);
        host.fakeRegistry().registerWindow("#32770", title, {});
        host.fakeRegistry().setProcess(1);
    }
    void tray(Msg mouse, WParam icon = kTrayIconId) {
        host.post(launcher.window(), WM_TRAY_NOTIFY, icon, static_cast<LParam>(mouse));
        host.runUntilIdle();
    }

    fake::FakeHost host;
    card::InProcessCardDriver unit{host};
    RecordingDriver driver{unit, host};
    FakeTrayDesktop desktop;
    TrayLauncher launcher{host, desktop, driver};
};

TEST_F(Traymote, SecondStartEndsAtOnceAndTouchesNothing) {
    ASSERT_TRUE(launcher.start());
    FakeTrayDesktop otherDesktop;
    RecordingDriver otherDriver{unit, host};
    TrayLauncher second{host, otherDesktop, otherDriver};
    EXPECT_EQ(second.run(), 0);
    host.advance(5000);
    EXPECT_TRUE(otherDriver.calls.empty());
    EXPECT_TRUE(otherDesktop.images.empty());
    EXPECT_EQ(launches(), 1u);
}

TEST_F(Traymote, LaunchesOncePerRisingEdgeOfUnitReadiness) {
    controllerWindow("TOVIK MD Controler");  // a title the controller never has
    ASSERT_TRUE(launcher.start());
    host.advance(1100);  // first status: the unit is still reading the disc
    EXPECT_EQ(launches(), 0u);
    host.advance(1000);
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(host.fakeShell().started[0].name, "ROTELA.EXE");
    host.advance(20000);
    EXPECT_EQ(launches(), 1u) << "a unit that stays ready is no new edge";

    unit.setPower(false);
    host.advance(3000);
    unit.setPower(true);
    host.advance(3000);
    EXPECT_EQ(launches(), 2u);
}

TEST_F(Traymote, NoLaunchWhileTheControllerWindowExistsNorWhenItCloses) {
    controllerWindow("TOVIK MD Controller");
    ASSERT_TRUE(launcher.start());
    host.advance(10000);
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(launches(), 0u);
    EXPECT_TRUE(driver.timesOf(card::MDIO_GET_STATUS).empty()) << "the unit is not asked meanwhile";

    host.fakeRegistry().endProcess(2);  // closed while the unit stays ready
    host.advance(10000);
    EXPECT_EQ(launches(), 0u);
    EXPECT_FALSE(driver.timesOf(card::MDIO_GET_STATUS).empty());
    tray(WM_LBUTTONDBLCLK, 301);
    EXPECT_EQ(launches(), 0u) << "another icon's events are not ours";
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(launches(), 1u);
}

TEST(TraymoteJapanese, FindsTheControllerByItsJapaneseTitleAndShowsJapaneseMenu) {
    Traymote t(Language::Japanese);
    t.controllerWindow("TOVIK MD コントローラ");
    ASSERT_TRUE(t.launcher.start());
    t.host.advance(10000);
    EXPECT_EQ(t.launches(), 0u);
    t.tray(WM_RBUTTONDOWN);
    ASSERT_EQ(t.desktop.menus.size(), 1u);
    EXPECT_EQ(t.desktop.menus[0][0].text, "バージョン情報(&A)...");
    EXPECT_EQ(t.desktop.menus[0][2].text, "閉じる(&C)");
}

TEST_F(Traymote, CardAbsentShowsNotReadyAndAsksNothing) {
    unit.removeCard();
    ASSERT_TRUE(launcher.start());
    host.advance(10000);
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(desktop.images, std::vector<unsigned>{IDI_CARD_NOT_READY});
    EXPECT_TRUE(driver.timesOf(card::MDIO_GET_STATUS).empty());
    EXPECT_EQ(launches(), 0u);
}

TEST_F(Traymote, CardRemovedWhileReadyThenReinsertedLaunchesAgain) {
    ASSERT_TRUE(launcher.start());
    host.advance(3000);
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(desktop.image(), IDI_CARD_READY);
    unit.removeCard();
    host.advance(1000);
    EXPECT_EQ(desktop.image(), IDI_CARD_NOT_READY);
    unit.insertCard();
    host.advance(1000);
    EXPECT_EQ(desktop.image(), IDI_CARD_READY);
    host.advance(2000);  // past the unit's reading of the disc
    EXPECT_EQ(launches(), 2u);
}

TEST_F(Traymote, LostReplyRestartsThePoll) {
    card::FaultRule drop;
    drop.kind = card::AnswerKind::Status;
    unit.injectFault(drop);
    ASSERT_TRUE(launcher.start());
    host.advance(4500);
    // No second request while one is outstanding; at 2500 the reply timer runs out and the poll
    // runs at once, its period restarted.
    EXPECT_EQ(driver.timesOf(card::MDIO_GET_STATUS), (std::vector<std::uint64_t>{1000, 2500, 3500, 4500}));
    EXPECT_EQ(launches(), 1u);
}

TEST(TraymoteFailures, EndSilentlyAndLeaveNothingBehind) {
    const std::function<void(Traymote&)> spoilers[] = {
        [](Traymote& t) { t.unit.setInstalled(false); },
        [](Traymote& t) { t.driver.attachSpoilt = true; },
        [](Traymote& t) { t.driver.attachSpoilt = t.driver.attachAccepted = true; },  // address 0
        [](Traymote& t) { t.host.refuseTimers(1); },
    };
    for (const auto& spoil : spoilers) {
        Traymote t;
        spoil(t);
        EXPECT_EQ(t.launcher.run(), 0);
        EXPECT_TRUE(t.host.shownBoxes.empty());
        EXPECT_FALSE(t.driver.open());
        EXPECT_EQ(t.host.fakeRegistry().size(), 0u) << "a new launcher may start";
    }
}

TEST_F(Traymote, CloseFromOutsideWhileTheAboutBoxShowsShutsDownInTheDriversOrder) {
    Handle window = kNoWindow;
    host.at(3000, [&] { host.post(launcher.window(), WM_COMMAND, ID_ABOUT, 0); });
    desktop.whileAboutOpen = [&] {
        window = launcher.window();
        launcher.requestClose();  // a signal, the session's end
        host.runUntilIdle();
        EXPECT_EQ(desktop.closedOwned, 1) << "the About box goes with its owner";
    };
    EXPECT_EQ(launcher.run(), 0);
    ASSERT_GE(driver.calls.size(), 3u);
    EXPECT_EQ(driver.calls.front().first, card::MDIO_ATTACH_BLOCK);
    EXPECT_EQ(driver.calls[driver.calls.size() - 2].first, card::MDIO_DETACH_WINDOW);
    EXPECT_EQ(driver.calls.back().first, card::MDIO_RELEASE_BLOCK);
    EXPECT_FALSE(driver.open());
    EXPECT_FALSE(desktop.shown);
    EXPECT_FALSE(host.timerRunning(window, TIMER_CARD_POLL));
    EXPECT_EQ(host.fakeRegistry().size(), 0u);
}

TEST_F(Traymote, MenuAndAboutBoxWhichMutesTheIcon) {
    ASSERT_TRUE(launcher.start());
    host.advance(1000);
    tray(WM_RBUTTONDOWN);
    ASSERT_EQ(desktop.menus.size(), 1u);
    const auto& menu = desktop.menus[0];
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].command, ID_ABOUT);
    EXPECT_EQ(menu[0].text, "&About...");
    EXPECT_EQ(menu[1].command, 0u) << "separator";
    EXPECT_EQ(menu[2].text, "&Close");

    desktop.cursor = {1000, 750};
    desktop.whileAboutOpen = [&] {
        tray(WM_LBUTTONDBLCLK);
        tray(WM_RBUTTONDOWN);
    };
    host.post(launcher.window(), WM_COMMAND, ID_ABOUT, 0);
    host.runUntilIdle();
    ASSERT_TRUE(desktop.about);
    EXPECT_EQ(desktop.about->title, "About");
    EXPECT_EQ(desktop.about->version, "Version 1.00");
    EXPECT_EQ(desktop.aboutAt.x, 800);
    EXPECT_EQ(desktop.aboutAt.y, 650);
    EXPECT_EQ(desktop.menus.size(), 1u);
    EXPECT_EQ(launches(), 0u);
}

TEST_F(Traymote, RunsOnWithoutANotificationArea) {
    desktop.hasTray = false;
    ASSERT_TRUE(launcher.start());
    host.advance(3000);
    EXPECT_EQ(launches(), 1u);
    desktop.hasTray = true;  // a tray host starting later gets the icon with the next poll
    host.advance(1000);
    EXPECT_EQ(desktop.images, std::vector<unsigned>{IDI_CARD_READY});
}

TEST(AboutBoxPosition, StaysOnTheDesktopAtEachEdge) {
    struct Case {
        Point cursor, expected;
    } cases[] = {
        {{10, 10}, {10, 10}},
        {{824, 668}, {824, 668}},  // the box's edges touch the desktop's
        {{825, 300}, {625, 300}},  // right edge: to the cursor's left
        {{300, 669}, {300, 569}},  // bottom edge: above the cursor
        {{1023, 767}, {823, 667}},
    };
    for (const Case& c : cases) {
        const Point p = aboutBoxPosition(c.cursor, {200, 100}, {1024, 768});
        EXPECT_EQ(p.x, c.expected.x) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(p.y, c.expected.y) << c.cursor.x << "," << c.cursor.y;
    }
    EXPECT_EQ(aboutBoxPosition({150, 10}, {300, 100}, {400, 768}).x, 0) << "never off the left edge";
}

}  // namespace
}  // namespace tovik::launcher
