#include "controller/ui/repeat_button.h"

namespace tovik::ui {

RepeatButton::RepeatButton(WindowSystem& windows, Timers& timers, int controlId, std::string caption)
    : SkinButton(windows, controlId, std::move(caption)), timers_(timers) {}

RepeatButton::~RepeatButton() { stopTimer(); }

void RepeatButton::setAlternateImages(bool on) {
    if (on == alternate_) return;
    alternate_ = on;
    changed();
}

void RepeatButton::setPushed(bool pushed) {
    if (pushed == pushed_) return;
    pushed_ = pushed;
    changed();
}

void RepeatButton::startFirstDelay() {
    timer_ = TIMER_FIRST;
    timers_.setTimer(window(), TIMER_FIRST, kFirstDelayMs);
}

void RepeatButton::stopTimer() {
    if (timer_ != TIMER_NONE) timers_.killTimer(window(), timer_);
    timer_ = TIMER_NONE;
}

void RepeatButton::mouseDown() {
    if (autoRepeat_) startFirstDelay();
    mouseHeld_ = true;
    setPushed(true);
}

void RepeatButton::mouseMove(bool overButton) {
    if (mouseHeld_) setPushed(overButton);
}

void RepeatButton::mouseUp(bool overButton) {
    if (autoRepeat_) {
        stopTimer();
        if (releaseNotify_) sendToParent(WM_BUTTON_RELEASED);
    }
    const bool clicked = mouseHeld_ && overButton;
    mouseHeld_ = false;
    setPushed(spaceHeld_);
    if (clicked) sendToParent(WM_COMMAND);
}

void RepeatButton::spaceDown(bool autoRepeated) {
    if (autoRepeat_ && !autoRepeated) startFirstDelay();
    spaceHeld_ = true;
    setPushed(true);
}

void RepeatButton::spaceUp() {
    if (autoRepeat_) stopTimer();
    const bool clicked = spaceHeld_ && pushed_;
    spaceHeld_ = false;
    setPushed(mouseHeld_);
    if (clicked) sendToParent(WM_COMMAND);
}

void RepeatButton::click() { sendToParent(WM_COMMAND); }

void RepeatButton::cancel() {
    // At rest no timer runs: the space bar and the mouse together may have both running.
    timers_.killTimer(window(), TIMER_FIRST);
    timers_.killTimer(window(), TIMER_REPEAT);
    timer_ = TIMER_NONE;
    mouseHeld_ = false;
    spaceHeld_ = false;
    setPushed(false);
}

LResult RepeatButton::onMessage(Msg msg, WParam, LParam) {
    if (msg != WM_TIMER) return 0;
    // The first tick ends the initial delay; from then on the period.
    timers_.killTimer(window(), TIMER_FIRST);
    if (pushed_) sendToParent(WM_COMMAND);
    timers_.setTimer(window(), TIMER_REPEAT, periodMs_);
    timer_ = TIMER_REPEAT;
    return 0;
}

}  // namespace tovik::ui
