#include "controller/ui/latch_button.h"

namespace tovik::ui {

LatchButton::LatchButton(WindowSystem& windows, int controlId, std::string caption)
    : SkinButton(windows, controlId, std::move(caption)) {}

void LatchButton::capture(bool on) {
    if (onCapture) onCapture(on);
}

void LatchButton::mouseDown() { toggle(true); }

void LatchButton::click() { toggle(false); }

void LatchButton::toggle(bool takeMouse) {
    latched_ = !latched_;
    changed();
    if (!latched_ || takeMouse) capture(latched_);
    sendToParent(latched_ ? WM_BUTTON_LATCHED : WM_BUTTON_UNLATCHED);
}

void LatchButton::leaveCheck(bool overButton) {
    if (latched_ && !overButton) unlatch();
}

void LatchButton::unlatch() {
    latched_ = false;
    changed();
    capture(false);
    sendToParent(WM_BUTTON_UNLATCHED);
}

void LatchButton::cancel() {
    if (latched_) unlatch();
}

}  // namespace tovik::ui
