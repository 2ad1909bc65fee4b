// The panel against the simulated unit in-process, on virtual time: start-up on each shipped
// disc, the poll while playing, a removed card, dropped and failed answers.
#include <gtest/gtest.h>

#include "cardsim/in_process_driver.h"
#include "controller/link/md_commands.h"
#include "controller/ui/controller_panel.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"

namespace tovik::ui {
namespace {

class PanelWithUnit : public ::testing::Test {
protected:
    void load(const char* image) {
        ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + image), "");
    }
    void startAndSettle() {
        ASSERT_TRUE(panel.initialise());
        host.advance(5000);  // past the unit's reading of the table of contents
    }

    fake::FakeHost host{resources::rotelaStrings()};
    card::InProcessCardDriver driver{host};
    ControllerPanel panel{host, driver};
};

TEST_F(PanelWithUnit, EachShippedDiscSelectsItsStoppedRow) {
    struct Case {
        const char* image;
        int row;  // stopped, PC access on: recordable 13, pre-recorded 6
        int tracks;
    } cases[] = {{"english-album.json", 13, 8},
                 {"japanese-album.json", 13, -1},
                 {"prerecorded.json", 6, -1},
                 {"blank-74.json", 13, 0}};
    for (const Case& c : cases) {
        fake::FakeHost h{resources::rotelaStrings()};
        card::InProcessCardDriver d{h};
        ASSERT_EQ(d.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + c.image), "") << c.image;
        ControllerPanel p{h, d};
        ASSERT_TRUE(p.initialise()) << c.image;
        h.advance(5000);
        EXPECT_EQ(p.lastRow(), c.row) << c.image;
        EXPECT_EQ(p.status().mode, 2) << c.image;
        EXPECT_TRUE(p.buttons().mdLogoEnabled()) << c.image;
        if (c.tracks >= 0) {
            EXPECT_EQ(p.status().totalTracks, c.tracks) << c.image;
        }
        EXPECT_TRUE(h.shownBoxes.empty()) << c.image;
    }
}

TEST_F(PanelWithUnit, NoDiscAndNoDriver) {
    startAndSettle();  // nothing loaded
    EXPECT_EQ(panel.status().discState, 0);
    EXPECT_FALSE(panel.buttons().mdLogoEnabled());
    EXPECT_EQ(panel.lastRow(), 4) << "nibble 1 without a disc";

    fake::FakeHost h{resources::rotelaStrings()};
    card::InProcessCardDriver d{h};
    d.setInstalled(false);
    ControllerPanel p{h, d};
    EXPECT_EQ(p.run(), 0);
    ASSERT_EQ(h.shownBoxes.size(), 1u);
    EXPECT_EQ(h.shownBoxes[0].text, "vtovikmd.vxd is not found.");
}

TEST_F(PanelWithUnit, PlayingPollsLevelsAndTrackSteps) {
    load("english-album.json");
    startAndSettle();
    panel.click(link::IDC_MDPLAY);
    host.advance(2000);
    EXPECT_EQ(panel.status().mode, 5);
    EXPECT_EQ(panel.lastRow(), 14);
    EXPECT_EQ(panel.pollValue(), 1u);
    EXPECT_TRUE(panel.leftLevel() > 0 || panel.rightLevel() > 0) << "levels move while playing";

    panel.click(link::IDC_UP);
    host.post(panel.window(), WM_BUTTON_RELEASED, link::IDC_UP, 0);
    host.advance(1000);
    EXPECT_EQ(panel.status().currentTrack, 2);
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(PanelWithUnit, CardRemovedBetweenPollsEndsTheController) {
    load("english-album.json");
    startAndSettle();
    driver.removeCard();
    host.advance(1000);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "PC Card removed!\nExit MD controller.");
    EXPECT_TRUE(panel.ended());
}

TEST_F(PanelWithUnit, CardRemovedUnderAnOutstandingRequestIsFoundAfterTheTimeOut) {
    load("english-album.json");
    driver.setLatency(500);
    startAndSettle();
    // Pull the card while the next status request is on its way.
    while (!panel.statusOutstanding()) host.advance(1);
    driver.removeCard();
    host.advance(49999);
    EXPECT_TRUE(host.shownBoxes.empty()) << "nothing answers, nothing is said until the time-out";
    host.advance(1 + 1000);  // the time-out, then the poll's next request
    ASSERT_GE(host.shownBoxes.size(), 2u);
    EXPECT_EQ(host.shownBoxes[0].text, "MD Communication error\n(Time out)");
    EXPECT_EQ(host.shownBoxes[1].text, "PC Card removed!\nExit MD controller.");
    EXPECT_TRUE(panel.ended());
}

TEST_F(PanelWithUnit, DroppedAnswerTimesOutAndPollingResumes) {
    load("english-album.json");
    startAndSettle();
    card::FaultRule drop;
    drop.action = card::FaultRule::Action::Drop;
    drop.kind = card::AnswerKind::Status;
    driver.injectFault(drop);
    host.advance(50999);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "MD Communication error\n(Time out)");
    const std::uint64_t timedOutAt = host.shownBoxes[0].atMs;
    EXPECT_GE(timedOutAt, 5000u + 50000u);
    host.advance(3000);
    EXPECT_FALSE(panel.ended());
    EXPECT_EQ(host.shownBoxes.size(), 1u) << "the answers after it arrive";
    EXPECT_EQ(panel.lastRow(), 13);
}

TEST_F(PanelWithUnit, FailedAnswerKeepsPollingWithoutAMessage) {
    load("english-album.json");
    startAndSettle();
    EXPECT_TRUE(driver.control({"fault", "fail", "1", "--kind", "status"}).ok);
    host.advance(1000);
    EXPECT_TRUE(panel.lastStatusFailed());
    host.advance(1000);
    EXPECT_FALSE(panel.lastStatusFailed());
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(PanelWithUnit, ShutdownReleasesTheDevice) {
    load("english-album.json");
    startAndSettle();
    EXPECT_EQ(driver.openDevices(), 1u);
    panel.shutdown();
    EXPECT_EQ(driver.openDevices(), 0u);
}

}  // namespace
}  // namespace tovik::ui
