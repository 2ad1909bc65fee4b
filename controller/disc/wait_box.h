#pragma once
// The wait box (template 181, "Change Text": "Changing MD text now."): no buttons, shown
// modally while the unit writes a name or edits the table of contents. The handler that sees
// the operation end, or time out, closes it. Closing it when it is not shown does nothing.

#include <string>

#include "platform/host.h"

namespace tovik::disc {

class WaitBoxView {
public:
    virtual ~WaitBoxView() = default;
    virtual void show(const std::string& caption, const std::string& text) = 0;
    virtual void hide() = 0;
};

class WaitBox : private MessageTarget {
public:
    WaitBox(Host& host, WaitBoxView& view);
    ~WaitBox();
    WaitBox(const WaitBox&) = delete;
    WaitBox& operator=(const WaitBox&) = delete;

    // Shows the box until close(); the card's answers and the timers keep flowing meanwhile.
    void run();
    void close();
    bool shown() const { return shown_; }
    Handle window() const { return window_; }

private:
    LResult onMessage(Msg, WParam, LParam) override { return 0; }

    Host& host_;
    WaitBoxView& view_;
    Handle window_;
    bool shown_ = false;
};

}  // namespace tovik::disc
