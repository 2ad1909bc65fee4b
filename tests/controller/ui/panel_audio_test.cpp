// The panel's audio controls on virtual time: the upside-down volume slider with VUP and VDOWN,
// following the unit's volume, MIXER with its two-second guard, and INIT's "volume default"
// against laid-out outputs and the simulated card's mixer.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cardsim/in_process_driver.h"
#include "controller/link/md_commands.h"
#include "controller/ui/controller_panel.h"
#include "platform/fake/fake_audio_devices.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/link/scripted_card.h"

namespace tovik::ui {
namespace {

using Kind = AudioOutputKind;

struct SliderView : PanelView {
    std::vector<int> positions;
    void sliderChanged(int position) override { positions.push_back(position); }
};

class PanelAudioTest : public ::testing::Test {
protected:
    PanelAudioTest() { panel.setView(&view); }
    void start(std::uint8_t volume = 30) {
        setVolume(volume);
        ASSERT_TRUE(panel.initialise());
        host.runUntilIdle();
    }
    void setVolume(std::uint8_t volume) {
        card.statusA = test::rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, volume);
        card.statusB = test::rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, volume, 0, 0, 0, 0, 0);
    }
    // Volume bytes sent with request 8 since request index `from`.
    std::vector<int> volumesSent(std::size_t from = 0) const {
        std::vector<int> out;
        for (std::size_t i = from; i < card.requests.size(); ++i)
            if (card.requests[i].code == card::MDIO_SET_VOLUME) out.push_back(card.requests[i].in[4]);
        return out;
    }

    fake::FakeHost host{resources::rotelaStrings()};
    test::ScriptedCard card{host};
    ControllerPanel panel{host, card};
    SliderView view;
};

TEST_F(PanelAudioTest, SliderSendsThirtyMinusItsPositionAndStepsStayInRange) {
    start();
    EXPECT_EQ(panel.sliderPosition(), 30) << "before the first status the thumb is at the bottom";
    // Every scroll notification sends, even to the same place.
    panel.sliderScrolled(10);
    panel.sliderScrolled(10);
    panel.sliderScrolled(30);
    EXPECT_EQ(volumesSent(), (std::vector<int>{20, 20, 0}));

    const std::size_t from = card.requests.size();
    panel.sliderScrolled(1);
    panel.click(IDC_VUP);   // 1 -> 0: 30
    panel.click(IDC_VUP);   // stays at the top and sends 30 again
    EXPECT_EQ(panel.sliderPosition(), 0);
    panel.sliderScrolled(29);
    panel.click(IDC_VDOWN);  // 29 -> 30: 0
    panel.click(IDC_VDOWN);  // stays at the bottom and sends 0 again
    EXPECT_EQ(panel.sliderPosition(), 30);
    EXPECT_EQ(volumesSent(from), (std::vector<int>{29, 30, 30, 1, 0, 0}));
    EXPECT_EQ(view.positions.back(), 30);

    // The unit's volume moves the thumb and sends nothing back.
    const std::size_t sent = volumesSent().size();
    setVolume(12);
    host.advance(1000);
    EXPECT_EQ(panel.sliderPosition(), 18);
    EXPECT_EQ(view.positions.back(), 18);
    EXPECT_EQ(volumesSent().size(), sent);
}

TEST_F(PanelAudioTest, TwoMixerPressesWithinTwoSecondsStartOneMixer) {
    start();
    panel.click(link::IDC_MIXER);
    host.advance(1999);
    panel.click(link::IDC_MIXER);
    ASSERT_EQ(host.fakeShell().started.size(), 1u);
    EXPECT_EQ(host.fakeShell().started[0].name, "Sndvol32.exe");
    EXPECT_TRUE(host.fakeShell().started[0].args.empty());
    host.advance(1);
    EXPECT_FALSE(panel.audio().mixerStarting());
    EXPECT_FALSE(host.timerRunning(panel.window(), TIMER_MIXER));
    panel.click(link::IDC_MIXER);
    EXPECT_EQ(host.fakeShell().started.size(), 2u) << "its window never came: start again";

    // A start that fails is not reported, and still guards for two seconds.
    host.advance(2000);
    host.fakeShell().startSucceeds = false;
    panel.click(link::IDC_MIXER);
    EXPECT_TRUE(panel.audio().mixerStarting());
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(PanelAudioTest, RunningMixerIsRestoredAndRaisedNotStartedAgain) {
    start();
    auto& registry = host.fakeRegistry();
    registry.setProcess(7);
    const auto id = registry.registerWindow("Volume Control", "Volume Control", {});
    registry.setMinimised(id, true);
    panel.click(link::IDC_MIXER);
    panel.click(link::IDC_MIXER);
    EXPECT_EQ(registry.windowRequests,
              (std::vector<std::string>{"restore Volume Control", "front Volume Control",
                                        "front Volume Control"}));
    EXPECT_TRUE(host.fakeShell().started.empty());
    EXPECT_FALSE(panel.audio().mixerStarting());
}

TEST(PanelVolumeDefault, OwnOutputsThenEveryVolumeControlThenTheCardsMixer) {
    fake::FakeHost host{resources::rotelaStrings()};
    card::InProcessCardDriver driver{host};
    ControllerPanel panel{host, driver};
    fake::FakeAudioDevices audio;
    audio.add(Kind::Wave, 183, false);  // 0: the card's, no volume flag: first pass only
    audio.add(Kind::Wave, 1, true);     // 1: second pass
    audio.add(Kind::Wave, 2, false);    // 2: neither: left alone
    audio.add(Kind::Wave, 183, true);   // 3: both passes
    audio.add(Kind::Midi, 183, false);  // 0
    audio.add(Kind::Midi, 5, true);     // 1
    audio.installDriver("TOVIKMD.DRV", [&] { return driver.openMixerDriver(); });
    panel.setAudioDevices(&audio);
    ASSERT_TRUE(panel.initialise());
    host.advance(2000);
    const int slider = panel.sliderPosition();

    panel.click(link::IDC_INIT);
    using Set = fake::FakeAudioDevices::VolumeSet;
    constexpr std::uint32_t full = 0xFFFFFFFF;
    EXPECT_EQ(audio.volumeSets, (std::vector<Set>{{Kind::Wave, 0, full}, {Kind::Wave, 3, full},
                                                  {Kind::Wave, 1, full}, {Kind::Wave, 3, full},
                                                  {Kind::Midi, 0, full}, {Kind::Midi, 1, full}}));
    EXPECT_FALSE(audio.wave[2].volume);
    ASSERT_TRUE(driver.service().lastMixerMessage());
    EXPECT_EQ(*driver.service().lastMixerMessage(), (card::MixerMessage{0x5000, 0x00FF00FF, 0}));
    const auto state = driver.service().stateJson();
    EXPECT_EQ(state["mixer"]["message"], 0x5000);
    EXPECT_EQ(state["mixer"]["param1"], 0x00FF00FF);
    EXPECT_EQ(panel.sliderPosition(), slider);
    EXPECT_TRUE(host.shownBoxes.empty());

    // Without sound devices, or without the card's driver, INIT quietly does what it can.
    fake::FakeAudioDevices none;
    panel.setAudioDevices(&none);
    panel.click(link::IDC_INIT);
    EXPECT_TRUE(none.volumeSets.empty());
    EXPECT_EQ(driver.service().mixerMessageCount(), 1u);
    EXPECT_TRUE(host.shownBoxes.empty());
}

}  // namespace
}  // namespace tovik::ui
