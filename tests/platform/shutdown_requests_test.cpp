#include "platform/qt/shutdown_requests.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>

#include <csignal>

#include "tests/support/qt_wait.h"

namespace tovik::qt {
namespace {

// A second signal must end a program whose shutdown hangs; the first must only ask. Run in a
// child so the test program itself survives.
TEST(ShutdownRequestsTest, ASecondSignalEndsAHungShutdownAtOnce) {
    pid_t child = fork();
    if (child == 0) {
        ShutdownRequests requests([] {});
        std::raise(SIGTERM);  // asks; nothing here ever answers
        std::raise(SIGINT);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
}

TEST(ShutdownRequestsTest, ASignalAndTheQuitAfterItAskOnceOnTheEventLoop) {
    int asked = 0;
    ShutdownRequests requests([&] { ++asked; });
    std::raise(SIGTERM);
    EXPECT_EQ(asked, 0);  // not inside the handler
    EXPECT_TRUE(test::waitUntil([&] { return asked == 1; }));
    EXPECT_EQ(requests.signalNumber(), SIGTERM);
    QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
    EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace tovik::qt
