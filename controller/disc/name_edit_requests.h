#pragma once
// How a name change reaches the panel: the display posts one of these on a double click on its
// name boxes, and the write that follows is given up by the panel's timer 11.

#include "platform/types.h"

namespace tovik::disc {

constexpr Msg WM_EDIT_DISC_NAME = 0xD00;
constexpr Msg WM_EDIT_TRACK_NAME = 0xD01;

constexpr unsigned TIMER_NAME_WRITE_TIMEOUT = 11;  // on the panel's window
constexpr unsigned kNameWriteTimeoutMs = 50000;

}  // namespace tovik::disc
