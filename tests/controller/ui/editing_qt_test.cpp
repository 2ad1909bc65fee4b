// The editing dialogs on screen (offscreen): the filtered name field, the name dialog's keys,
// and the track list editor's window driven by its buttons and list as a person would, with the
// editor's behaviour on the fake host's virtual clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>

#include "cardsim/in_process_driver.h"
#include "controller/disc/name_dialog.h"
#include "controller/disc/wait_box.h"
#include "controller/ui/qt_md_text_edit.h"
#include "controller/ui/qt_name_dialog.h"
#include "controller/ui/qt_track_list_editor.h"
#include "controller/ui/track_list_widget.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/ui/editing_fakes.h"
#include "tests/platform/recorder.h"

namespace tovik::ui {
namespace {

// Typing as the keyboard delivers it: one key event per character.
void type(QWidget* field, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

void commit(QWidget* field, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

TEST(MdTextLineEditTest, OnAJapaneseSystemOnlyWhatADiscHoldsGetsIn) {
    MdTextLineEdit field(CodePage::forLanguage(Language::Japanese), Language::Japanese);
    type(&field, "ab[☆c");
    EXPECT_EQ(field.text(), "abc");
    commit(&field, "アイうー");  // the input method's kana come in half-width
    EXPECT_EQ(field.text(), "abcｱｲｳ-");
    commit(&field, "東");
    EXPECT_EQ(field.text(), "abcｱｲｳ-");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "abcｱｲｳ");

    MdTextLineEdit plain(CodePage::forLanguage(Language::English), Language::English);
    type(&plain, "ab[☆c");
    EXPECT_EQ(plain.text(), "ab[☆c") << "elsewhere the field filters nothing";
}

TEST(QtNameDialogTest, KeysAndButtonsAskTheBehaviour) {
    fake::FakeHost host(resources::rotelaStrings(), Language::Japanese);
    QtNameDialog view(host, nullptr);
    int oks = 0, cancels = 0;
    view.onOk = [&] { ++oks; };
    view.onCancel = [&] { ++cancels; };
    view.show("ディスク名の編集", "ｻｸﾗ");
    EXPECT_EQ(view.dialog()->windowTitle(), "ディスク名の編集");
    EXPECT_EQ(view.field()->maxLength(), 100);
    EXPECT_TRUE(view.field()->filtering());
    QTest::keyClick(view.field(), Qt::Key_Return);
    QTest::keyClick(view.field(), Qt::Key_Escape);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(view.dialog()->isVisible()) << "only the behaviour closes it";
    view.setText("ﾕｷ");
    EXPECT_EQ(view.text(), "ﾕｷ");
    QPointer<QDialog> shown = view.dialog();
    view.hide();
    EXPECT_EQ(view.dialog(), nullptr);
    EXPECT_FALSE(shown && shown->isVisible()) << "it goes, and a new one comes with the next show";
}

// The field takes 100 typed characters, but a longer name already on the disc (another deck's,
// or mdctl's) is shown whole: opening the dialog and pressing OK must not cut it.
TEST(QtNameDialogTest, ALongerNameFromTheDiscIsShownWholeAndNotLengthened) {
    fake::FakeHost host(resources::rotelaStrings(), Language::English);
    QtNameDialog view(host, nullptr);
    const std::string longName(150, 'a');
    view.show("Track name Edit", longName);
    EXPECT_EQ(view.text(), longName);
    view.field()->end(false);
    QTest::keyClicks(view.field(), "bc");
    EXPECT_EQ(view.text(), longName) << "no typing past what it holds";
    QTest::keyClick(view.field(), Qt::Key_Backspace);
    EXPECT_EQ(view.text().size(), 149u);

    view.show("Track name Edit", "Tide");
    EXPECT_EQ(view.field()->maxLength(), 100) << "a new show starts from the field's own limit";
}

class TrackListEditorWindowTest : public ::testing::Test {
protected:
    TrackListEditorWindowTest() {
        EXPECT_EQ(driver.loadDiscJson(R"({"title": "Quay", "recordable": true, "tracks": [
            {"name": "Tide", "length": 60}, {"name": "Lanterns", "length": 60},
            {"name": "Salt", "length": 60}]})"), "");
        host.advance(2000);
        EXPECT_TRUE(link.Open() && link.CardReady() && link.Attach(ownerWindow, &status));
    }
    std::vector<std::string> listRows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < view.list()->count(); ++i) rows.push_back(view.list()->item(i)->text().toStdString());
        return rows;
    }
    void click(int id) { QTest::mouseClick(view.control(id), Qt::LeftButton); }

