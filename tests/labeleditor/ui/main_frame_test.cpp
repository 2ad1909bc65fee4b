// The main frame's rules and the application's start: geometry and what is kept at the end,
// command routing, the focus keys, the format bar's return, the command line.
#include "labeleditor/ui/main_frame.h"

#include <gtest/gtest.h>

#include "labeleditor/ui/command_line.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/document/temp_folder.h"
#include "tests/labeleditor/ui/ui_fakes.h"

namespace tovik::label {
namespace {

TEST(FrameGeometry, DefaultsComeFromTheWorkAreaAndStoredValuesAreKeptAsTheyAre) {
    fake::FakeProfile profile;
    EXPECT_EQ(loadFrameGeometry(profile, {1280, 800}), (FrameGeometry{{160, 100, 960, 600}, 480, 150}));
    EXPECT_EQ(loadFrameGeometry(profile, {1366, 738}), (FrameGeometry{{170, 92, 1024, 553}, 512, 138}));

    // Partly stored: the splitters follow the stored window size.
    profile.setInt("SIZE", "cx", 1001);
    profile.setInt("SIZE", "cy", 403);
    EXPECT_EQ(loadFrameGeometry(profile, {1280, 800}), (FrameGeometry{{160, 100, 1001, 403}, 500, 100}));

    // Off screen and odd sizes are used as they are.
    saveFrameGeometry(profile, FrameGeometry{{-3000, 5000, 120, 90}, 400, 700});
    EXPECT_EQ(loadFrameGeometry(profile, {1280, 800}), (FrameGeometry{{-3000, 5000, 120, 90}, 400, 700}));
}

class FrameTest : public testing::Test {
protected:
    FrameTest() {
        doc.OnNewDocument();
        frame.setViews(preview, title, tracks);
    }
    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;
    CSleevonDoc doc{host, ui};
    struct NoAppUi : AppUi {
        int screenLogPixelsX() const override { return 96; }
        std::optional<std::string> defaultPrinter() override { return std::nullopt; }
        void adoptPrinter(const PrinterSettings&) override {}
        void runPrintSetup() override { ++setups; }
        void showAbout() override {}
        void closeMainWindow() override {}
        int setups = 0;
    } appUi;
    CSleevonApp app{host, appUi};
    test::FakeFrameWindow window;
    test::RecordingView preview, title, tracks;
    CMainFrame frame{host, window, doc, app};
};

TEST_F(FrameTest, TheWindowIsFindableWhileItExistsAndKeepsItsStateAtTheEnd) {
    host.fakeProfile().setBinary("Dock state", "State", {7, 7});
    frame.OnCreate();
    EXPECT_EQ(window.loaded, (std::vector<std::uint8_t>{7, 7}));
    auto found = host.windowRegistry().findWindow(std::string("Sleevon"), std::nullopt);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->title, "SLEEVON");
    host.windowRegistry().bringToFront(*found);
    EXPECT_EQ(window.fronted, 1);

