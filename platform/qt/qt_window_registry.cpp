#include "platform/qt/qt_window_registry.h"

#include "platform/qt/x11_outside_windows.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QLocalSocket>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tovik::qt {

namespace {

constexpr const char* kSuffix = ".window";

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

QtWindowRegistry::~QtWindowRegistry() {
    for (auto& [id, entry] : entries_) removeEntry(entry);
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
}

WindowRegistry::RegistrationId QtWindowRegistry::registerWindow(const std::string& windowClass,
                                                                const std::string& title,
                                                                std::function<void()> onBringToFront) {
    const RegistrationId id = nextId_++;
    const std::string dir = runtimeDirectory();
    const std::string base = dir + "/" + std::to_string(::getpid()) + "-" + std::to_string(id);
    Entry& entry = entries_[id];
    entry.windowClass = windowClass;
    entry.title = title;
    entry.file = base + kSuffix;
    entry.socket = base + ".sock";
    entry.onFront = std::move(onBringToFront);
    entry.server = std::make_unique<QLocalServer>();
    entry.server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(QString::fromStdString(entry.socket));  // our own pid: a stale leftover
    if (entry.server->listen(QString::fromStdString(entry.socket))) {
        QLocalServer* server = entry.server.get();
        QObject::connect(server, &QLocalServer::newConnection, server, [this, id, server] {
            while (QLocalSocket* peer = server->nextPendingConnection()) {
                QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, id, peer] {
                    if (!peer->readAll().startsWith("front")) return;
                    peer->disconnectFromServer();
                    auto it = entries_.find(id);
                    if (it != entries_.end() && it->second.onFront) it->second.onFront();
                });
                QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            }
        });
    }
    writeEntry(entry);
    return id;
}

void QtWindowRegistry::setTitle(RegistrationId id, const std::string& title) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    it->second.title = title;
    writeEntry(it->second);
}

void QtWindowRegistry::unregisterWindow(RegistrationId id) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
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
    QDir dir(QString::fromStdString(runtimeDirectory()));
    const QStringList files = dir.entryList({QString("*") + kSuffix}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        const std::string path = dir.filePath(name).toStdString();
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
            // Nobody holds it: the process that registered it is gone.
            ::unlink(path.c_str());
            ::close(fd);
            const std::string socket = path.substr(0, path.size() - std::string(kSuffix).size()) + ".sock";
            ::unlink(socket.c_str());
            continue;
        }
        ::close(fd);
        RemoteWindow window;
        std::string socket;
        if (!parseEntry(path, window, socket)) continue;
        if (windowClass && *windowClass != window.windowClass) continue;
        if (title && *title != window.title) continue;
        window.processId = name.section('-', 0, 0).toLongLong();
        window.id = socket;
        return window;
    }
    return std::nullopt;
}

bool QtWindowRegistry::bringToFront(const RemoteWindow& window) {
    if (window.id.starts_with(kOutsideWindowIdPrefix)) return activateOutsideWindow(window);
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(window.id));
    if (!socket.waitForConnected(1000)) return false;
    socket.write("front\n");
    bool ok = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return ok;
}

}  // namespace tovik::qt
