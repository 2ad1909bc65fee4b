#include "platform/qt/qt_window_registry.h"

#include "platform/qt/x11_outside_windows.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tovik::qt {

namespace {

constexpr std::string_view kSuffix = ".window";

bool isEntryName(std::string_view name) {
    return name.size() > kSuffix.size() && name.ends_with(kSuffix);
}

std::string socketOf(const std::string& entryPath) {
    return entryPath.substr(0, entryPath.size() - kSuffix.size()) + ".sock";
}

// Reads "class\ntitle\nsocket\n"; false when the file is not a complete entry.
bool parseEntry(const std::string& path, RemoteWindow& out, std::string& socket) {
    std::ifstream in(path);
    std::string windowClass, title;
    if (!std::getline(in, windowClass) || !std::getline(in, title) || !std::getline(in, socket)) return false;
    out.windowClass = windowClass;
    out.title = title;
    return true;
}

}  // namespace

std::string runtimeDirectory() {
    std::string dir;
    if (const char* forced = std::getenv("TOVIK_RUNTIME_DIR"); forced && *forced) {
        dir = forced;
    } else if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg) {
        dir = std::string(xdg) + "/tovik";
    } else {
        dir = "/tmp/tovik-" + std::to_string(getuid());
    }
    ::mkdir(dir.c_str(), 0700);
    return dir;
}

QtWindowRegistry::QtWindowRegistry() : dir_(runtimeDirectory()) { openView(); }

QtWindowRegistry::~QtWindowRegistry() {
    for (auto& [id, entry] : entries_) removeEntry(entry);
    notifier_.reset();
    if (inotifyFd_ >= 0) ::close(inotifyFd_);
}

void QtWindowRegistry::openView() {
    // Notifications need an event loop to arrive by; without one every look-up reads the folder.
    if (inotifyFd_ < 0 && QCoreApplication::instance()) {
        inotifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        constexpr std::uint32_t events =
            IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF;
        if (inotifyFd_ >= 0 && ::inotify_add_watch(inotifyFd_, dir_.c_str(), events) >= 0) {
            notifier_ = std::make_unique<QSocketNotifier>(inotifyFd_, QSocketNotifier::Read);
            QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                             [this] { readFolderEvents(); });
        } else if (inotifyFd_ >= 0) {
            ::close(inotifyFd_);
            inotifyFd_ = -1;
        }
    }
    rescan();
}

void QtWindowRegistry::rescan() {
    view_.clear();
    DIR* dir = ::opendir(dir_.c_str());
    if (!dir) return;
    while (const dirent* e = ::readdir(dir)) {
        if (isEntryName(e->d_name)) load(e->d_name);
    }
    ::closedir(dir);
}

void QtWindowRegistry::readFolderEvents() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            if (e->mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                // Events were lost or the folder itself went: start over from the folder. The
                // notifier is inside its own signal here, so it goes later.
                notifier_->setEnabled(false);
                notifier_.release()->deleteLater();
                ::close(inotifyFd_);
                inotifyFd_ = -1;
                dir_ = runtimeDirectory();
                openView();
                return;
            }
            if (e->len == 0 || !isEntryName(e->name)) continue;
            if (e->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) {
                load(e->name);
            } else if (e->mask & (IN_DELETE | IN_MOVED_FROM)) {
                view_.erase(e->name);
            }
        }
    }
}

void QtWindowRegistry::load(const std::string& fileName) {
    const std::string path = dir_ + "/" + fileName;
    Known known;
    std::string socket;
    if (!parseEntry(path, known.window, socket)) {
        view_.erase(fileName);  // not complete yet: its writer's close or rename brings it back
        return;
    }
    known.window.processId = std::atoll(fileName.c_str());
    known.window.id = socket;
    for (const auto& [id, entry] : entries_) known.own = known.own || entry.file == path;
    view_[fileName] = std::move(known);
}

bool QtWindowRegistry::ownerAlive(const std::string& fileName) {
    const std::string path = dir_ + "/" + fileName;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool stale = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    if (stale) {
        // Nobody holds it: the process that registered it is gone.
        ::unlink(path.c_str());
        ::unlink(socketOf(path).c_str());
    }
    return !stale;
}

