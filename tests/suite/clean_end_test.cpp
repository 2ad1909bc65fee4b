// Each program, started for real on the offscreen platform against a private vtovikmd, is ended
// with SIGTERM the way a logout or a service manager ends it, and must leave the way its own
// Close or Exit leaves: exit status 0, settings written, its window gone from the registry.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QSettings>

#include <optional>

#include "platform/qt/qt_window_registry.h"
#include "tests/cardsim/daemon_fixture.h"
#include "tests/support/qt_wait.h"

namespace tovik {
namespace {

class CleanEndTest : public card::cardtest::DaemonFixture {
protected:
    void SetUp() override {
        DaemonFixture::SetUp();
        runtime = dir.filePath("runtime");
        config = dir.filePath("config");
        ASSERT_TRUE(QDir().mkpath(runtime) && QDir().mkpath(config));
        // This process looks into the programs' registry folder too.
        qputenv("TOVIK_RUNTIME_DIR", runtime.toUtf8());
    }

    QProcessEnvironment programEnv() const {
        QProcessEnvironment e = env();
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("TOVIK_RUNTIME_DIR", runtime);
        e.insert("XDG_CONFIG_HOME", config);
        e.insert("TOVIK_LANG", "en");
        return e;
    }

    void start(QProcess& program, const char* path, QStringList args = {}) {
        program.setProcessEnvironment(programEnv());
        program.setWorkingDirectory(dir.path());
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(path, args);
        ASSERT_TRUE(program.waitForStarted(5000));
    }

    // Waits for a registered window of the class, in the registry folder the programs share.
    bool registered(qt::QtWindowRegistry& registry, const std::string& windowClass) {
        return test::waitUntil([&] { return registry.findWindow(windowClass, std::nullopt).has_value(); },
                               10000);
    }

    // A killed program leaves its registry file behind (the next finder clears it); one that
    // ended properly has removed it.
    void terminateAndExpectCleanExit(QProcess& program) {
        const QString pid = QString::number(program.processId());
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_TRUE(QDir(runtime).entryList({pid + "-*.window"}, QDir::Files).isEmpty())
            << "a registry entry was left behind";
    }

    std::string stateOf(const char* key) {
        const std::string state = ctl({"state"}).out;
        const auto at = state.find(std::string("\"") + key + "\"");
        return at == std::string::npos ? "" : state.substr(at, state.find('\n', at) - at);
    }

    QString runtime, config;
};

TEST_F(CleanEndTest, RotelaSendsItsClosingCommandAndKeepsItsPosition) {
    ASSERT_TRUE(startDaemon());
    qt::QtWindowRegistry registry;
    QProcess rotela;
    start(rotela, ROTELA_PATH);
    ASSERT_TRUE(registered(registry, "#32770"));

    // A search the controller's closing command ends: the unit drops the latch with it.
    ASSERT_TRUE(test::waitUntil([&] { return stateOf("loading").find("false") != std::string::npos; }, 10000));
    for (const char* command : {"play", "ff"}) {
        QProcess mdctl;
        mdctl.setProcessEnvironment(env());
        mdctl.start(MDCTL_PATH, {"send", command});
        ASSERT_TRUE(mdctl.waitForFinished(10000));
    }
    ASSERT_NE(stateOf("search").find("forward"), std::string::npos);

    terminateAndExpectCleanExit(rotela);
    EXPECT_NE(stateOf("search").find("none"), std::string::npos) << "no closing command reached the unit";
    QSettings settings(config + "/Tovik/Rotela.conf", QSettings::IniFormat);
    EXPECT_TRUE(settings.contains("Position/x") && settings.contains("Position/Min"));
}

TEST_F(CleanEndTest, SleevonKeepsItsWindowSettingsAndNeverSavesTheLabel) {
    const QString label = dir.filePath("EditingLabel.slv");
    QProcess slvtool;
    slvtool.start(SLVTOOL_PATH, {"make", label, "--title", "Harbour Lights", "--track", "One"});
    ASSERT_TRUE(slvtool.waitForFinished(10000));
    QFile file(label);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    qt::QtWindowRegistry registry;
    QProcess sleevon;
    start(sleevon, SLEEVON_PATH, {"EditingLabel.slv"});
    ASSERT_TRUE(registered(registry, "Sleevon"));
    terminateAndExpectCleanExit(sleevon);

    QSettings settings(config + "/Tovik/Sleevon.conf", QSettings::IniFormat);
    EXPECT_TRUE(settings.contains("SIZE/cx") && settings.contains("SIZE/col x"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(CleanEndTest, TraymoteLetsGoOfTheCardAndItsWindow) {
    ASSERT_TRUE(startDaemon());
    // The controller "runs" (this process plays its window), so the ready unit starts no Rotela.
    qt::QtWindowRegistry registry;
    registry.registerWindow("#32770", "TOVIK MD Controller", [] {});
    QProcess traymote;
    start(traymote, TRAYMOTE_PATH);
    ASSERT_TRUE(registered(registry, "TRAYMOTEWClass"));
    pumpFor(1500);  // a poll or two against the card

    terminateAndExpectCleanExit(traymote);
}

}  // namespace
}  // namespace tovik
