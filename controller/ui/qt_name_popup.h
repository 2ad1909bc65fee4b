#pragma once
// The pop-up that shows a whole disc or track name over its name box: a frameless window with a
// read-only edit, in lines of 25 characters and at most five lines before a scroll bar. It does
// not take the focus from the panel, and goes away on the first key or mouse button, or when the
// program loses the active window.

#include <QWidget>

#include <string>

#include "platform/canvas.h"

class QPlainTextEdit;

namespace tovik::ui {

class NamePopup : public QWidget {
public:
    // topLeft in global (screen) coordinates; font is the name boxes' font.
    NamePopup(const std::string& utf8Name, const FontSpec& font, QPoint topLeft, QWidget* owner);
    ~NamePopup() override;

    QPlainTextEdit* edit() const { return edit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* edit_;
};

}  // namespace tovik::ui
