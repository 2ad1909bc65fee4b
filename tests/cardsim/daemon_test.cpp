// The real vtovikmd with the daemon-backed driver and vtovikmd-ctl: several clients at once, a
// dying daemon, faults, and clients that send what they should not.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "cardsim/daemon_driver.h"
#include "cardsim/daemon_protocol.h"
#include "cardsim/status_layout.h"
#include "cardsim/virtual_unit.h"
#include "tests/cardsim/card_client.h"
#include "tests/cardsim/daemon_fixture.h"

namespace tovik::card {
namespace {

using cardtest::CardClient;

class DaemonTest : public cardtest::DaemonFixture {
protected:
    std::unique_ptr<CardClient> client(std::uint32_t blockSize = kBlockSize) {
        auto device = driver->open(kDevicePath);
        if (!device) return nullptr;
        return std::make_unique<CardClient>(host, std::move(device), blockSize);
    }
    bool answered(CardClient& c, std::size_t n) {
        return pumpUntil([&] { return c.received.size() >= n; });
    }
    std::unique_ptr<CardDriver> driver = makeDaemonCardDriver(host);
};

TEST_F(DaemonTest, WithoutADaemonTheDriverIsMissing) {
    EXPECT_EQ(driver->open(kDevicePath), nullptr);
    // A socket file left behind by a killed daemon is no daemon either.
    QFile stale(QString::fromStdString(socketPath));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_EQ(driver->open(kDevicePath), nullptr);
    ASSERT_TRUE(startDaemon()) << "the next daemon clears the stale name";
    EXPECT_NE(driver->open(kDevicePath), nullptr);
    EXPECT_EQ(driver->open("\\\\.\\OTHER.vxd"), nullptr);
}

TEST_F(DaemonTest, SecondDaemonOnTheSameSocketRefusesToStart) {
    ASSERT_TRUE(startDaemon());
    QProcess second;
    second.setProcessEnvironment(env());
    second.start(VTOVIKMD_PATH, {});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_NE(second.readAllStandardError().indexOf("already serves"), -1);
    EXPECT_EQ(daemon.state(), QProcess::Running);
}

TEST_F(DaemonTest, TellsItsServiceManagerItIsReadyOnlyOnceItListens) {
#ifndef TOVIK_SYSTEMD_NOTIFY
    GTEST_SKIP() << "vtovikmd is built without libsystemd";
#else
    // The service manager's notification socket, as systemd hands it to a Type=notify unit.
    const std::string notifyPath = dir.filePath("notify").toStdString();
    const int notify = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    notifyPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(notify, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    QProcessEnvironment e = env();
    e.insert("NOTIFY_SOCKET", QString::fromStdString(notifyPath));
    daemon.setProcessEnvironment(e);
    daemon.start(VTOVIKMD_PATH, {"--disc", TOVIK_DISC_DIR "/english-album.json"});

    pollfd ready{notify, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 5000), 1) << "no word from vtovikmd";
    char message[64];
    const ssize_t n = ::recv(notify, message, sizeof message, 0);
    ::close(notify);
    EXPECT_EQ(std::string(message, n > 0 ? static_cast<std::size_t>(n) : 0), "READY=1");
    EXPECT_NE(driver->open(kDevicePath), nullptr) << "ready means a program finds the card";
#endif
}

TEST_F(DaemonTest, RequestsRoundTripWithAreasFilled) {
    ASSERT_TRUE(startDaemon());
    auto c = client();
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->cardReady());
    ASSERT_TRUE(c->getModel());
    ASSERT_TRUE(answered(*c, 1));
    EXPECT_EQ(c->received[0].msg, WM_MD_MODEL);
    EXPECT_EQ(c->model(), "ZQ-41");
    // The TOC takes a moment to read after start.
    ASSERT_TRUE(pumpUntil([&] {
        if (!c->getStatus() || !answered(*c, c->received.size() + 1)) return false;
        return c->areaA()[status::kUnitState] == 0x10;
    }));
    EXPECT_EQ(c->received.back().lParam, static_cast<LParam>(c->address(kAreaA)));
    EXPECT_EQ(c->areaA()[status::kTotalTracks], 8);

    ASSERT_TRUE(c->readName(1, 2));
    ASSERT_TRUE(answered(*c, c->received.size() + 1));
    EXPECT_EQ(c->received.back().msg, WM_MD_NAME);
    EXPECT_EQ(c->received.back().wParam, 0u);
    EXPECT_EQ(c->readText(), "Lanterns on the Quay");
    EXPECT_EQ(c->readLength(), 21u);