    frame.OnDestroy();
    frame.OnDestroy();
    EXPECT_FALSE(host.windowRegistry().findWindow(std::string("Sleevon"), std::nullopt));
    EXPECT_EQ(host.fakeProfile().getBinary("Dock state", "State"), window.barState);
    EXPECT_EQ(loadFrameGeometry(host.profile(), {0, 0}), (FrameGeometry{{10, 20, 700, 500}, 300, 90}));
    EXPECT_EQ(title.destroyed + tracks.destroyed + preview.destroyed, 3) << "each view once";
}

TEST_F(FrameTest, TabGoesToTheTrackListFromTheTitleListAndElseToTheTitleList) {
    const std::pair<Pane, Pane> cases[] = {
        {Pane::TitleList, Pane::TrackList},
        {Pane::TrackList, Pane::TitleList},
        {Pane::Preview, Pane::TitleList},
        {Pane::None, Pane::TitleList},  // the format bar, an in-place editor
    };
    for (auto [from, to] : cases) {
        window.focus = from;
        frame.onCommand(32776);
        EXPECT_EQ(window.focus, to);
    }
    // F6 walks the panes round, Shift+F6 back.
    window.focus = Pane::TrackList;
    frame.onCommand(57680);
    EXPECT_EQ(window.focus, Pane::Preview);
    frame.onCommand(57681);
    EXPECT_EQ(window.focus, Pane::TrackList);
}

TEST_F(FrameTest, CommandsGoToTheActiveViewThenTheDocumentThenFrameAndApplication) {
    tracks.claimed = {32816};
    frame.onPaneFocused(Pane::TrackList);
    EXPECT_TRUE(frame.onCommand(32816));
    EXPECT_EQ(tracks.commands, (std::vector<unsigned>{32816}));
    frame.onPaneFocused(Pane::TitleList);
    EXPECT_FALSE(frame.onCommand(32816)) << "the title list has no insert: nothing happens";
    frame.onPaneFocused(Pane::None);
    EXPECT_EQ(frame.activePane(), Pane::TitleList) << "the format bar does not take the active view";

    // Print and preview act on the preview whatever has the focus; without printing they wait.
    EXPECT_TRUE(frame.onCommand(57607));
    EXPECT_TRUE(frame.onCommand(57609));
    EXPECT_EQ(preview.prints + preview.previews, 2);
    preview.printable = false;
    EXPECT_FALSE(frame.commandState(57607)->enabled);
    EXPECT_FALSE(frame.commandState(32822)->enabled);
    frame.onCommand(57607);
    EXPECT_EQ(preview.prints, 1);

    frame.onCommand(57606);
    EXPECT_EQ(appUi.setups, 1);
    frame.onCommand(32820);
    EXPECT_FALSE(window.bars[32820]);
    EXPECT_EQ(frame.commandState(32820)->checked, false);
    frame.onCommand(57670);  // F1: help about the active pane
    frame.onCommand(57667);
    EXPECT_EQ(window.help, (std::vector<HelpTopic>{HelpTopic::TitleList, HelpTopic::Contents}));
    EXPECT_FALSE(frame.commandState(12345));
}

TEST_F(FrameTest, SavingUnderANewNamePutsItOnTheRecentFiles) {
    test::TempFolder folder;
    ui.saveNames = {folder / "one.slv"};
    frame.onCommand(57603);
    ASSERT_FALSE(app.recentFiles().entries().empty());
    EXPECT_EQ(app.recentFiles().entries().front(), (folder / "one.slv").string());
}

TEST_F(FrameTest, TheFormatBarsReturnGivesTheFocusToTheActiveView) {
    frame.onPaneFocused(Pane::TrackList);
    FormatNotify block;
    block.hdr.idFrom = 32820;
    block.hdr.code = -4;
    LResult result = 0;
    EXPECT_TRUE(frame.onFormatBarNotify(block, result));
    EXPECT_EQ(window.focusRequests, (std::vector<Pane>{Pane::TrackList}));

    block.hdr.code = FBN_QUERYFONT;  // the font notifications reach the document
    EXPECT_TRUE(frame.onFormatBarNotify(block, result));
    EXPECT_EQ(result, 1);
}

// --- the application ---

TEST(CommandLine, TheFirstPlainArgumentIsTheFileAndSwitchesStartWithADash) {
    EXPECT_EQ(parseCommandLine({}).shellCommand, CommandLineInfo::FileNew);
    auto open = parseCommandLine({"EditingLabel.slv", "extra"});
    EXPECT_EQ(open.shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(open.fileName, "EditingLabel.slv");
    EXPECT_EQ(parseCommandLine({"/home/me/p"}).fileName, "/home/me/p") << "an absolute path is a file";
    EXPECT_EQ(parseCommandLine({"/P", "x.slv"}).shellCommand, CommandLineInfo::FilePrint);
    auto printTo = parseCommandLine({"-pt", "x.slv", "Laser", "drv", "lpt1"});
    EXPECT_EQ(printTo.shellCommand, CommandLineInfo::FilePrintTo);
    EXPECT_EQ(printTo.printerName, "Laser");
    EXPECT_EQ(printTo.portName, "lpt1");
    EXPECT_EQ(parseCommandLine({"-dde"}).shellCommand, CommandLineInfo::FileDDE);
}

struct ScriptedStart : DocumentStarter, AppUi {
    bool openDocumentFile(const std::filesystem::path& path) override {
        opened.push_back(path);
        return opens;
    }
    void showMainWindow() override { ++shown; }
    int screenLogPixelsX() const override { return dpi; }
    std::optional<std::string> defaultPrinter() override { return printer; }
    void adoptPrinter(const PrinterSettings& settings) override { adopted = settings; }
    void runPrintSetup() override {}
    void showAbout() override {}
    void closeMainWindow() override {}

    bool opens = true;
    std::vector<std::filesystem::path> opened;
    int shown = 0;
    std::optional<std::string> printer;
    std::optional<PrinterSettings> adopted;
    int dpi = 96;
};

TEST(SleevonApp, StartsOnlyWithAFileThatOpens) {
    fake::FakeHost host{resources::sleevonStrings()};
    ScriptedStart ui;
    {
        CSleevonApp app{host, ui};
        EXPECT_FALSE(app.InitInstance({}, ui));
        EXPECT_TRUE(ui.opened.empty());
        EXPECT_EQ(ui.shown, 0);
        app.ExitInstance();
        EXPECT_TRUE(host.fakeProfile().values.empty()) << "ending at once leaves the profile alone";
    }
    {
        ui.opens = false;
        CSleevonApp app{host, ui};
        EXPECT_FALSE(app.InitInstance({"missing.slv"}, ui));
        EXPECT_EQ(ui.shown, 0);
    }
    {
        ui.opens = true;
        CSleevonApp app{host, ui};
        EXPECT_FALSE(app.InitInstance({"-p", "x.slv"}, ui)) << "no direct printing: open hidden and end";
        EXPECT_EQ(ui.shown, 0);
    }
    EXPECT_TRUE(host.shownBoxes.empty());
}

TEST(SleevonApp, AdoptsTheDefaultPrinterInLandscape) {
    fake::FakeHost host{resources::sleevonStrings()};
    ScriptedStart ui;
    CSleevonApp none{host, ui};
    ASSERT_TRUE(none.InitInstance({"a.slv"}, ui));
    EXPECT_TRUE(none.printerSettings().empty());
    EXPECT_FALSE(ui.adopted);

    ui.printer = "Office";
    CSleevonApp app{host, ui};
    ASSERT_TRUE(app.InitInstance({"a.slv"}, ui));
    EXPECT_EQ(app.printerSettings(), (PrinterSettings{"Office", true}));
    EXPECT_EQ(ui.adopted, app.printerSettings());
    EXPECT_EQ(ui.shown, 2);

    EXPECT_FALSE(app.largeIcons());
    ui.dpi = 120;
    EXPECT_TRUE(app.largeIcons());
}

TEST(RecentFileList, KeepsTheLastFourNewestFirst) {
    fake::FakeProfile profile;
    RecentFileList list(profile, 4);
    for (const char* name : {"a", "b", "c", "d", "e", "c"}) list.add(name);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"c", "e", "d", "b"}));
    list.save();
    RecentFileList again(profile, 4);
    again.load();
    EXPECT_EQ(again.entries(), list.entries());
    EXPECT_EQ(profile.getString("Recent File List", "File1", ""), "c");
}

}  // namespace
}  // namespace tovik::label
