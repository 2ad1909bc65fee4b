// The launcher against the simulated unit in-process, on virtual time: single instance, the
// launch on each rising edge of unit readiness, the controller found by its real title, the
// icon's two images, a lost reply, the menu and About box, start-up failures and shutdown.
#include <gtest/gtest.h>

#include <cstring>

#include "cardsim/in_process_driver.h"
#include "launcher/about_placement.h"
#include "launcher/tray_launcher.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"

namespace tovik::launcher {
namespace {

struct Call {
    std::uint32_t code;
    std::vector<std::uint8_t> in;
    std::uint64_t atMs;
};

// Passes every request on to the in-process driver and records it; can spoil the attach.
class RecordingDriver : public card::CardDriver {
public:
    enum class Attach { Normal, Refused, AddressZero };

    RecordingDriver(card::CardDriver& inner, const Clock& clock) : inner_(inner), clock_(clock) {}

    std::unique_ptr<card::CardDevice> open(const std::string& path) override {
        auto device = inner_.open(path);
        if (!device) return nullptr;
        return std::make_unique<Device>(*this, std::move(device));
    }

    std::vector<std::uint32_t> codes() const {
        std::vector<std::uint32_t> out;
        for (const Call& c : calls) out.push_back(c.code);
        return out;
    }
    std::vector<std::uint64_t> timesOf(std::uint32_t code) const {
        std::vector<std::uint64_t> out;
        for (const Call& c : calls)
            if (c.code == code) out.push_back(c.atMs);
        return out;
    }

    std::vector<Call> calls;
    Attach attach = Attach::Normal;
    int openDevices = 0;

private:
    class Device : public card::CardDevice {
    public:
        Device(RecordingDriver& driver, std::unique_ptr<card::CardDevice> inner)
            : driver_(driver), inner_(std::move(inner)) {
            ++driver_.openDevices;
        }
        ~Device() override { --driver_.openDevices; }
        bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                     std::uint32_t outSize) override {
            const auto* bytes = static_cast<const std::uint8_t*>(in);
            driver_.calls.push_back({code, {bytes, bytes + inSize}, driver_.clock_.nowMs()});
            if (code == card::MDIO_ATTACH_BLOCK && driver_.attach != Attach::Normal) {
                if (driver_.attach == Attach::Refused) return false;
                std::memset(out, 0, outSize);
                return true;
            }
            return inner_->control(code, in, inSize, out, outSize);
        }

    private:
        RecordingDriver& driver_;
        std::unique_ptr<card::CardDevice> inner_;
    };

    card::CardDriver& inner_;
    const Clock& clock_;
};

class FakeTrayDesktop : public TrayDesktop {
public:
    bool addIcon(Handle, unsigned iconId, unsigned imageId, const std::string& tip) override {
        if (!hasTray) return false;
        images.push_back(imageId);
        EXPECT_EQ(iconId, kTrayIconId);
        EXPECT_EQ(tip, "MD Control");
        shown = true;
        return true;
    }
    bool changeIcon(unsigned, unsigned imageId) override {
        images.push_back(imageId);
        return shown;
    }
    bool removeIcon(unsigned) override {
        shown = false;
        return true;
    }
    Point cursorPos() const override { return cursor; }
    Size desktopSize() const override { return desktop; }
    bool trackPopupMenu(Handle, const std::vector<MenuItem>& items, Point at) override {
        menus.push_back(items);
        menuAt = at;
        return true;
    }
    int runAboutBox(const AboutTexts& texts, const std::function<Point(Size)>& place) override {
        about = texts;
        aboutAt = place(aboutSize);
        if (whileAboutOpen) whileAboutOpen();
        return IDOK;
    }

    unsigned image() const { return images.empty() ? 0 : images.back(); }

    bool hasTray = true;
    bool shown = false;
    std::vector<unsigned> images;
    std::vector<std::vector<MenuItem>> menus;
    Point cursor{100, 100}, menuAt;
    Size desktop{1024, 768}, aboutSize{200, 100};
    std::optional<AboutTexts> about;
    Point aboutAt;
    std::function<void()> whileAboutOpen;
};

class Traymote : public ::testing::Test {
public:
    explicit Traymote(Language language = Language::English)
        : host(resources::traymoteStrings(), language) {
        EXPECT_EQ(unit.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/english-album.json"), "");
    }

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
    auto entry = host.windowRegistry().findWindow(std::string("TRAYMOTEWClass"), std::nullopt);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->title, "TRAYMOTE");

