#pragma once
// The name edit field on screen: a QLineEdit whose typing goes through CMdTextEdit. On a
// Japanese system only what a disc can hold gets in, and what the input method composes (kana,
// hiragana, full-width letters) arrives in the half-width form the disc's names read back as;
// anything else beeps. Elsewhere it is an ordinary line edit.
//
// Characters reach the filter as the ANSI code page's character messages (WM_CHAR,
// WM_IME_CHAR); control keys, shortcuts and pasting keep the line edit's own handling (a name
// pasted in is checked by the dialog's OK).

#include <QLineEdit>

#include "controller/disc/md_text_edit.h"
#include "platform/codepage.h"

namespace tovik::ui {

class MdTextLineEdit : public QLineEdit, private disc::MdTextEditControl {
public:
    MdTextLineEdit(const CodePage& codePage, Language language, QWidget* parent = nullptr);

    bool filtering() const { return filter_.filtering(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Each character of the text as a character message (msg), or a beep when the code page has
    // no form for it.
    void sendCharacters(const QString& text, Msg msg);
    void defaultProcessing(Msg msg, WParam wParam, LParam lParam) override;
    void beep() override;

    CodePage codePage_;
    disc::CMdTextEdit filter_;
};

}  // namespace tovik::ui