bool QtWindowRegistry::writeEntry(Entry& entry) {
    // Write and lock a new file, then rename it into place, so a finder never sees an unlocked
    // or half-written entry.
    const std::string temp = entry.file + ".new";
    int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    const std::string text = entry.windowClass + "\n" + entry.title + "\n" + entry.socket + "\n";
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
              ::rename(temp.c_str(), entry.file.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        ::close(fd);
        return false;
    }
    if (entry.lockFd >= 0) ::close(entry.lockFd);
    entry.lockFd = fd;
    return true;
}

void QtWindowRegistry::removeEntry(Entry& entry) {
    ::unlink(entry.file.c_str());
    if (entry.lockFd >= 0) ::close(entry.lockFd);
    entry.lockFd = -1;
    if (entry.server) entry.server->close();
    entry.peers.clear();
}

void QtWindowRegistry::admitPeer(RegistrationId id, std::unique_ptr<LocalStream> peer) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    auto& peers = it->second.peers;
    std::erase_if(peers, [](const auto& done) { return !done->isOpen(); });
    LocalStream* stream = peer.get();
    stream->watch([this, id, stream] {
        constexpr std::string_view kFront = "front";
        const auto request = stream->readAvailable();
        if (request.size() < kFront.size() || !std::equal(kFront.begin(), kFront.end(), request.begin())) return;
        stream->close();
        auto entry = entries_.find(id);
        if (entry != entries_.end() && entry->second.onFront) entry->second.onFront();
    });
    peers.push_back(std::move(peer));
}

WindowRegistry::RegistrationId QtWindowRegistry::registerWindow(const std::string& windowClass,
                                                                const std::string& title,
                                                                std::function<void()> onBringToFront) {
    const RegistrationId id = nextId_++;
    const std::string name = std::to_string(::getpid()) + "-" + std::to_string(id);
    const std::string base = dir_ + "/" + name;
    Entry& entry = entries_[id];
    entry.windowClass = windowClass;
    entry.title = title;
    entry.file = base + std::string(kSuffix);
    entry.socket = base + ".sock";
    entry.onFront = std::move(onBringToFront);
    entry.server = std::make_unique<LocalListener>(
        [this, id](std::unique_ptr<LocalStream> peer) { admitPeer(id, std::move(peer)); });
    LocalListener::removeStale(entry.socket);  // our own pid: a stale leftover
    entry.server->listen(entry.socket);
    if (writeEntry(entry)) load(name + std::string(kSuffix));
    return id;
}

void QtWindowRegistry::setTitle(RegistrationId id, const std::string& title) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    it->second.title = title;
    if (writeEntry(it->second)) load(it->second.file.substr(dir_.size() + 1));
}

void QtWindowRegistry::unregisterWindow(RegistrationId id) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    view_.erase(it->second.file.substr(dir_.size() + 1));
    removeEntry(it->second);
    entries_.erase(it);
}

std::optional<RemoteWindow> QtWindowRegistry::findWindow(const std::optional<std::string>& windowClass,
                                                         const std::optional<std::string>& title) {
    if (windowClass && isOutsideWindowClass(*windowClass)) {
        auto outside = findOutsideWindow(*windowClass);
        if (!outside || (title && *title != outside->title)) return std::nullopt;
        return outside;
    }
    if (inotifyFd_ < 0) openView();  // no notifications: read the folder now
    for (auto it = view_.begin(); it != view_.end();) {
        const Known& known = it->second;
        if ((windowClass && *windowClass != known.window.windowClass) ||
            (title && *title != known.window.title)) {
            ++it;
        } else if (!known.own && !ownerAlive(it->first)) {
            it = view_.erase(it);
        } else {
            return known.window;
        }
    }
    return std::nullopt;
}

bool QtWindowRegistry::bringToFront(const RemoteWindow& window) {
    if (window.id.starts_with(kOutsideWindowIdPrefix)) return activateOutsideWindow(window);
    LocalStream socket;
    if (!socket.connectTo(window.id, QDeadlineTimer(1000))) return false;
    constexpr std::string_view kRequest = "front\n";
    return socket.writeAll(kRequest.data(), kRequest.size(), QDeadlineTimer(1000));
}

}  // namespace tovik::qt
