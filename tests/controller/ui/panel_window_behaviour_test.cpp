// What the panel does for its window: keys it takes before its controls, system commands, the
// window's position kept between runs, and the label editor keeping the panel disabled.
#include <gtest/gtest.h>

#include "controller/link/md_commands.h"
#include "controller/ui/controller_panel.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/link/scripted_card.h"

namespace tovik::ui {
namespace {

using fake::FakeProfile;

// The panel's window as far as placing it goes; the template comes with a caption.
struct FakePlacement : PanelPlacement {
    bool caption = true;
    bool minimised = false;
    WindowRect rect{100, 100, 400, 300};
    std::vector<WindowRect> placed;
    std::function<void()> onQuery;
    bool hasCaption() const override { return caption; }
    void setCaption(bool shown) override { caption = shown; }
    void place(const WindowRect& r) override {
        rect = r;
        placed.push_back(r);
    }
    WindowRect normalRect() const override {
        if (onQuery) onQuery();
        return rect;
    }
    bool isMinimised() const override { return minimised; }
    void minimise() override { minimised = true; }
};

struct WindowView : PanelView {
    int about = 0;
    void aboutRequested() override { ++about; }
};

struct ClickHooks : PanelHooks {
    std::vector<int> clicks;
    bool click(int id) override {
        clicks.push_back(id);
        return true;
    }
};

class PanelWindowTest : public ::testing::Test {
protected:
    PanelWindowTest() {
        panel.setView(&view);
        panel.setHooks(&hooks);
        panel.setPlacement(&window);
    }
    void start() {
        ASSERT_TRUE(panel.initialise());
        host.runUntilIdle();
    }
    const FakeProfile::Value* stored(const char* key) {
        return host.fakeProfile().find("Position", key);
    }

    fake::FakeHost host{resources::rotelaStrings()};
    test::ScriptedCard card{host};
    FakePlacement window;
    WindowView view;
    ClickHooks hooks;
    ControllerPanel panel{host, card};
};

TEST_F(PanelWindowTest, KeysAndSystemCommandsThePanelTakes) {
    start();
    // Enter and Escape never reach a control; they press OK and CANCEL only while shown.
    EXPECT_TRUE(panel.keyDown(PanelKey::Enter, false));
    EXPECT_TRUE(panel.keyDown(PanelKey::Escape, true));
    EXPECT_TRUE(hooks.clicks.empty());
    panel.setEditButtonsShown(true);
    EXPECT_TRUE(panel.keyDown(PanelKey::Enter, false));
    EXPECT_TRUE(panel.keyDown(PanelKey::Escape, false));
    EXPECT_EQ(hooks.clicks, (std::vector<int>{IDC_OK, IDC_CANCEL}));

    for (unsigned id : {0x0Fu, 0x10u, 0x1Fu, 0x20u, 0xF020u})
        EXPECT_EQ(panel.systemCommand(id), id >= 0x10 && id <= 0x1F) << id;
    EXPECT_EQ(view.about, 2);
    panel.click(IDC_MIN);
    EXPECT_TRUE(window.minimised);

    EXPECT_FALSE(panel.keyDown(PanelKey::F4, false));
    EXPECT_FALSE(panel.ended());
    EXPECT_TRUE(panel.keyDown(PanelKey::F4, true));
    EXPECT_TRUE(panel.ended());
    EXPECT_EQ(panel.result(), 0);
}

TEST_F(PanelWindowTest, FirstRunAtTopLeftExitWhileMinimisedStoresTheRestoredPlaceLast) {
    start();
    EXPECT_FALSE(window.caption);
    EXPECT_EQ(window.placed, (std::vector<WindowRect>{{0, 0, 625, 206}}));
    window.rect = {321, 123, 625, 206};  // dragged there, then minimised
    panel.click(IDC_MIN);
    int releasesAtSave = -1;
    window.onQuery = [&] { releasesAtSave = card.count(card::MDIO_RELEASE_BLOCK); };
    panel.click(link::IDC_CLOSE);
    panel.shutdown();
    EXPECT_EQ(releasesAtSave, 1) << "the position is saved last";
    ASSERT_TRUE(stored("x") && stored("y") && stored("Min"));
    EXPECT_EQ(std::get<int>(*stored("x")), 321);
    EXPECT_EQ(std::get<int>(*stored("y")), 123);
    EXPECT_EQ(std::get<int>(*stored("Min")), 1);

    // The next run comes up normal at that place.
    FakePlacement next;
    test::ScriptedCard card2{host};
    ControllerPanel again{host, card2};
    again.setPlacement(&next);
    ASSERT_TRUE(again.initialise());
    EXPECT_EQ(next.placed.back(), (WindowRect{321, 123, 625, 206}));
    EXPECT_FALSE(next.minimised);
    again.shutdown();
    EXPECT_EQ(std::get<int>(*stored("Min")), 0);
}

TEST_F(PanelWindowTest, FailedStartLeavesTheStoredPositionAlone) {
    host.fakeProfile().setInt("Position", "x", 40);
    card.ready = false;
    EXPECT_EQ(panel.run(), 0);
    EXPECT_TRUE(window.placed.empty());
    EXPECT_EQ(std::get<int>(*stored("x")), 40);
    EXPECT_FALSE(stored("Min"));
}

TEST_F(PanelWindowTest, ClosingTheLabelEditorReEnablesThePanelWithin500ms) {
    start();
    // Whenever in the check's period the editor goes, the panel is back within 500 ms and
    // polls again.
    for (unsigned offset : {0u, 250u, 499u}) {
        const auto editor = host.fakeRegistry().registerWindow("Sleevon", "Sleevon", {});
        host.advance(1000);
        ASSERT_FALSE(panel.enabled());
        host.advance(offset);
        host.fakeRegistry().unregisterWindow(editor);
        host.advance(500);
        EXPECT_TRUE(panel.enabled()) << offset;
        EXPECT_FALSE(host.timerRunning(panel.window(), TIMER_LABEL_EDITOR));
        EXPECT_TRUE(host.timerRunning(panel.window(), TIMER_POLL));
    }
}

}  // namespace
}  // namespace tovik::ui
