#pragma once
// One end of a local (AF_UNIX) stream connection, on QtCore alone: the card daemon's clients and
// the window registry's "front" requests talk over these, and the programs need not load a
// network library to start.
//
// The socket never blocks: the event loop hears of incoming bytes through a socket notifier
// (watch()), and the blocking waits (waitReadable(), writeAll()) poll until their deadline. A
// write to a peer that is gone fails instead of raising SIGPIPE. The descriptor is not inherited
// by programs this one starts.
//
// Socket names mean what they mean to QLocalSocket and QLocalServer (the daemon listens with
// those): an absolute path as it is, any other name inside the temporary folder.

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct sockaddr_un;

namespace tovik::qt {

// The file a socket name stands for.
std::string localSocketPath(const std::string& name);

// The address of the socket `name`; false when its path is too long for a socket address.
bool localSocketAddress(const std::string& name, sockaddr_un& address);

class LocalStream {
  public:
    LocalStream() = default;
    // Takes over a connected, non-blocking descriptor (an accepted connection).
    explicit LocalStream(int connectedFd) : fd_(connectedFd) {}
    ~LocalStream() { close(); }
    LocalStream(const LocalStream&) = delete;
    LocalStream& operator=(const LocalStream&) = delete;

    // False when nobody serves the socket (or a busy server does not take the connection before
    // the deadline), or the name cannot be a socket's.
    bool connectTo(const std::string& name, QDeadlineTimer deadline);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // What the peer has sent so far, without waiting (at most kReadChunk bytes a call). The end of
    // the stream, or a broken connection, closes this end once the bytes before it are returned.
    std::vector<std::uint8_t> readAvailable();
    static constexpr std::size_t kReadChunk = 64 * 1024;

    // Sends every byte, waiting for room until the deadline. False, with this end closed, when the
    // peer is gone or the deadline passed first: a message sent in part leaves nothing to trust.
    bool writeAll(const void* data, std::size_t size, QDeadlineTimer deadline);

    // Waits until bytes or the end of the stream can be read; false at the deadline or when closed.
    bool waitReadable(QDeadlineTimer deadline);

    // From now on the event loop calls onReadable whenever bytes or the end of the stream arrive.
    // onReadable must read (readAvailable) or close, else it is called again at once. It may close
    // or even destroy this stream.
    void watch(std::function<void()> onReadable);

  private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onReadable_;
};

}  // namespace tovik::qt
