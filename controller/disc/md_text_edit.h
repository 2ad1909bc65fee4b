#pragma once
// The filter of the name edit fields (CMdTextEdit): on a Japanese system it lets in only what a
// disc name can hold, and turns what the input method types (full-width kana, hiragana,
// full-width letters) into the half-width form the field shows. Elsewhere it lets everything
// through.
//
// The filter sees the field's character messages in the ANSI code page (CP932): WM_CHAR with a
// one-byte character, or a two-byte one packed as lead byte << 8 | trail byte, and WM_IME_CHAR
// for what the input method composed. The widget that hosts the field forwards those messages
// here and does what the filter asks of it through MdTextEditControl.

#include "platform/strings.h"
#include "platform/types.h"

namespace tovik::disc {

constexpr Msg WM_CHAR = 0x0102;
constexpr Msg WM_IME_CHAR = 0x0286;

class MdTextEditControl {
  public:
    virtual ~MdTextEditControl() = default;
    // The edit control's own handling of a message; for WM_CHAR it inserts the character.
    virtual void defaultProcessing(Msg msg, WParam wParam, LParam lParam) = 0;
    // The stop beep (MessageBeep with MB_ICONSTOP) for a refused character.
    virtual void beep() = 0;
};

class CMdTextEdit {
  public:
    // The language decides once, here, whether the field filters at all.
    explicit CMdTextEdit(MdTextEditControl& control, Language language = systemLanguage());

    // Every message of the field passes through here.
    void onMessage(Msg msg, WParam wParam, LParam lParam);

    bool filtering() const { return japanese_; }

  private:
    void onChar(WParam wParam, LParam lParam);
    void onImeChar(WParam wParam, LParam lParam);

    MdTextEditControl& control_;
    bool japanese_;
};

}  // namespace tovik::disc
