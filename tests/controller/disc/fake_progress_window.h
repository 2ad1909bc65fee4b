#pragma once
// The read cycle's progress dialog for tests: records what the dialog shows, lets the test press
// Cancel, and pumps the fake host's waiting messages the way the real dialog's step does.

#include <functional>
#include <string>
#include <vector>

#include "controller/disc/progress_dialog.h"
#include "platform/fake/fake_host.h"

namespace tovik::test {

class FakeProgressWindow : public disc::ProgressWindow {
public:
    explicit FakeProgressWindow(fake::FakeHost* host = nullptr) : host_(host) {}

    void open(const std::string& t, const std::string& text, std::function<void()> onCancel) override {
        shown = true;
        ++opens;
        title = t;
        texts.push_back(text);
        cancel_ = std::move(onCancel);
    }
    void setPosition(int position) override { positions.push_back(position); }
    void setText(const std::string& text) override { texts.push_back(text); }
    void pumpMessages() override {
        ++pumps;
        if (duringPump) duringPump();
        if (host_) host_->runUntilIdle();
    }
    void close() override {
        shown = false;
        ++closes;
    }
    void pressCancel() {
        if (shown && cancel_) cancel_();
    }

    bool shown = false;
    int opens = 0, closes = 0, pumps = 0;
    std::string title;
    std::vector<int> positions;
    std::vector<std::string> texts;
    std::function<void()> duringPump;

private:
    fake::FakeHost* host_;
    std::function<void()> cancel_;
};

}  // namespace tovik::test
