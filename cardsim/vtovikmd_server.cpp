#include "cardsim/vtovikmd_server.h"

#include <QCoreApplication>
#include <QLocalSocket>

#include <algorithm>

#include "platform/json.h"

namespace tovik::card {

namespace {
// A client that lets this much of its answers pile up unread is not reading at all.
constexpr qint64 kMaxUnreadBytes = 4 << 20;
}  // namespace

VtovikmdServer::VtovikmdServer(UnitTimings timings) : service_(timings) {
    clock_.start();
    answerTimer_.setSingleShot(true);
    answerTimer_.setTimerType(Qt::PreciseTimer);
    connect(&answerTimer_, &QTimer::timeout, this, [this] { runDue(); });
    connect(&server_, &QLocalServer::newConnection, this, [this] { accept(); });
}

VtovikmdServer::~VtovikmdServer() {
    for (auto& [socket, c] : connections_) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
    server_.close();
}

std::string VtovikmdServer::listen(const std::string& name) {
    const QString qname = QString::fromStdString(name);
    {
        QLocalSocket probe;
        probe.connectToServer(qname);
        if (probe.waitForConnected(500)) return "another vtovikmd already serves " + name;
    }
    QLocalServer::removeServer(qname);  // nobody answers: a stale socket, if any
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(qname)) return "cannot listen on " + name + ": " + server_.errorString().toStdString();
    return {};
}

void VtovikmdServer::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connections_[socket] = Connection{service_.addClient(), {}};
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        if (socket->bytesAvailable() > 0) readFrom(socket);
    }
}

void VtovikmdServer::drop(QLocalSocket* socket) {
    auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    service_.removeClient(it->second.client);  // its answers and registrations go with it
    connections_.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    schedule();
}

void VtovikmdServer::send(QLocalSocket* socket, const wire::Bytes& frame) {
    socket->write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
    if (socket->bytesToWrite() > kMaxUnreadBytes) drop(socket);
}

void VtovikmdServer::readFrom(QLocalSocket* socket) {
    auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    const QByteArray data = socket->readAll();
    Connection& c = it->second;
    c.reader.feed(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()));
    while (auto body = c.reader.next()) {
        if (!handle(socket, c, *body)) {
            drop(socket);
            return;
        }
        if (!connections_.count(socket)) return;
    }
    if (c.reader.broken()) drop(socket);
}

bool VtovikmdServer::handle(QLocalSocket* socket, Connection& c, const wire::Bytes& body) {
    const std::uint64_t now = nowMs();
    switch (body[0]) {
    case wire::SUBMIT: {
        auto s = wire::readSubmit(body);
        if (!s) return false;
        send(socket, wire::replyFrame(service_.submit(now, c.client, s->tag, std::move(s->request))));
        schedule();
        return true;
    }
    case wire::CARD_READY:
        if (body.size() != 1) return false;
        send(socket, wire::replyFrame(service_.cardReady(now)));
        return true;
    case wire::SET_VOLUME: {
        auto v = wire::readSetVolume(body);
        if (!v) return false;
        send(socket, wire::replyFrame(service_.setVolume(now, *v)));
        return true;
    }
    case wire::MIXER: {
        auto m = wire::readMixer(body);
        if (!m) return false;
        send(socket, wire::replyFrame(service_.mixerMessage(now, *m)));
        return true;
    }
    case wire::CANCEL: {
        auto tag = wire::readCancel(body);
        if (!tag) return false;
        service_.cancel(c.client, *tag);
        return true;
    }
    case wire::CONTROL: {
        auto words = wire::readControl(body);
        if (!words) return false;
        ParsedControl parsed = parseControl(*words);
        CardService::ControlReply reply = parsed.command ? service_.control(now, *parsed.command)
                                                         : CardService::ControlReply{false, parsed.error, false};
        if (parsed.command && parsed.command->verb == ControlCommand::Verb::State) {
            // The devices of the programs, not the connection asking.
            Json state = service_.stateJson();
            state["clients"] = service_.clientCount() - 1;
            reply.text = CardService::stateText(state);
        }
        send(socket, wire::controlReplyFrame(reply.ok, reply.quit, reply.text));
        if (reply.quit) {
            socket->flush();
            socket->waitForBytesWritten(1000);
            QCoreApplication::quit();
        }
        schedule();
        return true;
    }
    default: return false;
    }
}

void VtovikmdServer::schedule() {
    const auto due = service_.nextDueMs();
    if (!due) {
        answerTimer_.stop();
        return;
    }
    const std::uint64_t now = nowMs();
    answerTimer_.start(static_cast<int>(*due > now ? std::min<std::uint64_t>(*due - now, 1u << 30) : 0));
}

void VtovikmdServer::runDue() {
    for (const UnitAnswer& a : service_.runDue(nowMs())) {
        for (auto& [socket, c] : connections_) {
            if (c.client != a.client) continue;
            send(socket, wire::answerFrame(a));
            break;  // send may have dropped the connection; the map is not touched again here
        }
    }
    schedule();
}

}  // namespace tovik::card