    FakeTrayDesktop otherDesktop;
    RecordingDriver otherDriver{unit, host};
    TrayLauncher second{host, otherDesktop, otherDriver};
    EXPECT_EQ(second.run(), 0);
    EXPECT_TRUE(otherDriver.calls.empty());
    host.advance(5000);
    EXPECT_TRUE(otherDesktop.images.empty());
    EXPECT_EQ(launches(), 1u) << "only the first launcher starts the controller";
}

TEST_F(Traymote, LaunchesOncePerRisingEdgeOfUnitReadiness) {
    ASSERT_TRUE(launcher.start());
    host.advance(1100);  // first status: the unit is still reading the disc (0x30)
    EXPECT_EQ(launches(), 0u);
    host.advance(1000);
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(host.fakeShell().started[0].name, "ROTELA.EXE");
    EXPECT_TRUE(host.fakeShell().started[0].args.empty());
    host.advance(20000);
    EXPECT_EQ(launches(), 1u) << "a unit that stays ready is not a new edge";

    unit.setPower(false);
    host.advance(3000);
    EXPECT_FALSE(launcher.unitReadySeen());
    unit.setPower(true);
    host.advance(3000);
    EXPECT_EQ(launches(), 2u);
    EXPECT_EQ(desktop.image(), IDI_CARD_READY) << "the card stayed ready throughout";
}

TEST_F(Traymote, NoLaunchWhileTheControllerWindowExists) {
    controllerWindow("TOVIK MD Controller");
    ASSERT_TRUE(launcher.start());
    host.advance(10000);
    EXPECT_EQ(launches(), 0u);
    EXPECT_TRUE(launcher.unitReadySeen());
    EXPECT_TRUE(driver.timesOf(card::MDIO_GET_STATUS).empty()) << "the unit is not asked meanwhile";

    // The controller is closed while the unit stays ready: no new edge, no new controller.
    host.fakeRegistry().endProcess(2);
    host.advance(10000);
    EXPECT_EQ(launches(), 0u);
    EXPECT_FALSE(driver.timesOf(card::MDIO_GET_STATUS).empty());
}

TEST_F(Traymote, TheMisspeltTitleIsNoController) {
    controllerWindow("TOVIK MD Controler");
    ASSERT_TRUE(launcher.start());
    host.advance(3000);
    EXPECT_EQ(launches(), 1u);
}

class TraymoteJapanese : public Traymote {
protected:
    TraymoteJapanese() : Traymote(Language::Japanese) {}
};

TEST_F(TraymoteJapanese, FindsTheControllerByItsJapaneseTitleAndShowsJapaneseMenu) {
    EXPECT_EQ(launcher.controllerTitle(), "TOVIK MD コントローラ");
    controllerWindow("TOVIK MD コントローラ");
    ASSERT_TRUE(launcher.start());
    host.advance(10000);
    EXPECT_EQ(launches(), 0u);

    tray(WM_RBUTTONDOWN);
    ASSERT_EQ(desktop.menus.size(), 1u);
    EXPECT_EQ(desktop.menus[0][0].text, "バージョン情報(&A)...");
    EXPECT_EQ(desktop.menus[0][2].text, "閉じる(&C)");
}

TEST_F(Traymote, CardAbsentShowsNotReadyAndAsksNothing) {
    unit.removeCard();
    ASSERT_TRUE(launcher.start());
    host.advance(10000);
    EXPECT_TRUE(desktop.shown);
    EXPECT_EQ(desktop.images, std::vector<unsigned>{IDI_CARD_NOT_READY});
    EXPECT_TRUE(driver.timesOf(card::MDIO_GET_STATUS).empty());
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(launches(), 0u) << "a double click needs a ready card";
}

TEST_F(Traymote, CardRemovedWhileReadyThenReinsertedLaunchesAgain) {
    ASSERT_TRUE(launcher.start());
    host.advance(3000);
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(desktop.image(), IDI_CARD_READY);

    unit.removeCard();
    host.advance(1000);
    EXPECT_EQ(desktop.image(), IDI_CARD_NOT_READY);
    EXPECT_FALSE(launcher.unitReadySeen());

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
    host.advance(2499);
    EXPECT_TRUE(launcher.requestPending());
    EXPECT_EQ(driver.timesOf(card::MDIO_GET_STATUS), (std::vector<std::uint64_t>{1000}))
        << "no second request while one is outstanding";
    host.advance(2001);
    // The reply timer runs out at 2500: the poll runs at once and restarts its period.
    EXPECT_EQ(driver.timesOf(card::MDIO_GET_STATUS), (std::vector<std::uint64_t>{1000, 2500, 3500, 4500}));
    EXPECT_EQ(launches(), 1u);
}

TEST_F(Traymote, FailedStartsEndSilentlyAndLeaveNothingBehind) {
    struct Case {
        const char* what;
        std::function<void(Traymote&)> spoil;
    } cases[] = {
        {"no driver", [](Traymote& t) { t.unit.setInstalled(false); }},
        {"attach refused", [](Traymote& t) { t.driver.attach = RecordingDriver::Attach::Refused; }},
        {"attach at 0", [](Traymote& t) { t.driver.attach = RecordingDriver::Attach::AddressZero; }},
        {"poll timer refused", [](Traymote& t) { t.host.refuseTimers(1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        struct Fresh : Traymote {
            void TestBody() override {}
        } t;
        c.spoil(t);
        EXPECT_EQ(t.launcher.run(), 0);
        EXPECT_TRUE(t.host.shownBoxes.empty());
        EXPECT_EQ(t.driver.openDevices, 0);
        EXPECT_EQ(t.host.fakeRegistry().size(), 0u) << "a new launcher may start";
        EXPECT_FALSE(t.desktop.shown);
    }
}

TEST_F(Traymote, CloseShutsDownInTheDriversOrder) {
    Handle window = kNoWindow;
    host.at(3000, [&] {
        window = launcher.window();
        host.post(window, WM_COMMAND, ID_CLOSE, 0);
    });
    EXPECT_EQ(launcher.run(), 0);
    EXPECT_EQ(launches(), 1u);

    const std::vector<std::uint32_t> codes = driver.codes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes.front(), card::MDIO_ATTACH_BLOCK);
    EXPECT_EQ(driver.calls.front().in, (std::vector<std::uint8_t>{13, 0, 0, 0}));
    EXPECT_EQ(codes[codes.size() - 2], card::MDIO_DETACH_WINDOW);
    EXPECT_EQ(codes.back(), card::MDIO_RELEASE_BLOCK);
    EXPECT_EQ(driver.openDevices, 0);
    EXPECT_FALSE(desktop.shown);
    EXPECT_FALSE(host.isWindow(window));
    EXPECT_FALSE(host.timerRunning(window, TIMER_CARD_POLL));
    EXPECT_EQ(host.fakeRegistry().size(), 0u);
}

TEST_F(Traymote, TrayClicks) {
    ASSERT_TRUE(launcher.start());
    host.advance(1000);  // card ready, the unit still reading: no launch yet
    desktop.cursor = {700, 500};
    tray(WM_RBUTTONDOWN);
    ASSERT_EQ(desktop.menus.size(), 1u);
    const auto& menu = desktop.menus[0];
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].command, ID_ABOUT);
    EXPECT_EQ(menu[0].text, "&About...");
    EXPECT_EQ(menu[1].command, 0u) << "separator";
    EXPECT_EQ(menu[2].command, ID_CLOSE);
    EXPECT_EQ(menu[2].text, "&Close");
    EXPECT_EQ(desktop.menuAt.x, 700);

    tray(WM_LBUTTONDBLCLK, 301);
    EXPECT_EQ(launches(), 0u) << "another icon's events are not ours";
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(launches(), 1u);
    controllerWindow("TOVIK MD Controller");
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(launches(), 1u) << "not while the controller's window exists";
}

TEST_F(Traymote, AboutBoxOpensAtTheCursorAndMutesTheIcon) {
    ASSERT_TRUE(launcher.start());
    host.advance(1000);
    desktop.cursor = {1000, 750};
    desktop.whileAboutOpen = [&] {
        EXPECT_TRUE(launcher.aboutOpen());
        tray(WM_LBUTTONDBLCLK);
        tray(WM_RBUTTONDOWN);
        host.advance(5000);  // the poll goes on meanwhile
    };
    host.post(launcher.window(), WM_COMMAND, ID_ABOUT, 0);
    host.runUntilIdle();
    ASSERT_TRUE(desktop.about);
    EXPECT_EQ(desktop.about->title, "About");
    EXPECT_EQ(desktop.about->program, "Traymote");
    EXPECT_EQ(desktop.about->version, "Version 1.00");
    EXPECT_EQ(desktop.aboutAt.x, 800);
    EXPECT_EQ(desktop.aboutAt.y, 650);
    EXPECT_TRUE(desktop.menus.empty());
    EXPECT_EQ(launches(), 1u) << "only the rising edge launched, not the muted double click";
    EXPECT_FALSE(launcher.aboutOpen());
}

TEST_F(Traymote, RunsOnWithoutANotificationArea) {
    desktop.hasTray = false;
    ASSERT_TRUE(launcher.start());
    host.advance(3000);
    EXPECT_FALSE(launcher.iconShown());
    EXPECT_EQ(launches(), 1u);
    desktop.hasTray = true;  // a tray host starts later: the icon appears with the next poll
    host.advance(1000);
    EXPECT_EQ(desktop.images, std::vector<unsigned>{IDI_CARD_READY});
}

TEST(AboutBoxPosition, StaysOnTheDesktopAtEachEdge) {
    const Size box{200, 100}, desktop{1024, 768};
    struct Case {
        Point cursor, expected;
    } cases[] = {
        {{10, 10}, {10, 10}},          // top left: at the cursor
        {{824, 668}, {824, 668}},      // just fits: the right and bottom edges touch the desktop's
        {{825, 300}, {625, 300}},      // right edge: to the cursor's left
        {{300, 669}, {300, 569}},      // bottom edge: above the cursor
        {{1023, 767}, {823, 667}},     // bottom-right corner
    };
    for (const Case& c : cases) {
        const Point p = aboutBoxPosition(c.cursor, box, desktop);
        EXPECT_EQ(p.x, c.expected.x) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(p.y, c.expected.y) << c.cursor.x << "," << c.cursor.y;
    }
    // A box wider than the room on either side of the cursor stops at the left edge.
    EXPECT_EQ(aboutBoxPosition({150, 10}, {300, 100}, {400, 768}).x, 0);
}

}  // namespace
}  // namespace tovik::launcher
