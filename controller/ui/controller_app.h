#pragma once
// Rotela as a program: one instance only. The panel's window is known to other processes as a
// system dialog ("#32770") titled "TOVIK MD Controller" (string 57706); a second start finds it,
// brings it to the front and ends. The launcher looks for the same window.

#include <functional>
#include <string>

#include "platform/host.h"

namespace tovik::ui {

constexpr const char* kPanelWindowClass = "#32770";

class ControllerApp {
public:
    explicit ControllerApp(Host& host);
    ~ControllerApp();

    std::string title() const;
    // True when a panel already runs; it has then been asked to come to the front.
    bool bringRunningPanelToFront();
    // Makes this process's panel findable until the app object goes.
    void registerPanel(std::function<void()> onBringToFront);

private:
    Host& host_;
    WindowRegistry::RegistrationId registration_ = 0;
};

}  // namespace tovik::ui
