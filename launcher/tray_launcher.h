#pragma once
// Traymote's behaviour: a hidden window that watches the card once a second, shows in the
// notification area whether the card is ready, and starts the controller when the MD unit turns
// ready (once per rising edge, and never while the controller's window exists). A double click
// on the icon starts the controller too; its right-button menu offers About and Close.
//
// No failure is ever shown: a missing driver, a failed attach or a refused timer close the
// window, which ends the program.

#include <string>
#include <vector>

#include "cardsim/card_device.h"
#include "launcher/card_watch.h"
#include "launcher/launcher_ids.h"
#include "launcher/tray_desktop.h"
#include "platform/host.h"

namespace tovik::launcher {

class TrayLauncher : private MessageTarget {
public:
    TrayLauncher(Host& host, TrayDesktop& desktop, card::CardDriver& driver);
    ~TrayLauncher();
    TrayLauncher(const TrayLauncher&) = delete;
    TrayLauncher& operator=(const TrayLauncher&) = delete;

    // The program: 0 at once when another launcher runs; otherwise runs until the window is
    // closed and returns the exit code (0).
    int run();
    // run() without its loop: false when another launcher runs. Then the window exists (or a
    // WM_CLOSE for it is on its way, when the driver or a timer failed).
    bool start();
    // Ends the program the way the menu's Close does (a request from outside: a signal, the
    // session's end).
    void requestClose();

    Handle window() const { return window_; }
    bool cardReady() const { return cardReady_; }
    bool iconShown() const { return iconShown_; }
    bool unitReadySeen() const { return unitReadySeen_; }
    bool requestPending() const { return requestPending_; }
    bool aboutOpen() const { return aboutOpen_; }
    // The title the controller's window has in the active language.
    const std::string& controllerTitle() const { return controllerTitle_; }

private:
    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;
    void onCreate();
    void onPollTick();
    void onReplyTimeout();
    void onStatusReply(WParam result);
    void onTrayNotify(WParam iconId, LParam mouseMessage);
    void onCommand(unsigned command);
    void showMenu();
    void showAbout();
    // WM_CLOSE: the window's end, in the driver's order, then the loop's.
    void destroy();

    void showImage(unsigned imageId);
    bool controllerRunning();
    void launchController();

    Host& host_;
    TrayDesktop& desktop_;
    CardWatch card_;
    std::string controllerTitle_;
    Handle window_ = kNoWindow;
    WindowRegistry::RegistrationId registration_ = 0;
    std::vector<MenuItem> menu_;  // texts loaded when the window is made

    bool cardReady_ = false;
    bool iconShown_ = false;
    bool unitReadySeen_ = false;
    bool requestPending_ = false;
    bool aboutOpen_ = false;
};

}  // namespace tovik::launcher
