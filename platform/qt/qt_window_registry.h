#pragma once
// The cross-process window list, kept as one small file per registered window in a private
// runtime folder (TOVIK_RUNTIME_DIR, else $XDG_RUNTIME_DIR/tovik, else /tmp/tovik-<uid>).
//
// The owner holds an exclusive lock on its file for as long as it lives; the system drops the
// lock when the process ends, crash included, so a finder that can take the lock knows the entry
// is stale and removes it. Each entry names a local socket on which the owner hears "front".

#include <QLocalServer>

#include <map>
#include <memory>
#include <string>

#include "platform/shell.h"

namespace tovik::qt {

std::string runtimeDirectory();

class QtWindowRegistry : public WindowRegistry {
public:
    QtWindowRegistry() = default;
    ~QtWindowRegistry() override;

    RegistrationId registerWindow(const std::string& windowClass, const std::string& title,
                                  std::function<void()> onBringToFront) override;
    void setTitle(RegistrationId id, const std::string& title) override;
    void unregisterWindow(RegistrationId id) override;
    std::optional<RemoteWindow> findWindow(const std::optional<std::string>& windowClass,
                                           const std::optional<std::string>& title) override;
    // Outside programs' windows (the volume control) are found and raised on the X11 display.
    bool bringToFront(const RemoteWindow& window) override;
    // Our programs' windows come back to their normal size when asked to the front.
    bool restore(const RemoteWindow& window) override { return bringToFront(window); }

private:
    struct Entry {
        std::string windowClass;
        std::string title;
        std::string file;
        std::string socket;
        int lockFd = -1;
        std::unique_ptr<QLocalServer> server;
        std::function<void()> onFront;
    };
    bool writeEntry(Entry& entry);
    void removeEntry(Entry& entry);

    std::map<RegistrationId, Entry> entries_;
    RegistrationId nextId_ = 1;
};

}  // namespace tovik::qt
