// The disc cache on the panel, end to end against the simulated unit on virtual time: the
// on-demand name reads after each status, and the full read cycle with its progress dialog,
// Cancel, retries, time-outs and answers that do not belong.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "cardsim/in_process_driver.h"
#include "controller/link/md_commands.h"
#include "controller/ui/controller_panel.h"
#include "controller/ui/panel_disc_hooks.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "labeleditor/document/file_io.h"
#include "labeleditor/document/label_file.h"
#include "tests/controller/disc/fake_progress_window.h"
#include "tests/labeleditor/document/temp_folder.h"

namespace tovik::ui {
namespace {

using card::AnswerKind;
using card::FaultRule;

// Remembers where the read-name record lies, so a test can post answers of its own.
class SpyHooks : public PanelDiscHooks {
public:
    using PanelDiscHooks::PanelDiscHooks;
    bool handle(Msg msg, WParam wParam, LParam lParam) override {
        if (msg == link::WM_MD_NAME_READ && wParam == 0) recordAddress = lParam;
        return PanelDiscHooks::handle(msg, wParam, lParam);
    }
    LParam recordAddress = 0;
};

class ReadCycle : public ::testing::Test {
protected:
    explicit ReadCycle(Language language = Language::English) : host(resources::rotelaStrings(), language) {
        panel.setHooks(&hooks);
        hooks.onLabelEditor = [this] {
            ++labelEditors;
            namesAtLabelEditor = hooks.model().trackNames;
        };
    }
    ~ReadCycle() override { panel.setHooks(nullptr); }

    void start(const char* image) {
        ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + image), "");
        ASSERT_TRUE(panel.initialise());
        host.advance(5000);  // the unit reads its table of contents; the first names come in
    }
    // Runs until the cycle has ended (or a virtual minute has gone by).
    void runCycle() {
        for (int i = 0; i < 600 && (progress.shown || hooks.model().afterCycleAction); ++i)
            host.advance(100);
        host.advance(500);  // the unit's answer to the return to the saved track
    }
    // Runs until the next failed status has dropped the cache.
    void untilCacheDropped() {
        for (int i = 0; i < 1000 && hooks.model().trackCount != -1; ++i) host.advance(5);
        ASSERT_EQ(hooks.model().trackCount, -1);
    }
    bool polling() const { return host.timerRunning(panel.window(), TIMER_POLL); }
    // A name answer of the test's own making, as the driver would post it to the hidden window.
    void postAnswer(std::uint32_t kind, std::uint32_t index, const std::string& text) {
        ASSERT_NE(hooks.recordAddress, 0) << "no name answer seen yet";
        link::MdNameTransfer record;
        record.kind = kind;
        record.index = index;
        record.length = static_cast<std::uint32_t>(text.size() + 1);
        std::memcpy(record.text, text.data(), text.size());
        std::memcpy(reinterpret_cast<void*>(hooks.recordAddress), &record, sizeof record);
        host.post(panel.link().window(), card::WM_MD_NAME, 0, hooks.recordAddress);
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : host.shownBoxes) out.push_back(b.text);
        return out;
    }

    fake::FakeHost host;
    card::InProcessCardDriver driver{host};
    ControllerPanel panel{host, driver};
    test::FakeProgressWindow progress{&host};
    SpyHooks hooks{host, panel, progress};
    int labelEditors = 0;
    std::vector<std::string> namesAtLabelEditor;
};

const std::vector<std::string> kEnglishNames = {
    "Morning Tide", "Lanterns on the Quay", "Salt & Silver", "The Ferryman's Song", "",
    "Northern Light (Reprise)", "Driftwood", "Last Boat Home"};