    fake::FakeHost host{resources::rotelaStrings()};
    card::InProcessCardDriver driver{host};
    test::Recorder owner;
    Handle ownerWindow = host.createWindow(owner);
    link::CMdCommWnd link{host, driver};
    link::MdStatus status;
    test::FakeNameDialogView nameView;
    test::FakeWaitBoxView waitView;
    disc::NameDialog nameDialog{host, nameView};
    disc::WaitBox waitBox{host, waitView};
    QtTrackListEditor view{host, nullptr};
    disc::TrackListEditor editor{host, link, status, nameDialog, waitBox, view};
};

TEST_F(TrackListEditorWindowTest, TheListTheKeysAndTheButtonsDriveTheEditor) {
    host.at(100, [&] {
        EXPECT_EQ(view.dialog()->windowTitle(), "Edit Track list");
        EXPECT_EQ(listRows(), (std::vector<std::string>{"Tide", "Lanterns", "Salt", "^^"}));
        EXPECT_EQ(view.list()->currentRow(), 0);
        EXPECT_FALSE(view.control(disc::IDC_MOVE)->isEnabled());

        view.list()->setCurrentRow(1);  // a click on "Lanterns"
        EXPECT_EQ(editor.selection(), 1);
        click(disc::IDC_MOVEDOWN);  // the skinned key's click reaches the editor's window
    });
    host.at(200, [&] {
        EXPECT_EQ(view.list()->markedItem(), 2);
        EXPECT_FALSE(view.control(disc::IDC_MOVE)->isEnabled()) << "the row after the selection";
        click(disc::IDC_MOVEDOWN);
    });
    host.at(300, [&] {
        ASSERT_EQ(view.list()->markedItem(), 3);
        ASSERT_TRUE(view.control(disc::IDC_MOVE)->isEnabled());
        click(disc::IDC_MOVE);  // asks "Track Move 2 -> 3" (answered OK) and waits for the unit
    });
    host.at(2500, [&] {
        EXPECT_EQ(listRows(), (std::vector<std::string>{"Tide", "Salt", "Lanterns", "^^"}));
        EXPECT_EQ(view.list()->currentRow(), 2);
        EXPECT_EQ(view.list()->markedItem(), -1);
        // A double click on a row opens the name dialog for it.
        nameView.onShow = [&] { host.at(0, [&] { nameDialog.cancel(); }); };
        QListWidget* list = view.list();
        emit list->itemDoubleClicked(list->item(0));
        EXPECT_EQ(nameView.field, "Tide");
        EXPECT_EQ(view.dialog()->findChild<QLineEdit*>("edit1044")->text(), "Quay");
        QTest::keyClick(view.list(), Qt::Key_Escape);  // the editor's Cancel
    });
    const auto result = editor.run({"Tide", "Lanterns", "Salt"}, "Quay", ownerWindow);
    EXPECT_EQ(result.code, IDCANCEL);
    EXPECT_EQ(result.names, (std::vector<std::string>{"Tide", "Salt", "Lanterns"}));
    EXPECT_EQ(host.shownBoxes.at(0).text, "Track Move\n2 -> 3");
    EXPECT_EQ(view.dialog(), nullptr) << "the window goes with the editor";
    EXPECT_EQ(link.owner(), ownerWindow);
}

}  // namespace
}  // namespace tovik::ui
