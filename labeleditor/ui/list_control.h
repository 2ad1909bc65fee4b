#pragma once
// A report-style list control as the title and track list views drive it: columns with headers,
// rows of two cells, single selection, a focused row, in-place editing of column 0, and pop-up
// menus. Texts here are UTF-8; the views convert from and to the document's code-page bytes.

#include <optional>
#include <string>

namespace tovik::label {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

class ListControl {
public:
    virtual ~ListControl() = default;

    virtual int columnCount() const = 0;
    virtual void insertColumn(int column, const std::string& header, int width) = 0;
    virtual int columnWidth(int column) const = 0;
    // The width of the view's window rectangle.
    virtual int windowWidth() const = 0;

    virtual int rowCount() const = 0;
    virtual void deleteAllRows() = 0;
    // A new row at `row` (moving later rows down) with `text` in column 0 and column 1 empty.
    virtual void insertRow(int row, const std::string& text) = 0;
    virtual void setCellText(int row, int column, const std::string& text) = 0;
    virtual void deleteRow(int row) = 0;

    // The first row with the selected state.
    virtual std::optional<int> selectedRow() const = 0;
    // The row with the focused state.
    virtual std::optional<int> focusedRow() const = 0;
    virtual void selectAndFocus(int row) = 0;
    // Opens the in-place editor over the row's column 0 (selecting and focusing the row); an
    // editor already open is closed first, keeping what was typed. Its end comes back to the
    // view as onEndLabelEdit.
    virtual void beginEdit(int row) = 0;

    // The top-left corner of the view's client area, in screen coordinates.
    virtual ScreenPoint clientTopLeftOnScreen() const = 0;
    // Shows the first pop-up of a menu resource at a screen point, owned by the view; returns
    // the chosen command, 0 when none.
    virtual unsigned trackPopupMenu(unsigned menuId, ScreenPoint at) = 0;
};

}  // namespace tovik::label