TEST_F(ReadCycle, StatusReadsTheDiscNameThenTheCurrentTrack) {
    start("english-album.json");
    EXPECT_EQ(hooks.model().trackCount, 8);
    EXPECT_TRUE(hooks.model().discNameKnown);
    EXPECT_EQ(hooks.shownDiscName(), "Harbour Lights");
    EXPECT_EQ(hooks.model().shownTrack, 1);
    EXPECT_EQ(hooks.shownTrackName(), "Morning Tide");
    EXPECT_TRUE(hooks.model().trackKnown(1));
    EXPECT_FALSE(hooks.model().trackKnown(2));
    EXPECT_TRUE(polling());

    // An unnamed track shows "NO NAME"; a step held down reads nothing until released.
    hooks.setStepButtonHeld(true);
    for (int i = 0; i < 4; ++i) panel.click(link::IDC_UP);
    host.advance(3000);
    EXPECT_EQ(panel.status().currentTrack, 5);
    EXPECT_FALSE(hooks.model().trackKnown(5));
    EXPECT_EQ(hooks.shownTrackName(), "");
    hooks.setStepButtonHeld(false);
    host.advance(3000);
    EXPECT_TRUE(hooks.model().trackKnown(5));
    EXPECT_EQ(hooks.shownTrackName(), "NO NAME");
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(ReadCycle, ReadsEveryNameAndHandsThemOn) {
    start("english-album.json");
    panel.click(link::IDC_SLEEVON);
    EXPECT_TRUE(progress.shown);
    EXPECT_EQ(progress.title, "MD Track data read");
    EXPECT_EQ(progress.texts.front(), " 0 %");
    EXPECT_FALSE(polling());
    runCycle();

    EXPECT_EQ(labelEditors, 1);
    EXPECT_EQ(namesAtLabelEditor, kEnglishNames);
    EXPECT_EQ(hooks.model().discName, "Harbour Lights");
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(progress.closes, 1);
    EXPECT_EQ(progress.positions.back(), 100);
    EXPECT_EQ(progress.texts.back(), "100%");
    EXPECT_EQ(progress.pumps, 9);  // one step for the disc name and each track
    EXPECT_EQ(hooks.model().cycleIndex, -1);
    EXPECT_EQ(hooks.model().afterCycleAction, 0);
    EXPECT_TRUE(polling()) << "the answer to the return to the saved track restarts the poll";
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(ReadCycle, ADiscWithoutTracksReadsItsNameOnly) {
    start("blank-74.json");
    const auto before = progress.pumps;
    panel.click(link::IDC_SLEEVON);
    runCycle();
    EXPECT_EQ(labelEditors, 1);
    EXPECT_TRUE(namesAtLabelEditor.empty());
    EXPECT_EQ(progress.pumps - before, 1);
    EXPECT_EQ(progress.texts.back(), "100%");
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST_F(ReadCycle, CancelTakesEffectAtTheNextAnswer) {
    start("english-album.json");
    panel.click(link::IDC_SLEEVON);
    host.advance(200);  // disc name and a track or two
    ASSERT_TRUE(progress.shown);
    ASSERT_TRUE(hooks.model().readOutstanding);
    progress.pressCancel();
    EXPECT_TRUE(progress.shown) << "Cancel only raises the flag";
    EXPECT_TRUE(hooks.model().cycleActive);
    runCycle();
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(labelEditors, 0);
    EXPECT_FALSE(hooks.model().trackKnown(8));
    EXPECT_TRUE(host.shownBoxes.empty());
    EXPECT_TRUE(polling());
}

TEST_F(ReadCycle, FiveFailedAnswersAreRetriedTheSixthEndsTheCycle) {
    start("english-album.json");
    driver.injectFault({FaultRule::Action::Fail, 5, 0, AnswerKind::Read});
    panel.click(link::IDC_SLEEVON);
    runCycle();
    EXPECT_EQ(labelEditors, 1);
    EXPECT_EQ(namesAtLabelEditor, kEnglishNames);
    EXPECT_TRUE(host.shownBoxes.empty());

    driver.injectFault({FaultRule::Action::Fail, 6, 0, AnswerKind::Read});
    const std::uint64_t started = host.nowMs();
    panel.click(link::IDC_SLEEVON);
    runCycle();
    EXPECT_EQ(labelEditors, 1);
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Communicasion error!"});
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    // One second between a failed answer and its repeat.
    EXPECT_GE(host.shownBoxes[0].atMs - started, 5000u);
    EXPECT_TRUE(polling());
}

TEST_F(ReadCycle, ARefusedRepeatCountsAsAFailure) {
    start("english-album.json");
    driver.injectFault({FaultRule::Action::Fail, 1, 0, AnswerKind::Read});
    panel.click(link::IDC_SLEEVON);
    host.advance(200);  // the failure is in; the repeat waits for its second
    driver.removeCard();
    runCycle();
    EXPECT_FALSE(progress.shown) << "a card that went away must not hold the dialog up";
    ASSERT_FALSE(host.shownBoxes.empty());
    EXPECT_EQ(host.shownBoxes[0].text, "Communicasion error!");
}

TEST_F(ReadCycle, ATimeOutInTheCycleEndsItAndRestartsThePoll) {
    start("english-album.json");
    driver.injectFault({FaultRule::Action::Drop, 1, 0, AnswerKind::Read});
    panel.click(link::IDC_SLEEVON);
    host.advance(49900);
    EXPECT_TRUE(progress.shown);
    EXPECT_TRUE(host.shownBoxes.empty());
    host.advance(200);
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"MD Communication error\n(Time out)"});
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    EXPECT_FALSE(hooks.model().readOutstanding);
    EXPECT_TRUE(polling());
    EXPECT_EQ(labelEditors, 0);
}

TEST_F(ReadCycle, ATimeOutOutsideTheCycleLeavesThePollStopped) {
    ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/english-album.json"), "");
    driver.injectFault({FaultRule::Action::Drop, 1, 0, AnswerKind::Read});
    ASSERT_TRUE(panel.initialise());
    host.advance(3000);
    ASSERT_TRUE(hooks.model().readOutstanding);
    EXPECT_EQ(host.timerPeriod(panel.window(), TIMER_READ_TIMEOUT), 50000u);
    host.advance(50000);
    EXPECT_FALSE(hooks.model().readOutstanding);
    EXPECT_FALSE(polling());
    EXPECT_TRUE(host.shownBoxes.empty());
    // The next status answer, here the one a track step asks for, brings the poll back.
    panel.onMessage(WM_BUTTON_RELEASED, link::IDC_UP, 0);
    host.advance(2000);
    EXPECT_TRUE(polling());
    EXPECT_TRUE(hooks.model().discNameKnown);
}

TEST_F(ReadCycle, AnAnswerForAnotherTrackEndsTheCycle) {
    start("english-album.json");
    panel.click(link::IDC_SLEEVON);
    // The stray comes in while the dialog handles its waiting messages after track 2.
    bool sent = false;
    progress.duringPump = [&] {
        if (!sent && hooks.model().cycleIndex == 2) {
            sent = true;
            postAnswer(link::NAME_TRACK, 7, "Stray");
        }
    };
    runCycle();
    ASSERT_TRUE(sent);
    EXPECT_EQ(labelEditors, 0);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Communication error\nPlease Retry!"});
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::None);
    EXPECT_EQ(hooks.model().trackName(7), "Stray") << "a track inside the count is still stored";
    EXPECT_TRUE(polling());
}

