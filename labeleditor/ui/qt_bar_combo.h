#pragma once
// The format bar's combo boxes on screen: an editable QComboBox that is a ComboControl for the
// behaviour and reports what a person does (focus in and out, keys, opening and closing the
// list) to the bar. The face box draws its items itself: the TrueType glyph, then the name 22
// pixels in.

#include <QComboBox>
#include <QStyledItemDelegate>

#include <functional>

#include "labeleditor/ui/bar_combo.h"

namespace tovik::label {

class QtBarCombo : public QComboBox, public ComboControl {
public:
    // What the box reports; each may be empty.
    struct Reports {
        std::function<void()> setFocus;   // the box received the focus
        std::function<void()> killFocus;  // the box lost the focus to something else than its list
        std::function<void()> dropDown;   // the list is about to open
        std::function<void()> closeUp;    // the list closed (after the chosen item is selected)
        std::function<bool(BarKey, bool alt, bool control)> key;  // true when the key was taken
    };

    QtBarCombo(int textLimit, QWidget* parent = nullptr);
    Reports reports;

    // --- ComboControl ---
    void setItems(const std::vector<std::string>& texts) override;
    int selection() const override { return selected_; }
    void select(int index) override;
    std::string editText() const override;
    void setEditText(const std::string& text) override;
    bool hasFocus() const override;
    void setFocus() override;
    bool isListOpen() const override { return listOpen_; }
    void openList() override { showPopup(); }

    void showPopup() override;
    void hidePopup() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int selected_ = -1;
    bool listOpen_ = false;
};

// The face list's items: highlight when selected, the glyph of a TrueType face at the upper left
// (copied with AND, so its white leaves the background), the text 22 pixels in, at the top.
class FaceItemDelegate : public QStyledItemDelegate {
public:
    FaceItemDelegate(std::function<bool(int row)> isTrueType, int itemHeight, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int kTextIndent = 22;

private:
    std::function<bool(int row)> isTrueType_;
    int itemHeight_;
};

}  // namespace tovik::label
