#pragma once
// Traymote's fixed numbers and names: its window, timers, messages, icon images, menu and texts.

#include <array>

#include "platform/types.h"

namespace tovik::launcher {

// Its one window: hidden, and known to other processes by this class (single instance).
constexpr const char* kWindowClass = "TRAYMOTEWClass";
constexpr const char* kWindowTitle = "TRAYMOTE";

// The controller, started by the name the system knows it by.
constexpr const char* kControllerProgram = "ROTELA.EXE";
// The controller's window title: this string of the controller's own table, in the active
// language (its window is found by that title alone).
constexpr unsigned IDS_CONTROLLER_TITLE = 57706;

// Timers on the window.
constexpr unsigned TIMER_CARD_POLL = 400;
constexpr unsigned TIMER_REPLY = 401;
constexpr unsigned kCardPollMs = 1000;
constexpr unsigned kReplyTimeoutMs = 1500;

// Window messages.
constexpr Msg WM_CLOSE = 0x0010;
constexpr Msg WM_COMMAND = 0x0111;  // wParam: command id
constexpr Msg WM_TRAY_NOTIFY = 0x0401;  // from the icon: wParam icon id, lParam mouse message
constexpr Msg WM_LBUTTONDBLCLK = 0x0203;
constexpr Msg WM_RBUTTONDOWN = 0x0204;

// The notification icon and its two images; image 300 is also the About box's icon.
constexpr unsigned kTrayIconId = 300;
constexpr unsigned IDI_CARD_READY = 300;
constexpr unsigned IDI_CARD_NOT_READY = 301;
constexpr const char* kTrayTip = "MD Control";

// Menu commands and their texts (at most kMenuTextMax characters each).
constexpr unsigned ID_ABOUT = 101;
constexpr unsigned ID_CLOSE = 102;
constexpr unsigned IDS_MENU_ABOUT = 500;  // "&About..."
constexpr unsigned IDS_MENU_CLOSE = 501;  // "&Close"
constexpr std::size_t kMenuTextMax = 32;

// The tray menu, top to bottom; command 0 is a separator.
struct MenuEntry {
    unsigned command;
    unsigned textId;
};
constexpr std::array<MenuEntry, 3> kTrayMenu{{
    {ID_ABOUT, IDS_MENU_ABOUT},
    {0, 0},
    {ID_CLOSE, IDS_MENU_CLOSE},
}};

// The About box (dialog 200): its title, the program's name and its version line.
constexpr unsigned IDS_ABOUT_TITLE = 2000;    // "About"
constexpr unsigned IDS_ABOUT_PROGRAM = 2001;  // "Traymote"
constexpr unsigned IDS_ABOUT_VERSION = 2002;  // "Version 1.00"

}  // namespace tovik::launcher