TEST_F(ReadCycle, OutsideACycleATrackBeyondTheCountIsNotStored) {
    start("english-album.json");
    postAnswer(link::NAME_TRACK, 9, "Ghost");
    postAnswer(link::NAME_TRACK, 255, "Ghost");
    host.runUntilIdle();
    EXPECT_EQ(hooks.model().trackNames.size(), 8u);
    EXPECT_EQ(hooks.model().trackName(9), "");
    EXPECT_TRUE(host.shownBoxes.empty());
    EXPECT_TRUE(polling());
    // The disc name answer outside a cycle replaces the name.
    postAnswer(link::NAME_DISC, 0, "Renamed");
    host.runUntilIdle();
    EXPECT_EQ(hooks.shownDiscName(), "Renamed");
}

TEST_F(ReadCycle, AnUnknownCountIsAskedForFirst) {
    start("english-album.json");
    // A failed status drops the cache; the cycle then asks for the count itself.
    driver.injectFault({FaultRule::Action::Fail, 1, 0, AnswerKind::Status});
    untilCacheDropped();
    panel.click(link::IDC_SLEEVON);
    runCycle();
    EXPECT_EQ(labelEditors, 1);
    EXPECT_EQ(namesAtLabelEditor.size(), 8u);

    // A failed answer to that status ends the cycle, no icon.
    driver.injectFault({FaultRule::Action::Fail, 2, 0, AnswerKind::Status});
    untilCacheDropped();
    panel.click(link::IDC_SLEEVON);
    runCycle();
    EXPECT_EQ(labelEditors, 1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Communication error\nPlease Retry!"});
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::None);
    EXPECT_TRUE(polling());
}

TEST_F(ReadCycle, AReadOnItsWayDelaysTheStart) {
    ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/english-album.json"), "");
    ASSERT_TRUE(panel.initialise());
    // Catch the moment an on-demand read is out.
    for (int i = 0; i < 2000 && !hooks.model().readOutstanding; ++i) host.advance(5);
    ASSERT_TRUE(hooks.model().readOutstanding);
    panel.click(link::IDC_SLEEVON);
    EXPECT_TRUE(host.timerRunning(panel.window(), TIMER_CYCLE_RESTART));
    EXPECT_FALSE(hooks.model().cycleActive);
    runCycle();
    EXPECT_EQ(labelEditors, 1);
    EXPECT_EQ(namesAtLabelEditor, kEnglishNames);
}

