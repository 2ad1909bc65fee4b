#include "controller/ui/controller_app.h"

#include "controller/link/unit_messages.h"

namespace tovik::ui {

ControllerApp::ControllerApp(Host& host) : host_(host) {}

ControllerApp::~ControllerApp() {
    if (registration_) host_.windowRegistry().unregisterWindow(registration_);
}

std::string ControllerApp::title() const {
    return host_.strings().text(link::IDS_CONTROLLER_TITLE);
}

bool ControllerApp::bringRunningPanelToFront() {
    auto running = host_.windowRegistry().findWindow(std::string(kPanelWindowClass), title());
    if (!running) return false;
    host_.windowRegistry().bringToFront(*running);
    return true;
}

void ControllerApp::registerPanel(std::function<void()> onBringToFront) {
    if (registration_) return;
    registration_ =
        host_.windowRegistry().registerWindow(kPanelWindowClass, title(), std::move(onBringToFront));
}

}  // namespace tovik::ui
