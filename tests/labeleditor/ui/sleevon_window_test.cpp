// Sleevon's window on the offscreen platform, driven by keys and mouse as a person would: the
// start without a file, the window's layout and what it keeps, the keys of the two lists, the
// pop-up menus and saving.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "labeleditor/document/file_io.h"
#include "labeleditor/document/label_file.h"
#include "labeleditor/document/short_label_writer.h"
#include "labeleditor/ui/qt_font_setting_bar.h"
#include "labeleditor/ui/qt_report_list.h"
#include "labeleditor/ui/qt_sleevon_program.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/document/temp_folder.h"

namespace tovik::label {
namespace {

class SleevonWindowTest : public testing::Test {
protected:
    std::filesystem::path controllerFile(const std::vector<std::string>& tracks, const std::string& title = "Blue Hour") {
        auto path = folder / "EditingLabel.slv";
        EXPECT_TRUE(writeShortLabelFile(path, title, tracks));
        return path;
    }
    MainFrameWindow& start(const std::filesystem::path& path) {
        program = std::make_unique<SleevonProgram>(host, &ui);
        program->workArea = ScreenSize{1280, 800};
        EXPECT_TRUE(program->start({path.string()}));
        MainFrameWindow& window = *program->window();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        program->document()->addObserver(hints);
        return window;
    }
    void end() {
        program->window()->close();
        program->finish();
        program.reset();
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();  // an editor ends on a queued call
    }
    static void focus(QWidget& widget) {
        widget.setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    }
    static std::vector<std::string> column(const ReportList& list, int c) {
        std::vector<std::string> out;
        for (int i = 0; i < list.topLevelItemCount(); ++i) out.push_back(list.topLevelItem(i)->text(c).toStdString());
        return out;
    }

    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;
    test::TempFolder folder;
    test::HintRecorder hints;
    std::unique_ptr<SleevonProgram> program;
};

bool anySleevonWindowShows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == "SLEEVON") return true;
    return false;
}

TEST_F(SleevonWindowTest, WithoutAFileOrWithAnUnreadableOneItEndsWithNoWindow) {
    SleevonProgram none(host, &ui);
    EXPECT_FALSE(none.start({}));
    EXPECT_EQ(none.window(), nullptr);
    EXPECT_EQ(none.exitCode(), 0);
    EXPECT_TRUE(host.shownBoxes.empty()) << "no message";

    SleevonProgram missing(host, &ui);
    EXPECT_FALSE(missing.start({(folder / "none.slv").string()}));
    EXPECT_EQ(missing.window(), nullptr);
    EXPECT_EQ(missing.exitCode(), 1);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "Failed to open document.");
    EXPECT_FALSE(anySleevonWindowShows());
    EXPECT_FALSE(host.windowRegistry().findWindow(std::string("Sleevon"), std::nullopt));
}

TEST_F(SleevonWindowTest, TheWindowStartsFromTheWorkAreaAndComesBackAsItWasLeft) {
    MainFrameWindow& window = start(controllerFile({"One", "Two"}));
    EXPECT_EQ(window.windowTitle(), "SLEEVON");
    QCoreApplication::processEvents();
    EXPECT_EQ(window.frameGeometry(), QRect(160, 100, 960, 600));
    EXPECT_EQ(window.mainSplitter().sizes().value(0), 480);
    EXPECT_EQ(window.rightSplitter().sizes().value(0), 150);
    EXPECT_TRUE(host.windowRegistry().findWindow(std::string("Sleevon"), std::nullopt));
    EXPECT_EQ(window.statusBar()->currentMessage(), "");

    // A person rearranges everything, then closes.
    window.move(40, 30);
    window.resize(900, 640);
    QCoreApplication::processEvents();
    const QRect left = window.frameGeometry();
    window.mainSplitter().setSizes({350, 500});
    window.rightSplitter().setSizes({120, 400});
    window.titleList().header()->resizeSection(0, 210);
    window.trackList().header()->resizeSection(0, 190);
    window.addToolBar(Qt::LeftToolBarArea, &window.toolBar());
    window.runCommand(32820);  // format bar off
    window.runCommand(59393);  // status bar off
    ASSERT_TRUE(window.formatBar().isHidden());
    end();
    EXPECT_FALSE(host.windowRegistry().findWindow(std::string("Sleevon"), std::nullopt));

    MainFrameWindow& again = start(controllerFile({"One", "Two"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(again.frameGeometry(), left);
    EXPECT_EQ(again.mainSplitter().sizes().value(0), 350);
    EXPECT_EQ(again.rightSplitter().sizes().value(0), 120);
    EXPECT_EQ(again.titleList().header()->sectionSize(0), 210);
    EXPECT_EQ(again.trackList().header()->sectionSize(0), 190);
    EXPECT_EQ(again.toolBarArea(&again.toolBar()), Qt::LeftToolBarArea);
    EXPECT_TRUE(again.formatBar().isHidden());
    EXPECT_TRUE(again.statusBar()->isHidden());
    EXPECT_EQ(again.frame().commandState(32820)->checked, false);
}

TEST_F(SleevonWindowTest, TabMovesBetweenTheListsAndTheFormatBarDocksOnlyAtTopOrBottom) {
    MainFrameWindow& window = start(controllerFile({"One", "Two"}));
    focus(window.titleList());
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &window.trackList());
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &window.titleList());
    focus(window.previewWidget());
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &window.titleList());

    EXPECT_EQ(window.formatBar().allowedAreas(), Qt::TopToolBarArea | Qt::BottomToolBarArea);
    EXPECT_EQ(window.toolBar().allowedAreas(), Qt::AllToolBarAreas);
    // The format bar's return gives the focus back to the view that had it.
    focus(window.formatBar().faceBox());
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &window.titleList());
}

