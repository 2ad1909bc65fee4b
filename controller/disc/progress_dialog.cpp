#include "controller/disc/progress_dialog.h"

#include <algorithm>

#include "platform/strings.h"

namespace tovik::disc {

void ProgressDialog::open(const std::string& title, const std::string& startText, int steps) {
    steps_ = std::max(steps, 1);
    done_ = 0;
    position_ = kLower;
    cancel_ = false;
    text_ = startText;
    if (!open_) {
        open_ = true;
        window_.open(title, text_, [this] { pressCancel(); });
    }
    window_.setPosition(position_);
    window_.setText(text_);
}

void ProgressDialog::setSteps(int steps) {
    steps_ = std::max(steps, 1);
    done_ = std::min(done_, steps_);
}

void ProgressDialog::step() {
    if (!open_) return;
    // The position follows the steps done, so that a disc of a hundred tracks and more still
    // moves the bar, and the last step lands on 100.
    done_ = std::min(done_ + 1, steps_);
    position_ = kLower + done_ * (kUpper - kLower) / steps_;
    window_.setPosition(position_);
    window_.pumpMessages();
    if (!open_) return;  // closed while its messages were handled
    std::string text = percentText(position_);
    if (text != text_) {
        text_ = std::move(text);
        window_.setText(text_);
    }
}

void ProgressDialog::close() {
    if (!open_) return;
    open_ = false;
    window_.close();
}

bool ProgressDialog::takeCancel() {
    const bool pressed = cancel_;
    cancel_ = false;
    return pressed;
}

std::string ProgressDialog::percentText(int position, int lower, int upper) {
    if (upper <= lower) return formatText("%d%c", 0, '%');
    int percent = (position - lower) * 100 / (upper - lower);
    if (percent != 100) percent %= 100;
    return formatText("%d%c", percent, '%');
}

}  // namespace tovik::disc
