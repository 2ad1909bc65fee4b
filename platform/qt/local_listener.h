#pragma once
// The listening end of local stream connections (see local_stream.h), on QtCore alone. The
// socket admits only its user (mode 0600 from the moment it exists); each connection the event
// loop brings in is handed over as a LocalStream.

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/local_stream.h"

namespace tovik::qt {

class LocalListener {
  public:
    // onConnection must not destroy the listener.
    explicit LocalListener(std::function<void(std::unique_ptr<LocalStream>)> onConnection)
        : onConnection_(std::move(onConnection)) {}
    ~LocalListener() { close(); }
    LocalListener(const LocalListener&) = delete;
    LocalListener& operator=(const LocalListener&) = delete;

    // False when something already has the name (remove a stale one first), the name cannot be a
    // socket's, or the folder refuses.
    bool listen(const std::string& name);
    bool isListening() const { return fd_ >= 0; }
    // Stops listening and removes the socket's name.
    void close();

    // Removes the socket file `name` names: one left by a process that is gone.
    static void removeStale(const std::string& name);

  private:
    void acceptPending();

    std::function<void(std::unique_ptr<LocalStream>)> onConnection_;
    std::string path_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tovik::qt
