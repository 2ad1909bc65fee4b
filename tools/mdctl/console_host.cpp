#include "tools/mdctl/console_host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <iostream>

namespace tovik::mdctl {

int ConsoleHost::messageBox(const std::string& text, Buttons buttons, Icon) {
    std::cerr << text << std::endl;
    switch (buttons) {
        case Buttons::Ok: return IDOK;
        case Buttons::OkCancel:
        case Buttons::RetryCancel: return IDCANCEL;
        case Buttons::YesNo: return IDNO;
    }
    return IDCANCEL;
}

bool waitForEvents(const std::function<bool()>& done, unsigned timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer wake;  // a tick so that a deadline with no events is still noticed
    wake.start(10);
    while (!done()) {
        if (elapsed.elapsed() >= static_cast<qint64>(timeoutMs)) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace tovik::mdctl
