#include "labeleditor/ui/qt_report_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QValidator>

#include "labeleditor/ui/list_views.h"
#include "labeleditor/ui/qt_command_ui.h"

namespace tovik::label {

namespace {

// Accepts only text that the document's code page can hold, as it is typed or pasted.
class CodePageValidator : public QValidator {
public:
    CodePageValidator(const CodePage& codePage, QObject* parent) : QValidator(parent), codePage_(codePage) {}
    State validate(QString& input, int&) const override {
        return codePage_.fromUtf8(input.toStdString()) ? Acceptable : Invalid;
    }

private:
    const CodePage& codePage_;
};

// Holds its counter up while it lives.
struct Quiet {
    explicit Quiet(int& n) : n_(n) { ++n_; }
    ~Quiet() { --n_; }
    int& n_;
};

}  // namespace

// Opens a line edit over column 0 only; the text goes back to the view instead of the model.
class ReportList::EditDelegate : public QStyledItemDelegate {
public:
    EditDelegate(ReportList& list) : QStyledItemDelegate(&list), list_(list) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.column() != 0) return nullptr;
        auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!edit) return nullptr;
        edit->setValidator(new CodePageValidator(list_.codePage_, edit));
        list_.editorOpened(edit);
        return edit;
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) list_.editFinished(index.row(), edit->text());
    }
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (isShiftTabPress(*event)) return true;
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    ReportList& list_;
};

ReportList::ReportList(const StringTable& strings, const CodePage& codePage, QWidget* parent)
    : QTreeWidget(parent), strings_(strings), codePage_(codePage) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setItemDelegate(new EditDelegate(*this));
    setColumnCount(0);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { stateChanged(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { stateChanged(); });
}

ReportList::~ReportList() { view_ = nullptr; }

void ReportList::setView(CListViewBase* view, std::function<void()> onStateChanged) {
    view_ = view;
    onStateChanged_ = std::move(onStateChanged);
}

void ReportList::stateChanged() {
    if (quiet_ == 0 && onStateChanged_) onStateChanged_();
}

// --- ListControl ---

void ReportList::insertColumn(int column, const std::string& header, int width) {
    if (column != columns_) return;  // columns are added at the end, once
    columns_ = column + 1;
    setColumnCount(columns_);
    headerItem()->setText(column, QString::fromStdString(header));
    this->header()->resizeSection(column, std::max(0, width));
}

int ReportList::columnWidth(int column) const {
    return column < columns_ ? header()->sectionSize(column) : 0;
}

void ReportList::deleteAllRows() {
    Quiet quiet(quiet_);
    clear();
}

void ReportList::insertRow(int row, const std::string& text) {
    Quiet quiet(quiet_);
    auto* item = new QTreeWidgetItem();
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    item->setText(0, QString::fromStdString(text));
    insertTopLevelItem(std::clamp(row, 0, topLevelItemCount()), item);
}

void ReportList::setCellText(int row, int column, const std::string& text) {
    if (QTreeWidgetItem* item = topLevelItem(row); item && column >= 0)
        item->setText(column, QString::fromStdString(text));
}

void ReportList::deleteRow(int row) {
    Quiet quiet(quiet_);
    // The selection goes with its row; no other row becomes selected by it.
    const bool wasSelected = selectedRow() == row;
    delete takeTopLevelItem(row);
    if (wasSelected) selectionModel()->clearSelection();
}

std::optional<int> ReportList::selectedRow() const {
    std::optional<int> first;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (!first || index.row() < *first) first = index.row();
    return first;
}

std::optional<int> ReportList::focusedRow() const {
    QModelIndex current = currentIndex();
    if (!current.isValid()) return std::nullopt;
    return current.row();
}

void ReportList::selectAndFocus(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row))
        selectionModel()->setCurrentIndex(indexFromItem(item, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportList::beginEdit(int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item) return;
    if (editor_ && state() == QAbstractItemView::EditingState) {
        // Only one editor at a time: the open one ends as if it lost the focus.
        QWidget* open = editor_;
        commitData(open);
        closeEditor(open, QAbstractItemDelegate::NoHint);
    }
    selectAndFocus(row);
    scrollToItem(item);
    QModelIndex index = indexFromItem(item, 0);
    edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

ScreenPoint ReportList::clientTopLeftOnScreen() const {
    QPoint corner = mapToGlobal(contentsRect().topLeft());
    return {corner.x(), corner.y()};
}

unsigned ReportList::trackPopupMenu(unsigned menuId, ScreenPoint at) {
    if (popupMenuRunner) return popupMenuRunner(menuId, at);
    QMenu* menu = makePopupMenu(menuId, strings_, this);
    if (!menu) return 0;
    QAction* chosen = menu->exec(QPoint(at.x, at.y));
    unsigned command = commandOf(chosen);
    menu->deleteLater();
    return command;
}

// --- input ---

void ReportList::editFinished(int row, const QString& text) {
    if (view_) view_->onEndLabelEdit(row, text.toStdString());
}

bool ReportList::event(QEvent* event) {
    if (isShiftTabPress(*event)) {
        event->accept();
        return true;
    }
    return QTreeWidget::event(event);
}

void ReportList::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    clickGaveFocus_ = event->reason() == Qt::MouseFocusReason;
    if (view_) view_->onSetFocus();
}

void ReportList::keyPressEvent(QKeyEvent* event) {
    if (view_ && view_->preTranslateKeyDown(virtualKeyOf(event->key()), event->modifiers().testFlag(Qt::ShiftModifier))) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ReportList::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (!view_) return;
    if (event->reason() == QContextMenuEvent::Mouse) {
        view_->onContextMenu({event->globalPos().x(), event->globalPos().y()});
    } else {
        view_->onKeyboardContextMenu();
    }
}

void ReportList::mousePressEvent(QMouseEvent* event) {
    // Clicking a selected row edits it, but not when that click only brought the focus here.
    editingSuppressed_ = clickGaveFocus_;
    clickGaveFocus_ = false;
    if (editingSuppressed_) setEditTriggers(QAbstractItemView::NoEditTriggers);
    QTreeWidget::mousePressEvent(event);
}

void ReportList::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    if (editingSuppressed_) setEditTriggers(QAbstractItemView::SelectedClicked);
    editingSuppressed_ = false;
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (view_) view_->onDoubleClick();
}

}  // namespace tovik::label