TEST_F(SleevonWindowTest, ShiftTabMovesNothing) {
    // No table binds Shift+Tab: the focus stays where it is, and an open editor stays on its row.
    MainFrameWindow& window = start(controllerFile({"One", "Two"}));
    for (QWidget* pane : {static_cast<QWidget*>(&window.titleList()), static_cast<QWidget*>(&window.trackList()),
                          &window.previewWidget()}) {
        focus(*pane);
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), pane) << pane->objectName().toStdString();
    }
    focus(window.trackList());
    window.trackList().selectAndFocus(1);
    press(Qt::Key_Return, Qt::ShiftModifier);
    QWidget* editor = window.trackList().editor();
    ASSERT_NE(editor, nullptr);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(window.trackList().selectedRow(), 1);
    EXPECT_EQ(program->document()->m_listPrintTrackName, (std::vector<std::string>{"One", "Two"}));
    press(Qt::Key_Escape);
}

TEST_F(SleevonWindowTest, InsOnAnEmptyListInsertsRowZeroAndOpensItsEditor) {
    MainFrameWindow& window = start(controllerFile({}));
    focus(window.trackList());
    press(Qt::Key_Insert);
    ASSERT_EQ(window.trackList().topLevelItemCount(), 1);
    ASSERT_NE(window.trackList().editor(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), window.trackList().editor());
    QTest::keyClicks(QApplication::focusWidget(), "First");
    press(Qt::Key_Return);
    EXPECT_EQ(program->document()->m_listPrintTrackName, (std::vector<std::string>{"First"}));
    EXPECT_EQ(program->document()->m_listMDTrackName, (std::vector<std::string>{""}));
    EXPECT_EQ(column(window.trackList(), 0), (std::vector<std::string>{"First"}));
}

TEST_F(SleevonWindowTest, ShiftInsAndDelActOnBothColumns) {
    MainFrameWindow& window = start(controllerFile({"t0", "t1", "t2", "t3", "t4"}));
    ReportList& list = window.trackList();
    focus(list);
    list.selectAndFocus(3);
    press(Qt::Key_Insert, Qt::ShiftModifier);
    press(Qt::Key_Escape);  // leave the new name empty
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"t0", "t1", "t2", "", "t3", "t4"}));
    EXPECT_EQ(column(list, 1), (std::vector<std::string>{"t0", "t1", "t2", "", "t3", "t4"}));
    EXPECT_EQ(program->document()->m_listMDTrackName, column(list, 1));

    focus(list);
    list.selectAndFocus(1);
    host.answerNextBox(IDOK);
    press(Qt::Key_Delete);
    EXPECT_EQ(host.shownBoxes.back().text, "Delete track t1 name.?");
    EXPECT_EQ(column(list, 1), (std::vector<std::string>{"t0", "t2", "", "t3", "t4"}));
    EXPECT_EQ(program->document()->m_listMDTrackName, column(list, 1));
    EXPECT_EQ(program->document()->m_listPrintTrackName, column(list, 0));
}

