#include "platform/qt/local_listener.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>

namespace tovik::qt {

void LocalListener::removeStale(const std::string& name) {
    ::unlink(localSocketPath(name).c_str());
}

bool LocalListener::listen(const std::string& name) {
    close();
    sockaddr_un address;
    if (!localSocketAddress(name, address)) return false;
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    // Linux gives the socket file the socket's own mode (less the umask) when it binds, so the file
    // never exists with more rights; the chmod after binding says the same where that differs.
    const std::string path = localSocketPath(name);
    (void)::fchmod(fd_, S_IRUSR | S_IWUSR);
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    path_ = path;
    if (::chmod(path_.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd_, SOMAXCONN) != 0) {
        close();
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { acceptPending(); });
    return true;
}

void LocalListener::close() {
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
}

void LocalListener::acceptPending() {
    while (fd_ >= 0) {
        const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (peer >= 0) {
            onConnection_(std::make_unique<LocalStream>(peer));
        } else if (errno != EINTR && errno != ECONNABORTED) {
            return;  // none left waiting (or no descriptor to spare: the next round tries again)
        }
    }
}

}  // namespace tovik::qt
