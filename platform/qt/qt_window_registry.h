#pragma once
// The cross-process window list, kept as one small file per registered window in a private
// runtime folder (TOVIK_RUNTIME_DIR, else $XDG_RUNTIME_DIR/tovik, else /tmp/tovik-<uid>).
//
// The owner holds an exclusive lock on its file for as long as it lives; the system drops the
// lock when the process ends, crash included, so a finder that can take the lock knows the entry
// is stale and removes it. Each entry names a local socket on which the owner hears "front".
//
// Look-ups are frequent (Rotela checks for the label editor at every poll, Traymote for the
// controller every second), so the registry keeps a view of the folder in memory, kept current
// by the folder's change notifications as the event loop delivers them. A look-up that finds
// nothing touches no file; a found entry's owner is checked (its lock) before it is returned.

#include <QSocketNotifier>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/local_listener.h"
#include "platform/shell.h"

namespace tovik::qt {

std::string runtimeDirectory();

class QtWindowRegistry : public WindowRegistry {
public:
    QtWindowRegistry();
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
        std::unique_ptr<LocalListener> server;
        std::vector<std::unique_ptr<LocalStream>> peers;  // connected, may still ask for "front"
        std::function<void()> onFront;
    };
    // An entry of the folder as the view holds it; processId and id filled in.
    struct Known {
        RemoteWindow window;
        bool own = false;  // registered by this object: its owner needs no check
    };

    bool writeEntry(Entry& entry);
    void removeEntry(Entry& entry);
    void openView();
    void rescan();
    void readFolderEvents();
    void load(const std::string& fileName);
    bool ownerAlive(const std::string& fileName);
    void admitPeer(RegistrationId id, std::unique_ptr<LocalStream> peer);

    std::string dir_;
    std::map<RegistrationId, Entry> entries_;
    RegistrationId nextId_ = 1;
    std::map<std::string, Known> view_;  // by file name, in name order
    int inotifyFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tovik::qt