TEST_F(SleevonWindowTest, RenamingTheTitleToTheSameTextSendsNoHint) {
    MainFrameWindow& window = start(controllerFile({"One"}));
    focus(window.titleList());
    hints.take();
    press(Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_NE(window.titleList().editor(), nullptr);
    press(Qt::Key_Return);
    EXPECT_TRUE(hints.take().empty());

    focus(window.titleList());
    press(Qt::Key_Return, Qt::ShiftModifier);
    press(Qt::Key_End);  // the editor opens with the whole text selected
    QTest::keyClicks(QApplication::focusWidget(), " (live)");
    press(Qt::Key_Return);
    EXPECT_EQ(hints.take(), (std::vector<unsigned>{HINT_PRINTTITLE}));
    EXPECT_EQ(program->document()->m_strPrintTitle, "Blue Hour (live)");
    EXPECT_EQ(program->document()->m_strMDTitle, "Blue Hour");
}

TEST_F(SleevonWindowTest, EachSelectionGetsItsMenuAndShiftF10OpensItAtTheListsCorner) {
    MainFrameWindow& window = start(controllerFile({"One", "Two", "Three"}));
    ReportList& list = window.trackList();
    std::vector<std::pair<unsigned, ScreenPoint>> shown;
    list.popupMenuRunner = [&](unsigned menu, ScreenPoint at) {
        shown.emplace_back(menu, at);
        return 0u;
    };
    focus(list);
    auto rightClickRow = [&](int row) {
        QRect r = list.visualItemRect(list.topLevelItem(row));
        QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier, r.center());
        QContextMenuEvent menu(QContextMenuEvent::Mouse, r.center(), list.viewport()->mapToGlobal(r.center()));
        QApplication::sendEvent(list.viewport(), &menu);
    };
    rightClickRow(0);
    rightClickRow(2);
    list.clearSelection();
    QContextMenuEvent empty(QContextMenuEvent::Mouse, QPoint(5, 200), list.viewport()->mapToGlobal(QPoint(5, 200)));
    QApplication::sendEvent(list.viewport(), &empty);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].first, 153u);
    EXPECT_EQ(shown[1].first, 104u);
    EXPECT_EQ(shown[2].first, 154u);

    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(shown.size(), 4u);
    QPoint corner = list.mapToGlobal(list.contentsRect().topLeft()) + QPoint(5, 5);
    EXPECT_EQ(shown[3].second, (ScreenPoint{corner.x(), corner.y()}));
}

TEST_F(SleevonWindowTest, SaveAsksForANameForTheControllersFileOnlyOnceAndWritesTheFullLayout) {
    MainFrameWindow& window = start(controllerFile({"One", "Two"}));
    auto controllerBytes = readFileBytes(folder / "EditingLabel.slv");
    ui.saveNames = {folder / "mine.slv"};
    focus(window.trackList());
    press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(ui.proposedNames.size(), 1u);
    EXPECT_EQ(ui.proposedNames[0], folder / "EditingLabel.slv");
    EXPECT_EQ(readFileBytes(folder / "EditingLabel.slv"), controllerBytes) << "the controller's file stays";

    program->document()->setPrintTrackName(1, "Two (edit)");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui.proposedNames.size(), 1u) << "the second Save does not ask";
    auto saved = decodeLabelFile(*readFileBytes(folder / "mine.slv"), host.codePage());
    EXPECT_FALSE(saved.isShortLayout());
    EXPECT_EQ(saved.printTracks, (std::vector<std::string>{"One", "Two (edit)"}));
    EXPECT_EQ(saved.mdTracks, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(saved.fonts.size(), 3u);
    EXPECT_EQ(program->app().recentFiles().entries().front(), (folder / "mine.slv").string());
}

TEST_F(SleevonWindowTest, ALongTrackListOpensInMoments) {
    // Filling row after row must stay linear: setting cells of a long list afterwards made the
    // control search every row, and this list took about a minute to open.
    std::vector<std::string> names(500000, "n");
    names.back() = "last";
    QElapsedTimer timer;
    timer.start();
    MainFrameWindow& window = start(controllerFile(names));
    EXPECT_LT(timer.elapsed(), 15000);
    ASSERT_EQ(window.trackList().topLevelItemCount(), 500000);
    EXPECT_EQ(window.trackList().topLevelItem(499999)->text(1), "last");
}

TEST_F(SleevonWindowTest, MenusAndTextsFollowTheLanguage) {
    fake::FakeHost japanese{resources::sleevonStrings(), Language::Japanese};
    std::string title = "\x83\x75\x83\x8B\x81\x5B";  // "ブルー" in CP932
    ASSERT_TRUE(writeShortLabelFile(folder / "ja.slv", title, std::vector<std::string>{title}));
    SleevonProgram jp(japanese, &ui);
    ASSERT_TRUE(jp.start({(folder / "ja.slv").string()}));
    QStringList menus;
    for (QAction* a : jp.window()->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"印刷(&P)", "表示(&V)", "ヘルプ(&H)"}));
    EXPECT_EQ(jp.window()->titleList().topLevelItem(0)->text(0), QString::fromUtf8("ブルー"));
    EXPECT_EQ(jp.window()->titleList().headerItem()->text(1), QString::fromUtf8("MD オリジナル タイトル"));

    MainFrameWindow& window = start(controllerFile({}));
    QStringList items;
    for (QAction* a : window.menuBar()->actions().front()->menu()->actions()) items << a->text();
    EXPECT_EQ(items, QStringList({"&Print...\tCtrl+P", "Print Pre&view", "Print &Setup...", "Print P&osition", "",
                                  "&Save\tCtrl+S", "Save &As...", "", "E&xit"}));
}

}  // namespace
}  // namespace tovik::label
