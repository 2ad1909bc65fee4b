// The format bar in Sleevon's window on the offscreen platform, driven by keys and mouse as a
// person would: typing into the boxes and leaving them, the lists, Escape, Tab and Enter, and
// the boxes following the label item the person is on.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "labeleditor/document/short_label_writer.h"
#include "labeleditor/ui/qt_font_setting_bar.h"
#include "labeleditor/ui/qt_report_list.h"
#include "labeleditor/ui/qt_sleevon_program.h"
#include "labeleditor/ui/qt_sleevon_view.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/document/temp_folder.h"
#include "tests/support/qt_wait.h"

namespace tovik::label {
namespace {

using tovik::test::waitUntil;

class FormatBarWindowTest : public testing::Test {
protected:
    FormatBarWindowTest() {
        auto path = folder / "EditingLabel.slv";
        const std::vector<std::string> tracks{"One", "Two"};
        EXPECT_TRUE(writeShortLabelFile(path, "Blue Hour", tracks));
        program = std::make_unique<SleevonProgram>(host, &ui);
        program->workArea = ScreenSize{1280, 800};
        EXPECT_TRUE(program->start({path.string()}));
        window = program->window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        doc = program->document();
        bar = &window->formatBar();
    }
    ~FormatBarWindowTest() override {
        window->close();
        program->finish();
    }

    QtBarCombo& face() { return bar->faceBox(); }
    QtBarCombo& size() { return bar->sizeBox(); }
    LogFont& font(int type) { return doc->m_arrFont.at(static_cast<std::size_t>(type)); }
    LogFont& current() { return font(doc->m_nFontType); }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();
    }
    // Clicks into a box, replaces its text by typing and leaves it for the title list.
    void enter(QtBarCombo& box, const QString& text) {
        QTest::mouseClick(box.lineEdit(), Qt::LeftButton);
        box.lineEdit()->selectAll();
        QTest::keyClick(box.lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(box.lineEdit(), text);
        window->titleList().setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    bool shows(const QString& faceText, const QString& sizeText) {
        return waitUntil([&] { return face().currentText() == faceText && size().currentText() == sizeText; });
    }
    int firstItemBeginning(const QString& text) {
        for (int i = 0; i < face().count(); ++i)
            if (face().itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
        return -1;
    }

    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;
    test::TempFolder folder;
    std::unique_ptr<SleevonProgram> program;
    MainFrameWindow* window = nullptr;
    CSleevonDoc* doc = nullptr;
    FontSettingBarWidget* bar = nullptr;
};

TEST_F(FormatBarWindowTest, TypingAFacesBeginningInAnyCaseAppliesTheFirstFaceThatBeginsWithIt) {
    EXPECT_TRUE(shows("Sans Serif", "11"));
    const int first = firstItemBeginning("dejavu s");
    ASSERT_GE(first, 0);
    enter(face(), "dEJAVU s");
    EXPECT_EQ(face().currentText(), face().itemText(first));
    const FaceEntry& entry = bar->behaviour().faceCombo().entry(first);
    EXPECT_EQ(current().face(), entry.name);
    EXPECT_EQ(current().charSet, entry.charSet);
    EXPECT_TRUE(waitUntil([&] { return face().currentText() == face().itemText(first); }));

    // An empty face box applies nothing.
    const LogFont before = current();
    enter(face(), "");
    EXPECT_EQ(current(), before);
}

TEST_F(FormatBarWindowTest, AFaceInTwoWritingSystemsIsListedTwiceAndAppliesItsOwnCharacterSet) {
    EXPECT_GE(face().findText("IPAGothic (Japanese)"), 0);
    EXPECT_GE(face().findText("IPAGothic (Western)"), 0);
    enter(face(), "IPAGothic (Japanese)");
    EXPECT_EQ(current().face(), "IPAGothic");
    EXPECT_EQ(current().charSet, 128);
    enter(face(), "IPAGothic (Western)");
    EXPECT_EQ(current().charSet, 0);
    EXPECT_TRUE(shows("IPAGothic (Western)", "11"));
}

TEST_F(FormatBarWindowTest, SizesAreEnteredInPointsAndBadOnesAreExplained) {
    enter(size(), "12");
    EXPECT_EQ(current().height, -16);
    EXPECT_TRUE(shows("Sans Serif", "12"));
    enter(size(), "72");
    EXPECT_EQ(current().height, -96);
    enter(size(), "1");
    EXPECT_EQ(current().height, -2);
    EXPECT_TRUE(host.shownBoxes.empty());

    enter(size(), "0");
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "Invalid font size .");
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Information);
    enter(size(), "12pt");  // the box takes four characters
    ASSERT_EQ(host.shownBoxes.size(), 2u);
    EXPECT_EQ(host.shownBoxes[1].text, "Invalid number.");
    enter(size(), "");
    EXPECT_EQ(host.shownBoxes.size(), 2u);
    EXPECT_EQ(current().height, -2) << "nothing bad or empty is applied";
    EXPECT_TRUE(shows("Sans Serif", "1"));
}

TEST_F(FormatBarWindowTest, EscapeRestoresBothBoxesAndEnterAppliesBothReturningTheFocus) {
    window->titleList().setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(shows("Sans Serif", "11"));
    const LogFont before = current();

    QTest::mouseClick(face().lineEdit(), Qt::LeftButton);
    QTest::keyClicks(face().lineEdit(), "xyz");
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &window->titleList());
    EXPECT_EQ(face().currentText(), "Sans Serif");
    // Also with the list open.
    QTest::mouseClick(size().lineEdit(), Qt::LeftButton);
    QTest::keyClicks(size().lineEdit(), "4");
    press(Qt::Key_Down);
    ASSERT_TRUE(waitUntil([&] { return size().view()->isVisible(); }));
    QTest::keyClick(size().view(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(waitUntil([&] { return !QApplication::activePopupWidget(); }));
    EXPECT_EQ(QApplication::focusWidget(), &window->titleList());
    EXPECT_EQ(face().currentText(), "Sans Serif");
    EXPECT_EQ(size().currentText(), "11");
    EXPECT_EQ(current().face(), before.face());
    EXPECT_EQ(current().height, before.height);

    // Tab goes to the other box; leaving the first applies it.
    QTest::mouseClick(face().lineEdit(), Qt::LeftButton);
    face().lineEdit()->selectAll();
    QTest::keyClicks(face().lineEdit(), "Liberation Sans (Western)");
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &size());
    EXPECT_EQ(current().face(), "Liberation Sans");
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &face());

