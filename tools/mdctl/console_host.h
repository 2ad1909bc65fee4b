#pragma once
// The Qt host for console tools: message boxes become lines on standard error, answered the
// cautious way (Cancel, No), and the tool runs on a QCoreApplication without any window.

#include <functional>

#include "platform/qt/qt_host.h"

namespace tovik::mdctl {

class ConsoleHost : public qt::QtHost {
public:
    using qt::QtHost::QtHost;
    int messageBox(const std::string& text, Buttons buttons, Icon icon) override;
};

// Runs Qt's events until done() holds or timeoutMs pass; true when done.
bool waitForEvents(const std::function<bool()>& done, unsigned timeoutMs);

}  // namespace tovik::mdctl
