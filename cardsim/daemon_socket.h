#pragma once
// Reading the daemon's frames from a local socket, as its clients wait for one: however the
// bytes trickle in, and whatever else the peer sends meanwhile, the wait ends at its deadline.

#include <QDeadlineTimer>

#include <optional>

#include "cardsim/daemon_protocol.h"

class QLocalSocket;

namespace tovik::card {

// The next whole frame body; empty when the deadline passes, the connection closes or the
// stream breaks first.
std::optional<wire::Bytes> readFrame(QLocalSocket& socket, wire::FrameReader& reader, QDeadlineTimer deadline);

// Waits for bytes until the deadline; false when none came (time out or closed connection).
bool waitForBytes(QLocalSocket& socket, QDeadlineTimer deadline);

}  // namespace tovik::card
