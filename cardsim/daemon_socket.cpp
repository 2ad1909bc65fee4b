#include "cardsim/daemon_socket.h"

namespace tovik::card {

std::optional<wire::Bytes> readFrame(qt::LocalStream& socket, wire::FrameReader& reader,
                                     QDeadlineTimer deadline) {
    for (;;) {
        if (auto body = reader.next()) return body;
        if (reader.broken() || !socket.waitReadable(deadline)) return std::nullopt;
        const wire::Bytes data = socket.readAvailable();
        reader.feed(data.data(), data.size());
    }
}

bool sendFrame(qt::LocalStream& socket, const wire::Bytes& frame, QDeadlineTimer deadline) {
    return socket.writeAll(frame.data(), frame.size(), deadline);
}

}  // namespace tovik::card