// The label editor hand-over for real: the file in the current folder, the editor started.
class LabelHandOver : public ReadCycle {
protected:
    LabelHandOver() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder.path());
        hooks.onLabelEditor = nullptr;
    }
    ~LabelHandOver() override { std::filesystem::current_path(previous_); }

    label::test::TempFolder folder;
    std::filesystem::path file = folder / "EditingLabel.slv";

private:
    std::filesystem::path previous_;
};

TEST_F(LabelHandOver, SleevonWritesTheFileHereAndStartsTheEditorOnItsBareName) {
    start("english-album.json");
    WindowRegistry::RegistrationId editorWindow = 0;
    host.fakeShell().onStart = [&](const fake::StartedProgram&) {
        editorWindow = host.fakeRegistry().registerWindow("Sleevon", "EditingLabel.slv - Sleevon", {});
    };
    panel.click(link::IDC_SLEEVON);
    runCycle();

    ASSERT_EQ(host.fakeShell().started.size(), 1u);
    EXPECT_EQ(host.fakeShell().started[0].name, "Sleevon.exe");
    EXPECT_EQ(host.fakeShell().started[0].args, (std::vector<std::string>{"EditingLabel.slv"}));
    auto bytes = label::readFileBytes(file);
    ASSERT_TRUE(bytes);
    const label::LabelFileContent content = label::decodeLabelFile(*bytes, host.codePage());
    EXPECT_EQ(content.formatFlag, label::kShortLayoutFlag);
    EXPECT_EQ(content.mdTitle, "Harbour Lights");
    EXPECT_EQ(content.mdTracks, kEnglishNames);
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file left behind";
    EXPECT_TRUE(host.shownBoxes.empty());

    // While the editor's window exists the panel stays disabled; SLEEVON cannot come again.
    host.advance(3000);
    EXPECT_FALSE(panel.enabled());
    host.fakeRegistry().unregisterWindow(editorWindow);
    host.advance(500);
    EXPECT_TRUE(panel.enabled());
}

TEST_F(LabelHandOver, AFileThatCannotBeMadeIsQuietAWriteErrorIsShown) {
    start("english-album.json");
    // A folder in the way: the file cannot be created. Nothing is said; the next press retries.
    std::filesystem::create_directory(file);
    panel.click(link::IDC_SLEEVON);
    runCycle();
    EXPECT_TRUE(host.fakeShell().started.empty());
    EXPECT_TRUE(host.shownBoxes.empty());
    EXPECT_EQ(hooks.model().trackNames, kEnglishNames) << "the names read stay";
    std::filesystem::remove(file);

    // The disc fills up while the bytes are written (a file size limit stands in for it).
    ASSERT_TRUE(label::replaceFile(file, std::vector<std::uint8_t>{1, 2, 3}));
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    panel.click(link::IDC_SLEEVON);
    runCycle();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(host.fakeShell().started.empty()) << "the editor does not start";
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    const std::string& text = host.shownBoxes[0].text;
    EXPECT_EQ(text.rfind("The label file could not be written.\n", 0), 0u) << text;
    EXPECT_NE(text.find(file.filename().string()), std::string::npos) << text;
    EXPECT_NE(text.find(std::strerror(EFBIG)), std::string::npos) << text;
    EXPECT_EQ(label::readFileBytes(file), (std::vector<std::uint8_t>{1, 2, 3})) << "the old file stays";
    EXPECT_EQ(folder.entries(), 1u);
    EXPECT_TRUE(polling());
}

class JapaneseReadCycle : public ReadCycle {
protected:
    JapaneseReadCycle() : ReadCycle(Language::Japanese) {}
};

TEST_F(JapaneseReadCycle, NamesAreShownInHalfWidthKana) {
    start("japanese-album.json");
    EXPECT_EQ(host.codePage().toUtf8(hooks.shownDiscName()), "ｻｸﾗ");
    panel.click(link::IDC_SLEEVON);
    runCycle();
    ASSERT_EQ(namesAtLabelEditor.size(), 8u);
    EXPECT_EQ(host.codePage().toUtf8(namesAtLabelEditor[0]), "ﾊﾙﾉｶｾﾞ");
    EXPECT_EQ(host.codePage().toUtf8(namesAtLabelEditor[6]), "ｼｱﾜｾ");
    EXPECT_EQ(host.codePage().toUtf8(namesAtLabelEditor[5]), "ｱﾒﾉﾋ (Live)");
}

}  // namespace
}  // namespace tovik::ui
