#pragma once
// How a program hears that it must end from outside: SIGTERM (a logout, `kill`, a service
// manager), SIGINT (Ctrl+C in a terminal), SIGHUP (the terminal went away), or the session
// manager ending the desktop session. Each becomes one call of the program's own request to end,
// on the user-interface thread, so the program shuts down the way its Close command does.
//
// The signal handler only writes a byte to a pipe (the self-pipe idea); the event loop reads it.
// A second signal while the first is being handled ends the process at once, so a shutdown that
// hangs can still be ended from outside.

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace tovik::qt {

class ShutdownRequests : public QObject {
public:
    // One object per process, made after the application object.
    explicit ShutdownRequests(std::function<void()> requestEnd);
    ~ShutdownRequests() override;
    ShutdownRequests(const ShutdownRequests&) = delete;
    ShutdownRequests& operator=(const ShutdownRequests&) = delete;

    // The signal that asked, 0 for none (or the session manager).
    int signalNumber() const;

private:
    void deliver();
    std::function<void()> requestEnd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool delivered_ = false;
};

}  // namespace tovik::qt
