#include "controller/disc/wait_box.h"

#include "controller/disc/editing_texts.h"

namespace tovik::disc {

WaitBox::WaitBox(Host& host, WaitBoxView& view)
    : host_(host), view_(view), window_(host.createWindow(*this)) {}

WaitBox::~WaitBox() { host_.destroyWindow(window_); }

void WaitBox::run() {
    if (shown_) return;
    shown_ = true;
    view_.show(host_.strings().text(IDS_WAIT_CAPTION), host_.strings().text(IDS_WAIT_TEXT));
    host_.runModal(window_);
    view_.hide();
    shown_ = false;
}

void WaitBox::close() {
    if (!shown_) return;
    shown_ = false;
    view_.hide();  // at once: a message box may follow before the loop unwinds
    host_.endModal(window_, 0);
}

}  // namespace tovik::disc
