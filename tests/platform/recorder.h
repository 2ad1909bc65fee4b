#pragma once
// A window that records every message it receives, for the port tests.

#include <functional>
#include <vector>

#include "platform/window.h"

namespace tovik::test {

struct Received {
    Msg msg;
    WParam wParam;
    LParam lParam;
    bool operator==(const Received&) const = default;
};

class Recorder : public MessageTarget {
public:
    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override {
        got.push_back({msg, wParam, lParam});
        if (onReceive) onReceive(got.back());
        return static_cast<LResult>(msg) + 1;
    }
    std::vector<unsigned> timerIds() const {
        std::vector<unsigned> ids;
        for (const Received& r : got)
            if (r.msg == WM_TIMER) ids.push_back(static_cast<unsigned>(r.wParam));
        return ids;
    }
    std::vector<Received> got;
    std::function<void(const Received&)> onReceive;
};

}  // namespace tovik::test
