// The in-process driver as the programs use it: request layouts, the shared block, answers
// after their latency with the area filled first, faults, and a card or driver that goes away.
#include <gtest/gtest.h>

#include "cardsim/in_process_driver.h"
#include "cardsim/status_layout.h"
#include "platform/fake/fake_host.h"
#include "tests/cardsim/card_client.h"

namespace tovik::card {
namespace {

using cardtest::CardClient;

class InProcessDriverTest : public ::testing::Test {
protected:
    InProcessDriverTest() {
        EXPECT_EQ(driver.loadDiscFile(TOVIK_DISC_DIR "/english-album.json"), "");
        host.advance(2000);  // the unit reads the TOC
    }
    std::unique_ptr<CardClient> client(std::uint32_t blockSize = kBlockSize) {
        return std::make_unique<CardClient>(host, driver.open(kDevicePath), blockSize);
    }

    fake::FakeHost host;
    InProcessCardDriver driver{host};
};

TEST_F(InProcessDriverTest, OpensOnlyTheCardsPathWhileInstalled) {
    EXPECT_EQ(driver.open("\\\\.\\OTHER.vxd"), nullptr);
    EXPECT_NE(driver.open(kDevicePath), nullptr);
    driver.setInstalled(false);
    EXPECT_EQ(driver.open(kDevicePath), nullptr);
}

TEST_F(InProcessDriverTest, BlockIsMappedBelowFourGiBAndReleasedOnce) {
    auto c = client();
    ASSERT_NE(c->block, nullptr);
    EXPECT_LT(reinterpret_cast<std::uintptr_t>(c->block) + kBlockSize, std::uintptr_t{1} << 32);
    c->block[kBlockSize - 1] = 0x5A;  // the whole block is writable
    EXPECT_TRUE(c->release());
    EXPECT_FALSE(c->release());
    EXPECT_FALSE(c->getStatus()) << "a request into a released block is refused";
}

TEST_F(InProcessDriverTest, AnswersArriveAfterTheLatencyWithTheAreaFilled) {
    driver.setLatency(30);
    auto c = client();
    ASSERT_TRUE(c->getModel());
    ASSERT_TRUE(c->getStatus());
    host.advance(29);
    EXPECT_TRUE(c->received.empty());
    host.advance(1);
    ASSERT_EQ(c->received.size(), 2u);
    EXPECT_EQ(c->received[0].msg, WM_MD_MODEL);
    EXPECT_EQ(c->received[0].lParam, static_cast<LParam>(c->address(kAreaC)));
    EXPECT_EQ(c->model(), "ZQ-41");
    EXPECT_EQ(c->received[1].msg, WM_MD_STATUS);
    EXPECT_EQ(c->received[1].wParam, 0u);
    EXPECT_EQ(c->received[1].lParam, static_cast<LParam>(c->address(kAreaA)));
    auto a = c->areaA();
    EXPECT_EQ(a[status::kUnitState], 0x10);
    EXPECT_EQ(a[status::kOperation], 0x20);
    EXPECT_EQ(a[status::kDiscState] >> 6, 1);
    EXPECT_EQ(a[status::kDiscKind] & 4, 4);
    EXPECT_EQ(a[status::kTrack], 1);
    EXPECT_EQ(a[status::kTotalTracks], 8);
}

TEST_F(InProcessDriverTest, CommandAnswerGoesToTheAreaTheSelectorNames) {
    auto c = client();
    ASSERT_TRUE(c->send(CMD_PLAY_PAUSE, 0, 0, 1));
    ASSERT_TRUE(c->send(CMD_TIME, 0, 0, 0));
    host.advance(500);
    ASSERT_EQ(c->received.size(), 2u);
    EXPECT_EQ(c->received[0].msg, WM_MD_METER);
    EXPECT_EQ(c->received[0].lParam, static_cast<LParam>(c->address(kAreaB)));
    EXPECT_EQ(c->areaB()[status::kOperation], 0x50);
    EXPECT_EQ(c->received[1].msg, WM_MD_STATUS);
    EXPECT_EQ(c->areaA()[status::kFlags] & 7, 3);
}

TEST_F(InProcessDriverTest, MalformedRequestsAreRefused) {
    auto c = client();
    std::uint8_t in[16] = {}, out[80];
    CardDevice& d = c->device();
    EXPECT_FALSE(d.control(MDIO_GET_STATUS, in, 7, out, 80)) << "short input";
    EXPECT_FALSE(d.control(MDIO_SEND_COMMAND, in, 8, out, 80)) << "request 5 takes 13 bytes";
    EXPECT_FALSE(d.control(MDIO_GET_STATUS, nullptr, 8, out, 80));
    EXPECT_FALSE(d.control(99, in, 8, out, 80)) << "unknown code";
    CardClient::put32(in, c->window);
    CardClient::put32(in + 4, c->address(kAreaB));
    EXPECT_FALSE(d.control(MDIO_GET_STATUS, in, 8, out, 80)) << "status into area B";
    CardClient::put32(in + 4, 0x1000);
    EXPECT_FALSE(d.control(MDIO_GET_MODEL, in, 8, out, 80)) << "an address outside every block";
    CardClient::put32(in, 0);
    EXPECT_FALSE(d.control(MDIO_ATTACH_BLOCK, in, 4, out, 80)) << "empty block";
    CardClient::put32(in, kBlockSize + 1);
    EXPECT_FALSE(d.control(MDIO_ATTACH_BLOCK, in, 4, out, 80)) << "oversized block";
    CardClient::put32(in, 13);
    EXPECT_FALSE(d.control(MDIO_ATTACH_BLOCK, in, 4, out, 2)) << "no room for the address";
    host.advance(1000);
    EXPECT_TRUE(c->received.empty());
}

TEST_F(InProcessDriverTest, LauncherBlockServesAreaAOnly) {
    auto c = client(13);
    ASSERT_NE(c->block, nullptr);
    EXPECT_TRUE(c->getStatus());
    EXPECT_FALSE(c->getMeter());
    EXPECT_FALSE(c->getModel());
    host.advance(100);
    ASSERT_EQ(c->received.size(), 1u);
    EXPECT_EQ(c->areaA()[status::kTotalTracks], 8);
}

TEST_F(InProcessDriverTest, DetachAndReleaseDropAnswersStillOnTheirWay) {
    auto c = client();
    ASSERT_TRUE(c->getStatus());
    EXPECT_TRUE(c->detach());
    ASSERT_TRUE(c->getModel());
    EXPECT_TRUE(c->release());
    host.advance(1000);
    EXPECT_TRUE(c->received.empty());
}

TEST_F(InProcessDriverTest, FaultsDropFailAndDelayTheNextAnswersOfTheirKind) {
    auto c = client();
    // The first armed rule that fits an answer takes it.
    ASSERT_TRUE(driver.control({"fault", "delay", "1", "5000", "--kind", "model"}).ok);
    ASSERT_TRUE(driver.control({"fault", "drop", "1", "--kind", "status"}).ok);
    ASSERT_TRUE(driver.control({"fault", "fail", "1"}).ok);
    c->block[kAreaA + status::kOperation] = 0xEE;
    ASSERT_TRUE(c->getStatus());  // dropped
    ASSERT_TRUE(c->getModel());   // delayed
    ASSERT_TRUE(c->getMeter());   // failed
    ASSERT_TRUE(c->getStatus());  // normal again
    host.advance(1000);
    ASSERT_EQ(c->received.size(), 2u);
    EXPECT_EQ(c->received[0].msg, WM_MD_METER);
    EXPECT_NE(c->received[0].wParam, 0u);
    EXPECT_EQ(c->received[1].msg, WM_MD_STATUS);
    EXPECT_EQ(c->received[1].wParam, 0u);
    host.advance(5000);
    ASSERT_EQ(c->received.size(), 3u);
    EXPECT_EQ(c->received[2].msg, WM_MD_MODEL);
    EXPECT_TRUE(driver.service().faults().empty());

    EXPECT_FALSE(driver.control({"fault", "explode", "1"}).ok);
    EXPECT_FALSE(driver.control({"fault", "drop", "0"}).ok);
    EXPECT_FALSE(driver.control({"fault", "drop", "1", "--kind", "volume"}).ok);
    EXPECT_FALSE(driver.control({"fault", "fail", "1", "200"}).ok);
}

TEST_F(InProcessDriverTest, RemovedCardRefusesRequestsAndSwallowsAnswers) {
    auto c = client();
    EXPECT_TRUE(c->cardReady());
    ASSERT_TRUE(c->getStatus());
    driver.removeCard();
    EXPECT_FALSE(c->cardReady());
    EXPECT_FALSE(c->getStatus());
    EXPECT_FALSE(c->setVolume(3));
    host.advance(1000);
    EXPECT_TRUE(c->received.empty());
    driver.insertCard();
    EXPECT_TRUE(c->cardReady());
    ASSERT_TRUE(c->getStatus());
    host.advance(100);
    EXPECT_EQ(c->areaA()[status::kUnitState], 0x30) << "reading the TOC after insertion";
    host.advance(2000);
    ASSERT_TRUE(c->getStatus());
    host.advance(100);
    EXPECT_EQ(c->areaA()[status::kUnitState], 0x10);
}

TEST_F(InProcessDriverTest, VanishedDriverFailsEveryLaterRequest) {
    auto c = client();
    ASSERT_TRUE(c->getStatus());
    driver.shutDown();
    EXPECT_FALSE(c->getStatus());
    EXPECT_FALSE(c->cardReady());
    host.advance(1000);
    EXPECT_TRUE(c->received.empty());
    EXPECT_EQ(driver.open(kDevicePath), nullptr);
}

TEST_F(InProcessDriverTest, SeveralClientsShareOneUnit) {
    auto rotela = client();
    auto traymote = client(13);
    ASSERT_TRUE(rotela->send(CMD_PLAY_PAUSE));
    host.advance(100);
    ASSERT_TRUE(traymote->getStatus());
    host.advance(100);
    ASSERT_EQ(traymote->received.size(), 1u);
    EXPECT_EQ(traymote->areaA()[status::kOperation], 0x50);
    EXPECT_EQ(rotela->received.size(), 1u);
    rotela.reset();
    EXPECT_EQ(driver.openDevices(), 1u);
}

TEST_F(InProcessDriverTest, VolumeIsSynchronousAndShowsInTheStatus) {
    auto c = client();
    EXPECT_TRUE(c->setVolume(7));
    ASSERT_TRUE(c->getStatus());
    host.advance(100);
    EXPECT_EQ(c->areaA()[status::kVolume], 7);
    EXPECT_TRUE(c->setVolume(200));
    ASSERT_TRUE(c->getStatus());
    host.advance(100);
    EXPECT_EQ(c->areaA()[status::kVolume], 30) << "the unit tops out at 30";
}

}  // namespace
}  // namespace tovik::card

