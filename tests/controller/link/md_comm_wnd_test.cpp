#include "controller/link/md_comm_wnd.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/fake/fake_host.h"
#include "tests/controller/link/scripted_card.h"
#include "tests/platform/recorder.h"

namespace tovik::link {
namespace {

using test::Received;
using test::Recorder;
using test::ScriptedCard;

class CommWndTest : public ::testing::Test {
protected:
    void SetUp() override { owner = host.createWindow(recorder); }
    bool openAndAttach() { return link.Open() && link.CardReady() && link.Attach(owner, &status); }

    fake::FakeHost host;
    ScriptedCard card{host};
    Recorder recorder;
    Handle owner = kNoWindow;
    MdStatus status;
    CMdCommWnd link{host, card};
};

TEST_F(CommWndTest, StartUpOrderAndFailures) {
    card.present = false;
    EXPECT_FALSE(link.Open());
    EXPECT_FALSE(link.CardReady()) << "no device, no request";
    card.present = true;
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(card.lastPath, "\\\\.\\VTOVIKMD.vxd");
    card.ready = false;
    EXPECT_FALSE(link.CardReady());
    card.ready = true;
    EXPECT_TRUE(link.CardReady());
    EXPECT_FALSE(link.GetStatus()) << "nothing to fill before the block is attached";

    status.totalTracks = 9;
    ASSERT_TRUE(link.Attach(owner, &status));
    EXPECT_EQ(status, MdStatus{}) << "attach clears the record";
    EXPECT_TRUE(host.isWindow(link.window()));
    EXPECT_NE(link.window(), owner);
    const test::Request& attach = card.requests.back();
    EXPECT_EQ(attach.code, card::MDIO_ATTACH_BLOCK);
    EXPECT_EQ(attach.u32(0), card::kBlockSize);
}

TEST_F(CommWndTest, RefusedAttachFails) {
    card.refused.insert(card::MDIO_ATTACH_BLOCK);
    ASSERT_TRUE(link.Open());
    EXPECT_FALSE(link.Attach(owner, &status));
    EXPECT_FALSE(link.isAttached());
}

TEST_F(CommWndTest, StatusRequestsNameTheHiddenWindowAndTheirArea) {
    ASSERT_TRUE(openAndAttach());
    ASSERT_TRUE(link.GetStatus());
    ASSERT_TRUE(link.GetMeterStatus());
    ASSERT_TRUE(link.GetModel());
    const auto& r = card.requests;
    ASSERT_GE(r.size(), 3u);
    const test::Request& get = r[r.size() - 3];
    EXPECT_EQ(get.code, card::MDIO_GET_STATUS);
    EXPECT_EQ(get.in.size(), 8u);
    EXPECT_EQ(get.u32(0), link.window());
    EXPECT_EQ(get.u32(4), card.address(card::kAreaA));
    EXPECT_EQ(r[r.size() - 2].u32(4), card.address(card::kAreaB));
    EXPECT_EQ(r.back().u32(4), card.address(card::kAreaC));
}

TEST_F(CommWndTest, AnswersAreDecodedAndForwarded) {
    ASSERT_TRUE(openAndAttach());
    card.statusA = test::rawStatus(0x10, 0x50, 0, 0x40, 0x04, 3, 25, 0, 1, 2, 0, 12);
    card.statusB = test::rawStatus(0x20, 0x60, 0, 0x40, 0x04, 4, 25, 0, 1, 2, 60, 61);
    link.GetStatus();
    link.GetMeterStatus();
    host.runUntilIdle();
    ASSERT_EQ(recorder.got.size(), 2u);
    EXPECT_EQ(recorder.got[0], (Received{WM_MD_STATUS_A, 0, 0}));
    EXPECT_EQ(recorder.got[1], (Received{WM_MD_STATUS_B, 0, 0}));
    EXPECT_EQ(status.unitState, 0x20);
    EXPECT_EQ(status.mode, 6);
    EXPECT_EQ(status.currentTrack, 4);
    EXPECT_EQ(status.totalTracks, 12) << "area B never changes the track count";
    EXPECT_EQ(status.leftLevel, 60);
    EXPECT_EQ(link.CurrentTrack(), 3) << "the reader looks at area A";
    EXPECT_FALSE(link.NoDisc());
}

TEST_F(CommWndTest, FailedStatusKeepsTheRecordButIsForwarded) {
    ASSERT_TRUE(openAndAttach());
    link.GetStatus();
    host.runUntilIdle();
    const MdStatus before = status;
    card.statusA = test::rawStatus(0x30, 0x20);
    card.result = 5;
    link.GetStatus();
    link.SendCommand(17, 0, 0, 0, 1);
    host.runUntilIdle();
    EXPECT_EQ(status, before);
    ASSERT_EQ(recorder.got.size(), 3u);
    EXPECT_EQ(recorder.got[1], (Received{WM_MD_STATUS_A, 5, 0}));
    EXPECT_EQ(recorder.got[2], (Received{WM_MD_STATUS_B, 5, 0}));
}

TEST_F(CommWndTest, MessagesNamingTheWrongAreaAreDropped) {
    ASSERT_TRUE(openAndAttach());
    const LParam areaA = card.address(card::kAreaA), areaB = card.address(card::kAreaB);
    std::memcpy(card.block() + card::kAreaB, test::rawStatus(0x30, 0x20).data(), 13);
    host.post(link.window(), card::WM_MD_STATUS, 0, areaB);
    host.post(link.window(), card::WM_MD_METER, 0, areaA);
    host.post(link.window(), card::WM_MD_MODEL, 0, areaA);
    host.post(link.window(), card::WM_MD_NAME, 0, areaA);
    host.post(link.window(), card::WM_MD_STATUS, 0, 0);
    host.runUntilIdle();
    EXPECT_TRUE(recorder.got.empty());
    EXPECT_EQ(status, MdStatus{});
}

TEST_F(CommWndTest, ModelIsComparedOnItsFirstFiveBytes) {
    ASSERT_TRUE(openAndAttach());
    for (auto [model, expected] : {std::pair{"ZQ-41", 1}, {"ZQ-41B", 1}, {"ZQ-40", 0}, {"", 0}}) {
        recorder.got.clear();
        card.model = model;
        link.GetModel();
        host.runUntilIdle();
        ASSERT_EQ(recorder.got.size(), 1u);
        EXPECT_EQ(recorder.got[0], (Received{WM_MD_MODEL, 0, expected})) << model;
        EXPECT_EQ(link.model(), model);
    }
}

TEST_F(CommWndTest, SendCommandLayoutAndSelector) {
    ASSERT_TRUE(openAndAttach());
    ASSERT_TRUE(link.SendCommand(35, 4, 2, 0, 0));
    const test::Request& r = card.requests.back();
    EXPECT_EQ(r.code, card::MDIO_SEND_COMMAND);
    ASSERT_EQ(r.in.size(), 13u);
    EXPECT_EQ(r.u32(0), link.window());
    EXPECT_EQ((std::vector<std::uint8_t>(r.in.begin() + 4, r.in.begin() + 9)),
              (std::vector<std::uint8_t>{35, 4, 2, 0, 0}));
    EXPECT_EQ(r.u32(9), card.address(card::kAreaA)) << "selector 0 answers in area A";
    link.SendCommand(17, 0, 0, 0, 1);
    EXPECT_EQ(card.requests.back().u32(9), card.address(card::kAreaB));
    host.runUntilIdle();
    EXPECT_EQ(recorder.got[0].msg, WM_MD_STATUS_A);
    EXPECT_EQ(recorder.got[1].msg, WM_MD_STATUS_B);

    ASSERT_TRUE(link.SetVolume(17));
    EXPECT_EQ(card.requests.back().code, card::MDIO_SET_VOLUME);
    EXPECT_EQ(card.requests.back().in.size(), 5u);
    EXPECT_EQ(card.requests.back().in[4], 17);
}

TEST_F(CommWndTest, NameRecordsAndTheirAnswers) {
    ASSERT_TRUE(openAndAttach());
    std::memset(card.block() + card::kReadName, 'x', card::kNameRecordSize);
    ASSERT_TRUE(link.ReadName(NAME_TRACK, 7, 1));
    auto read = link.nameRecord(card.address(card::kReadName));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->kind, 1u);
    EXPECT_EQ(read->index, 7u);
    EXPECT_EQ(read->flag, 0u) << "flag argument 1 leaves the field 0";
    EXPECT_EQ(read->length, 2048u);
    EXPECT_EQ(read->text[0], 0) << "the whole record is cleared";
    EXPECT_EQ(read->text[2047], 0);
    link.ReadName(NAME_DISC, 0, 0);
    EXPECT_EQ(link.nameRecord(card.address(card::kReadName))->flag, 1u);

