#pragma once
// The list control of the title and track lists on screen: a report list with a header, single
// row selection, in-place editing of column 0 only and pop-up menus. It keeps no rules of its
// own: it shows what its view (CTytleListView or CTrackListView) puts in it and reports focus,
// clicks, keys and the end of editing back to the view.

#include <QPointer>
#include <QTreeWidget>

#include <functional>

#include "labeleditor/ui/list_control.h"
#include "platform/codepage.h"
#include "platform/strings.h"

namespace tovik::label {

class CListViewBase;

class ReportList : public QTreeWidget, public ListControl {
public:
    ReportList(const StringTable& strings, const CodePage& codePage, QWidget* parent = nullptr);
    ~ReportList() override;

    // The view told about everything; `onStateChanged` runs when a row's selection or focus
    // changes (the title list follows it).
    void setView(CListViewBase* view, std::function<void()> onStateChanged = {});
    // Replaces showing a real menu (tests answer with a command of their choice).
    std::function<unsigned(unsigned menuId, ScreenPoint at)> popupMenuRunner;
    // The open in-place editor, if any.
    QWidget* editor() const { return editor_; }

    // --- ListControl ---
    int columnCount() const override { return columns_; }
    void insertColumn(int column, const std::string& header, int width) override;
    int columnWidth(int column) const override;
    // The pane's width inside its frame: splitter panes have no border of their own, so the
    // columns fill the list exactly.
    int windowWidth() const override { return width() - 2 * frameWidth(); }
    int rowCount() const override { return topLevelItemCount(); }
    void deleteAllRows() override;
    void insertRow(int row, const std::string& text) override;
    void setCellText(int row, int column, const std::string& text) override;
    void deleteRow(int row) override;
    std::optional<int> selectedRow() const override;
    std::optional<int> focusedRow() const override;
    void selectAndFocus(int row) override;
    void beginEdit(int row) override;
    ScreenPoint clientTopLeftOnScreen() const override;
    unsigned trackPopupMenu(unsigned menuId, ScreenPoint at) override;

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class EditDelegate;
    friend class EditDelegate;
    void editorOpened(QWidget* editor) { editor_ = editor; }
    void editFinished(int row, const QString& text);
    void stateChanged();

    const StringTable& strings_;
    const CodePage& codePage_;
    CListViewBase* view_ = nullptr;
    std::function<void()> onStateChanged_;
    QPointer<QWidget> editor_;
    int columns_ = 0;
    int quiet_ = 0;                  // > 0 while rows change without the user: no state reports
    bool clickGaveFocus_ = false;    // the press that brought the focus does not start editing
    bool editingSuppressed_ = false;
};

}  // namespace tovik::label
