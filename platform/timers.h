#pragma once
// Timers per (window, id) and the clock they run on.
//
// The rules every program relies on:
// - a timer is periodic: it fires every period until it is killed;
// - setting an id that is already running restarts it with the new period;
// - after killTimer (or destroyWindow) the timer never fires, not even a tick already due;
// - timers that fall due at the same moment fire in the order they were set.

#include <cstdint>

#include "platform/types.h"

namespace tovik {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic clock; only differences mean anything.
    virtual std::uint64_t nowMs() const = 0;
};

class Timers {
public:
    virtual ~Timers() = default;
    // False when the system refuses a timer (the programs answer with "Timer resource is full.").
    virtual bool setTimer(Handle window, unsigned id, unsigned periodMs) = 0;
    virtual void killTimer(Handle window, unsigned id) = 0;
};

}  // namespace tovik
