#pragma once
// Basic vocabulary of the platform layer: window handles and window messages.
//
// The programs are built around window messages: every control, timer and driver answer reaches
// its handler as (message, wParam, lParam) delivered to a window handle. A handle is a plain
// integer; 0 is never a valid window.

#include <cstdint>

namespace tovik {

using Handle = std::uint32_t;
using Msg = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

constexpr Handle kNoWindow = 0;

// Message numbers the platform itself generates.
constexpr Msg WM_TIMER = 0x0113;  // wParam: timer id
// A control's notification to its parent: wParam = the control's id (notification code 0, a
// click, in the upper half), lParam = the control's window.
constexpr Msg WM_COMMAND = 0x0111;

// Answers of message boxes and modal dialogs.
enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

}  // namespace tovik
