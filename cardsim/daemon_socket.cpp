#include "cardsim/daemon_socket.h"

#include <QLocalSocket>

namespace tovik::card {

bool waitForBytes(QLocalSocket& socket, QDeadlineTimer deadline) {
    if (socket.bytesAvailable() > 0) return true;
    if (deadline.hasExpired()) return false;
    return socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())) || socket.bytesAvailable() > 0;
}

std::optional<wire::Bytes> readFrame(QLocalSocket& socket, wire::FrameReader& reader, QDeadlineTimer deadline) {
    for (;;) {
        if (auto body = reader.next()) return body;
        if (reader.broken() || !waitForBytes(socket, deadline)) return std::nullopt;
        const QByteArray data = socket.readAll();
        reader.feed(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()));
    }
}

}  // namespace tovik::card
