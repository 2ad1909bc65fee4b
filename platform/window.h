#pragma once
// Windows and the message transport between them.

#include "platform/types.h"

namespace tovik {

// Anything that owns a window handle receives its messages here. Timers arrive as WM_TIMER with
// the timer id in wParam.
class MessageTarget {
public:
    virtual LResult onMessage(Msg msg, WParam wParam, LParam lParam) = 0;

protected:
    ~MessageTarget() = default;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Gives the target a fresh handle. The target must outlive the window (destroyWindow first).
    virtual Handle createWindow(MessageTarget& target) = 0;
    // Kills the window's timers and drops the messages still queued for it.
    virtual void destroyWindow(Handle window) = 0;
    virtual bool isWindow(Handle window) const = 0;

    // Queued delivery, first in, first out, on the user-interface thread. A handle that does not
    // exist (now or at delivery time) swallows the message. Returns false when nothing was queued.
    virtual bool post(Handle window, Msg msg, WParam wParam, LParam lParam) = 0;
    // Synchronous delivery: the target's handler runs before send returns. 0 for a dead handle.
    virtual LResult send(Handle window, Msg msg, WParam wParam, LParam lParam) = 0;
};

}  // namespace tovik