    QTest::mouseClick(size().lineEdit(), Qt::LeftButton);
    size().lineEdit()->selectAll();
    QTest::keyClicks(size().lineEdit(), "20");
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), &window->titleList());
    EXPECT_EQ(current().height, -27);
}

TEST_F(FormatBarWindowTest, TheBoxesFollowTheItemClickedUnlessOneOfThemHasTheFocus) {
    font(FONT_TRACK).setFace("Liberation Serif");
    font(FONT_TRACK).charSet = 0;
    font(FONT_TRACK).height = -32;
    font(FONT_DISCTITLE).setFace("Liberation Mono");
    font(FONT_DISCTITLE).charSet = 0;
    font(FONT_DISCTITLE).height = -96;
    window->trackList().setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(shows("Liberation Serif (Western)", "24"));
    // A click on the disc label in the preview (the view tells no one but redraws its frames).
    auto& preview = dynamic_cast<QtSleevonView&>(window->previewWidget());
    const double perUnit = preview.viewport()->logicalDpiX() / 254.0;
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {},
                      QPoint(static_cast<int>(300 * perUnit), static_cast<int>(700 * perUnit)));
    ASSERT_EQ(doc->m_nFontType, FONT_DISCTITLE);
    EXPECT_TRUE(shows("Liberation Mono (Western)", "72"));

    // While a box has the focus, the document's changes wait.
    QTest::mouseClick(face().lineEdit(), Qt::LeftButton);
    doc->SetFontType(FONT_TRACK);
    QTest::qWait(20);
    EXPECT_EQ(face().currentText(), "Liberation Mono (Western)");
    press(Qt::Key_Escape);
    EXPECT_TRUE(shows("Liberation Serif (Western)", "24"));
}

TEST_F(FormatBarWindowTest, TheSizeListOfAScalableFaceHoldsTheStandardSizesAndChoosingAppliesAtOnce) {
    window->titleList().setFocus(Qt::MouseFocusReason);
    enter(face(), "DejaVu Serif");
    QTest::mouseClick(size().lineEdit(), Qt::LeftButton);
    press(Qt::Key_Down);
    ASSERT_TRUE(waitUntil([&] { return size().view()->isVisible(); }));
    QStringList sizes;
    for (int i = 0; i < size().count(); ++i) sizes << size().itemText(i);
    EXPECT_EQ(sizes, QStringList({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36",
                                  "48", "72"}));
    EXPECT_EQ(size().view()->currentIndex().row(), 3) << "11, the current size";

    // Choosing 36 closes the list, gives the focus back and applies the size.
    QAbstractItemView* list = size().view();
    for (int i = 3; i < 13; ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(waitUntil([&] { return current().height == -48; }));
    EXPECT_EQ(QApplication::focusWidget(), &window->titleList());
    EXPECT_TRUE(shows(face().currentText(), "36"));

    // The buttons act on the same font and show its style.
    QAction* bold = bar->button(ID_FORMAT_BOLD);
    ASSERT_NE(bold, nullptr);
    bold->trigger();
    EXPECT_EQ(current().weight, 700);
    EXPECT_TRUE(waitUntil([&] { return bold->isChecked(); }));
}

}  // namespace
}  // namespace tovik::label