    ASSERT_TRUE(c->writeName(1, 2, "Lanterns"));
    ASSERT_TRUE(answered(*c, c->received.size() + 1));
    EXPECT_EQ(c->received.back().wParam, 0u);
    EXPECT_EQ(c->received.back().lParam, static_cast<LParam>(c->address(kWriteName)));
    ASSERT_TRUE(c->readName(1, 2));
    ASSERT_TRUE(answered(*c, c->received.size() + 1));
    EXPECT_EQ(c->readText(), "Lanterns");

    EXPECT_TRUE(c->setVolume(12));
    ASSERT_TRUE(c->send(CMD_PLAY_PAUSE));
    ASSERT_TRUE(answered(*c, c->received.size() + 1));
    EXPECT_EQ(c->received.back().msg, WM_MD_METER);
    EXPECT_EQ(c->areaB()[status::kOperation], 0x50);
    EXPECT_EQ(c->areaB()[status::kVolume], 12);
}

TEST_F(DaemonTest, SeveralClientsShareTheCardAndLeaveWithoutTrace) {
    ASSERT_TRUE(startDaemon({"--disc", TOVIK_DISC_DIR "/english-album.json", "--latency", "50"}));
    auto rotela = client();
    auto traymote = client(13);
    auto third = client();
    ASSERT_TRUE(rotela && traymote && third);
    pumpFor(1500);  // the TOC is read
    ASSERT_TRUE(rotela->send(CMD_PLAY_PAUSE, 0, 0, 0));
    ASSERT_TRUE(third->getStatus());
    third.reset();  // leaves with an answer on its way
    ASSERT_TRUE(answered(*rotela, 1));
    ASSERT_TRUE(traymote->getStatus());
    ASSERT_TRUE(answered(*traymote, 1));
    EXPECT_EQ(traymote->areaA()[status::kOperation], 0x50);
    auto state = ctl({"state"});
    EXPECT_NE(state.out.find("\"clients\": 2"), std::string::npos) << "the third is gone: " << state.out;
    EXPECT_NE(state.out.find("\"phase\": \"playing\""), std::string::npos);
}

TEST_F(DaemonTest, DyingDaemonFailsEveryLaterRequest) {
    ASSERT_TRUE(startDaemon({"--latency", "200"}));
    auto c = client();
    ASSERT_TRUE(c);
    ASSERT_TRUE(c->getStatus());
    daemon.kill();
    daemon.waitForFinished(2000);
    pumpFor(50);
    EXPECT_FALSE(c->getStatus());
    EXPECT_FALSE(c->cardReady());
    EXPECT_FALSE(c->setVolume(3));
    EXPECT_TRUE(c->received.empty());
    EXPECT_EQ(driver->open(kDevicePath), nullptr);
}

TEST_F(DaemonTest, CtlDrivesTheUnitAndInjectsFaults) {
    ASSERT_TRUE(startDaemon({"--no-card", "--latency", "0"}));
    auto c = client();
    ASSERT_TRUE(c);
    EXPECT_FALSE(c->cardReady());
    EXPECT_FALSE(c->getStatus());
    EXPECT_EQ(ctl({"insert-card"}).exitCode, 0);
    EXPECT_TRUE(c->cardReady());
    EXPECT_EQ(ctl({"load", TOVIK_DISC_DIR "/prerecorded.json"}).exitCode, 0);

    EXPECT_EQ(ctl({"fault", "fail", "1", "--kind", "status"}).exitCode, 0);
    EXPECT_EQ(ctl({"fault", "drop", "1", "--kind", "model"}).exitCode, 0);
    ASSERT_TRUE(c->getModel());
    ASSERT_TRUE(c->getStatus());
    ASSERT_TRUE(answered(*c, 1));
    pumpFor(100);
    ASSERT_EQ(c->received.size(), 1u) << "the model answer was dropped";
    EXPECT_EQ(c->received[0].msg, WM_MD_STATUS);
    EXPECT_NE(c->received[0].wParam, 0u);

    EXPECT_EQ(ctl({"power", "off"}).exitCode, 0);
    ASSERT_TRUE(c->getStatus());
    ASSERT_TRUE(answered(*c, 2));
    EXPECT_EQ(c->received[1].wParam, 0u);
    EXPECT_EQ(c->areaA()[status::kUnitState], 0);

    EXPECT_EQ(ctl({"eject"}).exitCode, 0);
    auto again = ctl({"eject"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("no disc"), std::string::npos);
    EXPECT_EQ(ctl({"remove-card"}).exitCode, 0);
    EXPECT_FALSE(c->cardReady());
    EXPECT_EQ(ctl({"quit"}).exitCode, 0);
    EXPECT_TRUE(daemon.waitForFinished(3000));
    EXPECT_EQ(daemon.exitCode(), 0);
}

TEST_F(DaemonTest, CardMixerDriverMessageShowsInTheState) {
    EXPECT_EQ(openDaemonMixerDriver(), nullptr) << "no daemon: the driver does not open";
    ASSERT_TRUE(startDaemon());
    EXPECT_EQ(ctl({"state"}).out.find("mixer"), std::string::npos);
    {
        auto mixer = openDaemonMixerDriver();
        ASSERT_TRUE(mixer);
        EXPECT_EQ(mixer->sendMessage(0x5000, 0x00FF00FF, 0), 1);
    }
    const std::string state = ctl({"state"}).out;
    for (const char* shown : {"mixer", "20480", "16711935"})
        EXPECT_NE(state.find(shown), std::string::npos) << shown << " in " << state;

    EXPECT_EQ(ctl({"remove-card"}).exitCode, 0);
    auto mixer = openDaemonMixerDriver();
    ASSERT_TRUE(mixer);
    EXPECT_EQ(mixer->sendMessage(0x5000, 1, 2), 0) << "no card, no mixer";
}

TEST_F(DaemonTest, CtlReportsMissingDaemonBadArgumentsAndBadImages) {
    auto none = ctl({"state"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("not running"), std::string::npos);
    auto bad = ctl({"power", "maybe"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("power takes on or off"), std::string::npos);
    EXPECT_EQ(ctl({"fault", "drop"}).exitCode, 2);
    EXPECT_EQ(ctl({}).exitCode, 2);

    ASSERT_TRUE(startDaemon());
    QString image = dir.filePath("broken.json");
    QFile f(image);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"recordable\": true, \"tracks\": [{\"name\": \"x\", \"length\": \"9:99\"}]}");
    f.close();
    auto rejected = ctl({"load", image});
    EXPECT_EQ(rejected.exitCode, 1);
    EXPECT_NE(rejected.err.find("tracks[0].length"), std::string::npos) << rejected.err;
    EXPECT_EQ(ctl({"load", dir.filePath("missing.json")}).exitCode, 2);
    QFile huge(dir.filePath("huge.json"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(QByteArray(wire::kMaxFrame, ' '));
    huge.close();
    auto tooLarge = ctl({"load", huge.fileName()});
    EXPECT_EQ(tooLarge.exitCode, 2);
    EXPECT_NE(tooLarge.err.find("larger than 1 MiB"), std::string::npos) << tooLarge.err;
    auto state = ctl({"state"});
    EXPECT_EQ(state.exitCode, 0) << "the daemon keeps running";
    EXPECT_NE(state.out.find("Harbour Lights"), std::string::npos);
}

// A daemon that takes every connection and then only chatters: an answer frame for nobody every
// few milliseconds, never a reply; or, answering late, replies "taken" to each request only
// after the clients' deadline. Serves from a thread of its own, since the clients block.
class ChatteringDaemon {
public:
    enum class Behaviour { Chatter, AnswerLate };
    explicit ChatteringDaemon(const std::string& path, Behaviour behaviour = Behaviour::Chatter)
        : behaviour_(behaviour) {
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        listening_ = ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(listener_, 8) == 0;
        thread_ = std::thread([this] { serve(); });
    }
    ~ChatteringDaemon() {
        stop_ = true;
        thread_.join();
        for (int fd : clients_) ::close(fd);
        ::close(listener_);
    }
    bool listening() const { return listening_; }

private:
    void serve() {
        UnitAnswer noise;
        noise.tag = 999'999;
        noise.area.assign(13, 0);
        const wire::Bytes frame = wire::answerFrame(noise);
        const wire::Bytes late = wire::replyFrame(true);
        std::vector<std::pair<int, std::chrono::steady_clock::time_point>> due;
        while (!stop_) {
            pollfd incoming{listener_, POLLIN, 0};
            if (::poll(&incoming, 1, 5) == 1) clients_.push_back(::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC));
            const auto now = std::chrono::steady_clock::now();
            for (int fd : clients_) {
                if (behaviour_ == Behaviour::Chatter) {
                    (void)!::send(fd, frame.data(), frame.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
                    continue;
                }
                char request[4096];
                if (::recv(fd, request, sizeof request, MSG_DONTWAIT) > 0) due.emplace_back(fd, now + kLate);
            }
            std::erase_if(due, [&](const auto& entry) {
                if (entry.second > now) return false;
                (void)!::send(entry.first, late.data(), late.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
                return true;
            });
        }
    }
    static constexpr std::chrono::milliseconds kLate{2500};  // beyond the clients' 2 s
    Behaviour behaviour_;
    int listener_ = -1;
    bool listening_ = false;
    std::vector<int> clients_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(DaemonTest, ADaemonThatNeverAcceptsCountsAsGoneHoweverMuchItChatters) {
    ChatteringDaemon chatter(socketPath);
    ASSERT_TRUE(chatter.listening());
    auto c = client();
    ASSERT_TRUE(c) << "it takes the connection";
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(c->cardReady());
    EXPECT_LT(clock.elapsed(), 4000) << "the wait for acceptance has a deadline";
    EXPECT_FALSE(c->getStatus()) << "and then every request fails at once";
    EXPECT_LT(clock.elapsed(), 4000);

    auto mixer = openDaemonMixerDriver();
    ASSERT_TRUE(mixer);
    clock.restart();
    EXPECT_EQ(mixer->sendMessage(0x5000, 0, 0), 0);
    EXPECT_LT(clock.elapsed(), 4000);
}

TEST_F(DaemonTest, AMixerAnswerThatComesTooLateIsNeverTakenForTheNextOne) {
    ChatteringDaemon slow(socketPath, ChatteringDaemon::Behaviour::AnswerLate);
    ASSERT_TRUE(slow.listening());
    auto mixer = openDaemonMixerDriver();
    ASSERT_TRUE(mixer);
    EXPECT_EQ(mixer->sendMessage(0x5000, 0, 0), 0) << "no answer within the deadline";
    QThread::msleep(1000);  // the late "taken" arrives meanwhile
    EXPECT_EQ(mixer->sendMessage(0x5000, 1, 0), 0) << "the daemon counts as gone";
}

// Writes raw bytes as a misbehaving client would.
class RawClient {
public:
    explicit RawClient(const std::string& path) {
        socket.connectToServer(QString::fromStdString(path));
        socket.waitForConnected(1000);
    }
    void write(const wire::Bytes& bytes) {
        socket.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        socket.flush();
    }
    QLocalSocket socket;
};

TEST_F(DaemonTest, MisbehavingClientsAreCutOffAndOthersNeverNotice) {
    ASSERT_TRUE(startDaemon());
    auto good = client();
    ASSERT_TRUE(good);

    RawClient oversized(socketPath);
    oversized.write({0xFF, 0xFF, 0xFF, 0x7F, wire::SUBMIT});
    RawClient unknown(socketPath);
    unknown.write({1, 0, 0, 0, 0x42});
    RawClient shortSubmit(socketPath);
    shortSubmit.write({3, 0, 0, 0, wire::SUBMIT, 1, 2});
    RawClient longText(socketPath);
    UnitRequest r;
    r.code = MDIO_WRITE_NAME;
    wire::Bytes frame = wire::submitFrame(1, r);
    frame[frame.size() - 2] = 0xFF;  // claims 0x0FFF text bytes that are not there
    frame[frame.size() - 1] = 0x0F;
    longText.write(frame);
    RawClient truncated(socketPath);
    truncated.write({200, 0, 0, 0, wire::SUBMIT, 1, 2, 3});
    truncated.socket.abort();  // and gone mid-frame

    ASSERT_TRUE(pumpUntil([&] {
        return oversized.socket.state() == QLocalSocket::UnconnectedState &&
               unknown.socket.state() == QLocalSocket::UnconnectedState &&
               shortSubmit.socket.state() == QLocalSocket::UnconnectedState &&
               longText.socket.state() == QLocalSocket::UnconnectedState;
    }));

    // A well-formed request the unit does not know is refused, not fatal.
    RawClient oddCode(socketPath);
    UnitRequest odd;
    odd.code = 77;
    oddCode.write(wire::submitFrame(5, odd));
    wire::FrameReader reader;
    ASSERT_TRUE(pumpUntil([&] {
        QByteArray data = oddCode.socket.readAll();
        reader.feed(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()));
        return reader.next().has_value() || oddCode.socket.state() != QLocalSocket::ConnectedState;
    }));
    EXPECT_EQ(oddCode.socket.state(), QLocalSocket::ConnectedState);

    ASSERT_TRUE(good->getModel());
    ASSERT_TRUE(pumpUntil([&] { return !good->received.empty(); }));
    EXPECT_EQ(good->model(), "ZQ-41");
    EXPECT_EQ(daemon.state(), QProcess::Running);
}

}  // namespace
}  // namespace tovik::card