namespace tovik::card {
namespace {

TEST_F(InProcessDriverTest, RefusedTimerHoldsAnswersUntilTheNextRequest) {
    auto c = client();
    host.refuseTimers(1);
    ASSERT_TRUE(c->getStatus());
    host.advance(1000);
    EXPECT_TRUE(c->received.empty());
    ASSERT_TRUE(c->getModel());
    host.advance(100);
    ASSERT_EQ(c->received.size(), 2u);
    EXPECT_EQ(c->received[0].msg, WM_MD_STATUS);
    // With answers on their way, further requests take no more timers from the host.
    ASSERT_TRUE(c->getStatus());
    host.refuseTimers(1);
    ASSERT_TRUE(c->getStatus());
    EXPECT_FALSE(host.setTimer(c->window, 7, 100)) << "the refusal is still there for the program";
}

}  // namespace
}  // namespace tovik::card

namespace tovik::card {
namespace {

TEST_F(InProcessDriverTest, AClientFloodingTheUnitIsRefusedOnceItsQueueIsFull) {
    auto greedy = client();
    auto other = client();
    std::size_t accepted = 0;
    while (greedy->getStatus() && accepted < 10'000) ++accepted;
    EXPECT_EQ(accepted, CardService::kMaxPendingPerClient);
    EXPECT_TRUE(other->getStatus()) << "other clients keep their own room";
    host.advance(100);
    EXPECT_EQ(greedy->received.size(), accepted);
    EXPECT_TRUE(greedy->getStatus()) << "answered requests make room again";
}

}  // namespace
}  // namespace tovik::card
