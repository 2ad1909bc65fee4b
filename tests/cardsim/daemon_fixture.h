#pragma once
// Starts the real vtovikmd on a socket of its own for one test, and pumps the Qt event loop
// together with the fake host's message queue until a condition holds (never longer than a
// few seconds of wall time, so a broken daemon fails the test instead of hanging it).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <string>

#include "platform/fake/fake_host.h"

namespace tovik::card::cardtest {

class DaemonFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        socketPath = dir.filePath("card.sock").toStdString();
        qputenv("VTOVIKMD_SOCKET", QByteArray::fromStdString(socketPath));
    }
    void TearDown() override {
        if (daemon.state() != QProcess::NotRunning) {
            daemon.kill();
            daemon.waitForFinished(2000);
        }
        qunsetenv("VTOVIKMD_SOCKET");
    }

    QProcessEnvironment env() const {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("VTOVIKMD_SOCKET", QString::fromStdString(socketPath));
        return e;
    }

    // Starts vtovikmd and waits until its socket accepts connections.
    bool startDaemon(QStringList args = {"--disc", TOVIK_DISC_DIR "/english-album.json", "--latency", "0"}) {
        daemon.setProcessEnvironment(env());
        daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        daemon.start(VTOVIKMD_PATH, args);
        if (!daemon.waitForStarted(3000)) return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 3000) {
            QLocalSocket probe;
            probe.connectToServer(QString::fromStdString(socketPath));
            if (probe.waitForConnected(100)) return true;
            if (daemon.state() == QProcess::NotRunning) return false;
        }
        return false;
    }

    struct CtlResult {
        int exitCode;
        std::string out;
        std::string err;
    };
    CtlResult ctl(QStringList args) {
        QProcess p;
        p.setProcessEnvironment(env());
        p.start(VTOVIKMD_CTL_PATH, args);
        p.waitForFinished(5000);
        return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
    }

    bool pumpUntil(const std::function<bool()>& done, int limitMs = 3000) {
        QElapsedTimer t;
        t.start();
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            host.runUntilIdle();
            if (done()) return true;
            if (t.elapsed() > limitMs) return false;
        }
    }
    void pumpFor(int ms) {
        pumpUntil([] { return false; }, ms);
    }

    QTemporaryDir dir;
    std::string socketPath;
    QProcess daemon;
    fake::FakeHost host;
};

}  // namespace tovik::card::cardtest
