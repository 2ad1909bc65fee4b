// Rotela's plain window: it follows the panel's state and turns clicks into panel calls.
#include "controller/ui/status_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/link/scripted_card.h"

namespace tovik::ui {
namespace {

QPushButton* button(QWidget& window, const QString& caption) {
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

TEST(StatusWindow, FollowsTheRowAndSendsWhatIsClicked) {
    fake::FakeHost host{resources::rotelaStrings()};
    test::ScriptedCard card{host};
    card.statusA = test::rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, 30, 0, 0, 0, 0, 5);  // row 13
    ControllerPanel panel{host, card};
    StatusWindow window{panel, host};
    panel.setView(&window);
    ASSERT_TRUE(panel.initialise());
    EXPECT_FALSE(button(window, "PLAY")->isEnabled()) << "nothing enabled before a status";
    host.advance(1000);

    EXPECT_TRUE(button(window, "PLAY")->isEnabled());
    EXPECT_FALSE(button(window, "FF")->isEnabled());
    EXPECT_FALSE(button(window, "REC")->isEnabled());
    bool showsRow = false;
    for (QLabel* label : window.findChildren<QLabel*>())
        showsRow |= label->text().contains("row: 13");
    EXPECT_TRUE(showsRow);

    button(window, "PLAY")->click();
    ASSERT_EQ(card.requests.back().code, card::MDIO_SEND_COMMAND);
    EXPECT_EQ(card.requests.back().in[4], 17);

    // UP sends its command on the press and asks for a track step on the release.
    button(window, "UP")->click();
    host.runUntilIdle();
    EXPECT_TRUE(panel.trackStepRequested());

    button(window, "CLOSE")->click();
    EXPECT_TRUE(panel.ended());
    EXPECT_TRUE(window.isHidden());
}

}  // namespace
}  // namespace tovik::ui
