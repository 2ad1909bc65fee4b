#pragma once
// Messages the skinned buttons send their parent window (wParam = the button's id, lParam =
// its window). Clicks and repeats arrive as WM_COMMAND (platform/types.h).

#include "platform/types.h"

namespace tovik::ui {

constexpr Msg WM_BUTTON_LATCHED = 0x700;    // a LatchButton (FF, REV) latched
constexpr Msg WM_BUTTON_UNLATCHED = 0x701;  // a LatchButton unlatched
constexpr Msg WM_BUTTON_RELEASED = 0x710;   // a RepeatButton released after a press

}  // namespace tovik::ui