    ASSERT_TRUE(link.WriteName(NAME_DISC, 0, "Blue"));
    auto written = link.nameRecord(card.address(card::kWriteName));
    ASSERT_TRUE(written);
    EXPECT_STREQ(written->text, "Blue");
    EXPECT_EQ(written->length, 2048u);
    EXPECT_EQ(card.requests.back().u32(4), card.address(card::kWriteName));
    EXPECT_FALSE(link.WriteName(NAME_DISC, 0, std::string(2048, 'a'))) << "no room for the zero";
    EXPECT_TRUE(link.WriteName(NAME_DISC, 0, std::string(2047, 'a')));
    EXPECT_FALSE(link.nameRecord(card.address(card::kAreaA)));

    host.runUntilIdle();
    ASSERT_EQ(recorder.got.size(), 4u);
    EXPECT_EQ(recorder.got[0], (Received{WM_MD_NAME_READ, 0, card.address(card::kReadName)}));
    EXPECT_EQ(recorder.got[2], (Received{WM_MD_NAME_WRITTEN, 0, card.address(card::kWriteName)}));
}

TEST_F(CommWndTest, SetOwnerRedirectsAnswers) {
    ASSERT_TRUE(openAndAttach());
    Recorder editor;
    const Handle editorWindow = host.createWindow(editor);
    link.SetOwner(editorWindow);
    link.GetStatus();
    host.runUntilIdle();
    EXPECT_TRUE(recorder.got.empty());
    ASSERT_EQ(editor.got.size(), 1u);
    link.SetOwner(owner);
    link.GetStatus();
    host.runUntilIdle();
    EXPECT_EQ(recorder.got.size(), 1u);
}

TEST_F(CommWndTest, CloseDetachesReleasesAndDropsLateAnswers) {
    ASSERT_TRUE(openAndAttach());
    const Handle window = link.window();
    card.latencyMs = 100;
    link.GetStatus();
    link.Close();
    ASSERT_GE(card.requests.size(), 2u);
    const test::Request& detach = card.requests[card.requests.size() - 2];
    const test::Request& release = card.requests.back();
    EXPECT_EQ(detach.code, card::MDIO_DETACH_WINDOW);
    EXPECT_EQ(detach.u32(0), window);
    EXPECT_EQ(release.code, card::MDIO_RELEASE_BLOCK);
    EXPECT_EQ(release.u32(0), card.address(0));
    EXPECT_FALSE(host.isWindow(window));
    host.advance(200);
    EXPECT_TRUE(recorder.got.empty());
    EXPECT_FALSE(link.GetStatus());
    EXPECT_EQ(link.CurrentTrack(), 0);
    link.Close();  // twice is harmless
}

}  // namespace
}  // namespace tovik::link
