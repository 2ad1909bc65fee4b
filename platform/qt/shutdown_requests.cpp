#include "platform/qt/shutdown_requests.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>

#include <csignal>

namespace tovik::qt {

namespace {

int pipeFds[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Only async-signal-safe calls here.
void onSignal(int signal) {
    if (received != 0) _exit(128 + signal);
    received = signal;
    const char byte = 1;
    (void)!::write(pipeFds[1], &byte, 1);
}

}  // namespace

ShutdownRequests::ShutdownRequests(std::function<void()> requestEnd)
    : requestEnd_(std::move(requestEnd)) {
    if (pipeFds[0] < 0 && ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(pipeFds[0], buffer, sizeof buffer) > 0) {
        }
        deliver();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);

    // The session manager ending the session asks the same way as a signal.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this] { deliver(); });
    }
    if (auto* app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { deliver(); });
    }
}

ShutdownRequests::~ShutdownRequests() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

int ShutdownRequests::signalNumber() const { return received; }

void ShutdownRequests::deliver() {
    if (delivered_) return;
    delivered_ = true;
    if (requestEnd_) requestEnd_();
}

}  // namespace tovik::qt
