#include "platform/qt/local_stream.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace tovik::qt {

namespace {

// Waits until `fd` is ready for `events` (or has hung up or failed); false at the deadline. An
// expired deadline is never polled again: a peer that keeps the socket busy cannot stretch it.
bool waitForSocket(int fd, short events, QDeadlineTimer deadline) {
    for (;;) {
        if (deadline.hasExpired()) return false;
        pollfd p{fd, events, 0};
        timespec left{};
        const qint64 ns = deadline.remainingTimeNSecs();
        left.tv_sec = static_cast<time_t>(ns / 1000000000);
        left.tv_nsec = static_cast<long>(ns % 1000000000);
        const int n = ::ppoll(&p, 1, deadline.isForever() ? nullptr : &left, nullptr);
        if (n > 0) return true;
        if (n < 0 && errno != EINTR) return false;
    }
}

}  // namespace

std::string localSocketPath(const std::string& name) {
    if (name.starts_with('/')) return name;
    return QFile::encodeName(QDir::tempPath()).toStdString() + "/" + name;
}

bool localSocketAddress(const std::string& name, sockaddr_un& address) {
    const std::string path = localSocketPath(name);
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;  // room for the NUL
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

bool LocalStream::connectTo(const std::string& name, QDeadlineTimer deadline) {
    close();
    sockaddr_un address;
    if (!localSocketAddress(name, address)) return false;
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    for (;;) {
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
            errno == EISCONN)
            return true;
        if (errno == EINTR) continue;
        // EAGAIN: the server's queue of new connections is full; it is busy, not gone.
        if (errno != EAGAIN || deadline.hasExpired()) break;
        ::poll(nullptr, 0,
               deadline.isForever()
                   ? 5
                   : static_cast<int>(std::min<qint64>(5, deadline.remainingTime())));
    }
    close();
    return false;
}

void LocalStream::close() {
    notifier_.reset();  // before the descriptor: a notifier must never watch a reused number
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::vector<std::uint8_t> LocalStream::readAvailable() {
    // Received into a small buffer on the stack: the answers are a few dozen bytes, and a
    // resident program polling each second should not clear 64 KiB for each of them.
    std::vector<std::uint8_t> data;
    std::array<std::uint8_t, 4096> buffer;
    while (fd_ >= 0 && data.size() < kReadChunk) {
        const std::size_t wanted = std::min(buffer.size(), kReadChunk - data.size());
        const ssize_t n = ::recv(fd_, buffer.data(), wanted, 0);
        if (n > 0) {
            data.insert(data.end(), buffer.begin(), buffer.begin() + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        close();  // the peer hung up, or the connection broke
    }
    return data;
}

bool LocalStream::writeAll(const void* data, std::size_t size, QDeadlineTimer deadline) {
    const auto* at = static_cast<const char*>(data);
    while (fd_ >= 0) {
        if (size == 0) return true;
        const ssize_t n = ::send(fd_, at, size, MSG_NOSIGNAL);
        if (n > 0) {
            at += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
                   waitForSocket(fd_, POLLOUT, deadline)) {
            continue;
        } else {
            close();
        }
    }
    return false;
}

bool LocalStream::waitReadable(QDeadlineTimer deadline) {
    return fd_ >= 0 && waitForSocket(fd_, POLLIN, deadline);
}

void LocalStream::watch(std::function<void()> onReadable) {
    onReadable_ = std::move(onReadable);
    if (fd_ < 0 || notifier_) return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        // A copy: the callback may close or destroy this stream, and with it the original.
        const auto onReadable = onReadable_;
        if (onReadable) onReadable();
    });
}

}  // namespace tovik::qt
