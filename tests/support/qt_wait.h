#pragma once
// Waiting for something the event loop brings, in a GoogleTest test. QTest's QTRY_ macros report
// to QTest's own bookkeeping, which GoogleTest never sees: a failure there would pass. Use
//   EXPECT_TRUE(waitUntil([&] { return ...; }));

#include <QElapsedTimer>
#include <QTest>

namespace tovik::test {

template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTest::qWait(2);
    }
    return true;
}

}  // namespace tovik::test
