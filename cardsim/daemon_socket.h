#pragma once
// Reading the daemon's frames from a local socket, as its clients wait for one: however the
// bytes trickle in, and whatever else the peer sends meanwhile, the wait ends at its deadline.

#include <QDeadlineTimer>
#include <optional>

#include "cardsim/daemon_protocol.h"
#include "platform/qt/local_stream.h"

namespace tovik::card {

// The next whole frame body; empty when the deadline passes, the connection closes or the
// stream breaks first.
std::optional<wire::Bytes> readFrame(qt::LocalStream& socket, wire::FrameReader& reader,
                                     QDeadlineTimer deadline);

// Sends one frame, waiting for room until the deadline; false (the socket closed) when it cannot.
bool sendFrame(qt::LocalStream& socket, const wire::Bytes& frame, QDeadlineTimer deadline);

}  // namespace tovik::card
