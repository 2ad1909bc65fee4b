#include "controller/ui/qt_track_list_editor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "controller/disc/editing_texts.h"
#include "controller/ui/qt_dialog_placement.h"
#include "controller/ui/skin_button_widget.h"
#include "controller/ui/track_list_widget.h"

namespace tovik::ui {

using namespace tovik::disc;

namespace {
constexpr int kSideWidth = 128;
}  // namespace

// Escape and the close box are the editor's Cancel; Enter its default button, Exit.
class QtTrackListEditor::Window : public QDialog {
public:
    Window(TrackListEditor& editor, QWidget* parent) : QDialog(parent), editor_(editor) {}
    void reject() override { editor_.command(IDC_EDITOR_CANCEL); }
    void accept() override { editor_.command(IDC_EDITOR_EXIT); }

private:
    TrackListEditor& editor_;
};

QtTrackListEditor::QtTrackListEditor(Host& host, QWidget* owner) : host_(host), owner_(owner) {}

QtTrackListEditor::~QtTrackListEditor() { close(); }

QWidget* QtTrackListEditor::control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void QtTrackListEditor::build(TrackListEditor& editor) {
    auto text = [this](unsigned id) { return QString::fromStdString(host_.strings().text(id)); };
    auto* dialog = new Window(editor, owner_);
    dialog_ = dialog;
    dialog->setObjectName("trackListEditor166");
    dialog->setWindowTitle(text(IDS_EDITOR_CAPTION));
    dialog->setWindowModality(Qt::ApplicationModal);
    controls_.clear();

    auto pushButton = [&](int id, unsigned caption) {
        auto* button = new QPushButton(text(caption), dialog);
        button->setObjectName(QString("button%1").arg(id));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, dialog, [&editor, id] { editor.command(id); });
        controls_[id] = button;
        return button;
    };
    auto skinnedKey = [&](const EditorRepeatButton& setup) {
        auto* key = new RepeatButtonWidget(host_, setup.id, setup.caption, dialog);
        key->setObjectName(setup.caption);
        key->button().setParent(editor.window());
        key->button().setAutoRepeat(setup.autoRepeat);
        if (setup.autoRepeat) key->button().setRepeatPeriod(setup.periodMs);
        key->setToolTip(setup.caption);
        controls_[setup.id] = key;
        return key;
    };

    // The disc's name.
    auto* discLabel = new QLabel(text(IDS_EDITOR_DISC_NAME), dialog);
    discName_ = new QLineEdit(dialog);
    discName_->setObjectName("edit1044");
    discName_->setReadOnly(true);
    discLabel->setBuddy(discName_);
    auto* discRow = new QHBoxLayout;
    discRow->setSpacing(8);
    discRow->addWidget(discLabel);
    discRow->addWidget(discName_, 1);
    discRow->addWidget(pushButton(IDC_CHANGE_DISC, IDS_EDITOR_CHANGE));

    // The tracks.
    list_ = new TrackListWidget(dialog);
    list_->setObjectName("list1037");
    list_->setMinimumSize(300, 16 * list_->itemHeight() + 4);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    auto* tracksLabel = new QLabel(text(IDS_EDITOR_TRACKS), dialog);
    tracksLabel->setBuddy(list_);
    QObject::connect(list_, &QListWidget::currentRowChanged, dialog, [this, &editor](int row) {
        if (!telling_) editor.rowSelected(row);
    });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, dialog, [this, &editor](QListWidgetItem* item) {
        editor.rowDoubleClicked(list_->row(item));
    });

    // The move keys and MOVE, then DEL, the track's Change... and Exit.
    auto* moveGroup = new QGroupBox(text(IDS_EDITOR_MOVE_GROUP), dialog);
    auto* keys = new QHBoxLayout;
    keys->addStretch(1);
    keys->addWidget(skinnedKey(kEditorRepeatButtons[0]));
    keys->addWidget(skinnedKey(kEditorRepeatButtons[1]));
    keys->addStretch(1);
    auto* moveLayout = new QVBoxLayout(moveGroup);
    moveLayout->addLayout(keys);
    moveLayout->addWidget(pushButton(IDC_MOVE, IDS_EDITOR_MOVE));

    auto* del = new QHBoxLayout;
    del->addStretch(1);
    del->addWidget(skinnedKey(kEditorRepeatButtons[2]));
    del->addStretch(1);
    QPushButton* exit = pushButton(IDC_EDITOR_EXIT, IDS_EDITOR_EXIT);
    exit->setDefault(true);

    QPushButton* changeTrack = pushButton(IDC_CHANGE_TRACK, IDS_EDITOR_CHANGE);
    // The buttons keep one width in either language.
    for (QWidget* w : std::initializer_list<QWidget*>{moveGroup, changeTrack, exit}) w->setFixedWidth(kSideWidth);
    auto* side = new QVBoxLayout;
    side->addWidget(moveGroup);
    side->addSpacing(6);
    side->addLayout(del);
    side->addWidget(changeTrack);
    side->addStretch(1);
    side->addWidget(exit);

    auto* grid = new QGridLayout(dialog);
    grid->addLayout(discRow, 0, 0, 1, 2);
    grid->addWidget(tracksLabel, 1, 0);
    grid->addWidget(list_, 2, 0);
    grid->addLayout(side, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);
    grid->setVerticalSpacing(8);
    grid->setHorizontalSpacing(12);
}

void QtTrackListEditor::open(TrackListEditor& editor) {
    close();
    build(editor);
    placeBelow(dialog_, owner_);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    list_->setFocus();
}

void QtTrackListEditor::close() {
    if (!dialog_) return;
    dialog_->hide();
    delete dialog_.data();
    list_ = nullptr;
    discName_ = nullptr;
    controls_.clear();
}

void QtTrackListEditor::setRows(const std::vector<std::string>& rows) {
    telling_ = true;
    list_->clear();
    for (const std::string& row : rows) list_->addItem(QString::fromStdString(row));
    telling_ = false;
}

void QtTrackListEditor::replaceRow(int row, const std::string& text) {
    if (QListWidgetItem* item = list_->item(row)) item->setText(QString::fromStdString(text));
}

void QtTrackListEditor::removeRow(int row) {
    telling_ = true;
    delete list_->takeItem(row);
    telling_ = false;
}

void QtTrackListEditor::insertRow(int row, const std::string& text) {
    telling_ = true;
    list_->insertItem(row, QString::fromStdString(text));
    telling_ = false;
}

void QtTrackListEditor::setSelection(int row) {
    telling_ = true;
    list_->setCurrentRow(row);
    if (row >= 0) list_->scrollToItem(list_->item(row));
    telling_ = false;
}

void QtTrackListEditor::setMark(int row) { list_->setMarkedItem(row); }

int QtTrackListEditor::topRow() const { return list_->verticalScrollBar()->value(); }

int QtTrackListEditor::visibleRows() const {
    return std::max(1, list_->viewport()->height() / std::max(1, list_->itemHeight()));
}

void QtTrackListEditor::setTopRow(int row) { list_->verticalScrollBar()->setValue(row); }

void QtTrackListEditor::setDiscName(const std::string& text) {
    discName_->setText(QString::fromStdString(text));
    discName_->setCursorPosition(0);
}

void QtTrackListEditor::enableControl(int id, bool enabled) {
    if (QWidget* widget = control(id)) widget->setEnabled(enabled);
}

}  // namespace tovik::ui
