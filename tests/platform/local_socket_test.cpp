// Local stream sockets: what the event loop and the blocking waits see of a peer that talks,
// stays silent, stops reading or dies; names as the daemon's QLocalServer reads them.
#include "platform/qt/local_listener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QTemporaryDir>

#include <csignal>
#include <string>

#include "platform/qt/local_stream.h"
#include "tests/support/qt_wait.h"

namespace tovik::qt {
namespace {

std::string text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

class LocalSocketTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Without MSG_NOSIGNAL a write to a dead peer would end this very process.
        std::signal(SIGPIPE, SIG_DFL);
    }
    bool listen() { return listener.listen(path); }
    bool accepted(std::size_t n) {
        return test::waitUntil([&] { return peers.size() >= n; });
    }

    QTemporaryDir dir;
    std::string path = dir.filePath("s.sock").toStdString();
    std::vector<std::unique_ptr<LocalStream>> peers;  // every connection the listener accepted
    LocalListener listener{
        [this](std::unique_ptr<LocalStream> peer) { peers.push_back(std::move(peer)); }};
};

TEST_F(LocalSocketTest, BytesAndThePeersEndArriveThroughTheEventLoop) {
    const mode_t mask = ::umask(0);
    const bool listening = listen();
    ::umask(mask);
    ASSERT_TRUE(listening);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "only its user may connect";

    LocalStream client;
    ASSERT_TRUE(client.connectTo(path, QDeadlineTimer(1000)));
    ASSERT_TRUE(accepted(1));
    std::string heard;
    int calls = 0;
    LocalStream& server = *peers[0];
    server.watch([&] {
        ++calls;
        heard += text(server.readAvailable());
    });
    ASSERT_TRUE(client.writeAll("front\n", 6, QDeadlineTimer(1000)));
    EXPECT_TRUE(test::waitUntil([&] { return heard == "front\n"; }));
    EXPECT_TRUE(server.isOpen());

    client.close();
    EXPECT_TRUE(test::waitUntil([&] { return !server.isOpen(); }))
        << "the end of the stream closes it";
    const int callsAtEnd = calls;
    QTest::qWait(20);
    EXPECT_EQ(calls, callsAtEnd) << "a closed stream is not watched any more";

    listener.close();
    EXPECT_NE(::access(path.c_str(), F_OK), 0) << "closing removes the name";
}

TEST_F(LocalSocketTest, BlockingWaitsEndAtTheirDeadline) {
    ASSERT_TRUE(listen());
    LocalStream client;
    ASSERT_TRUE(client.connectTo(path, QDeadlineTimer(1000)));
    ASSERT_TRUE(accepted(1));

    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(client.waitReadable(QDeadlineTimer(150))) << "a silent peer";
    EXPECT_GE(clock.elapsed(), 140);
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_TRUE(client.isOpen()) << "silence alone breaks nothing";

    // A peer that never reads: the socket's buffers fill and the write gives up.
    const std::vector<char> lots(8 << 20, 'x');
    clock.restart();
    EXPECT_FALSE(client.writeAll(lots.data(), lots.size(), QDeadlineTimer(150)));
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_FALSE(client.isOpen()) << "a message sent in part leaves the stream unusable";
    EXPECT_FALSE(client.waitReadable(QDeadlineTimer(1000)));
}

TEST_F(LocalSocketTest, ADeadPeerIsAFailureNotASignal) {
    ASSERT_TRUE(listen());
    LocalStream client;
    ASSERT_TRUE(client.connectTo(path, QDeadlineTimer(1000)));
    ASSERT_TRUE(accepted(1));
    ASSERT_TRUE(peers[0]->writeAll("bye", 3, QDeadlineTimer(1000)));
    peers[0].reset();

    EXPECT_FALSE(client.writeAll("front\n", 6, QDeadlineTimer(1000)));
    EXPECT_FALSE(client.isOpen());

    ASSERT_TRUE(client.connectTo(path, QDeadlineTimer(1000)));
    ASSERT_TRUE(accepted(2));
    ASSERT_TRUE(peers[1]->writeAll("bye", 3, QDeadlineTimer(1000)));
    peers[1].reset();
    ASSERT_TRUE(client.waitReadable(QDeadlineTimer(1000)));
    EXPECT_EQ(text(client.readAvailable()), "bye") << "what came before the end is kept";
    EXPECT_FALSE(client.isOpen());
}

TEST_F(LocalSocketTest, NamesThatServeNobodyOrCannotBeSocketsAreRefused) {
    LocalStream client;
    EXPECT_FALSE(client.connectTo(path, QDeadlineTimer(1000))) << "no file";
    ASSERT_TRUE(listen());
    LocalListener second{[](std::unique_ptr<LocalStream>) {}};
    EXPECT_FALSE(second.listen(path)) << "the name is taken";
    listener.close();

    // A socket file its listener left behind (a crash) serves nobody, and is cleared away.
    {
        LocalListener crashed{[](std::unique_ptr<LocalStream>) {}};
        ASSERT_TRUE(crashed.listen(path));
        ASSERT_EQ(::link(path.c_str(), (path + ".left").c_str()), 0);
    }
    ASSERT_EQ(::rename((path + ".left").c_str(), path.c_str()), 0);
    EXPECT_FALSE(client.connectTo(path, QDeadlineTimer(1000)));
    EXPECT_FALSE(second.listen(path));
    LocalListener::removeStale(path);
    EXPECT_TRUE(second.listen(path));

    const std::string tooLong = dir.path().toStdString() + "/" + std::string(120, 'n');
    EXPECT_FALSE(client.connectTo(tooLong, QDeadlineTimer(1000)));
    EXPECT_FALSE(client.isOpen());
    LocalListener third{[](std::unique_ptr<LocalStream>) {}};
    EXPECT_FALSE(third.listen(tooLong));
}

TEST_F(LocalSocketTest, ARelativeNameIsTheDaemonsSocketInTheTemporaryFolder) {
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.path().toLocal8Bit());
    QLocalServer daemon;
    ASSERT_TRUE(daemon.listen("vtovikmd-test"));
    LocalStream client;
    EXPECT_TRUE(client.connectTo("vtovikmd-test", QDeadlineTimer(1000)));
    EXPECT_EQ(localSocketPath("vtovikmd-test"), daemon.fullServerName().toStdString());
    EXPECT_EQ(localSocketPath("/run/x"), "/run/x");
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
}

}  // namespace
}  // namespace tovik::qt
