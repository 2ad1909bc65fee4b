#pragma once
// vtovikmd's server: one virtual card for every client of the user's local socket. Each
// connection is one open device; its requests go to the shared CardService and its answers come
// back on the same connection. A connection that breaks the wire format, or stops reading its
// answers, is closed; the others never notice.

#include <QElapsedTimer>
#include <QLocalServer>
#include <QObject>
#include <QTimer>

#include <map>
#include <string>

#include "cardsim/card_service.h"
#include "cardsim/daemon_protocol.h"

class QLocalSocket;

namespace tovik::card {

class VtovikmdServer : public QObject {
public:
    explicit VtovikmdServer(UnitTimings timings = {});
    ~VtovikmdServer() override;

    // Listens on the name; an earlier daemon that died left its socket behind, which is removed
    // only after a connection to it is refused. Empty on success, else the reason.
    std::string listen(const std::string& name);

    CardService& service() { return service_; }
    std::uint64_t nowMs() const { return static_cast<std::uint64_t>(clock_.elapsed()); }

private:
    struct Connection {
        CardService::ClientId client;
        wire::FrameReader reader;
    };
    void accept();
    void readFrom(QLocalSocket* socket);
    bool handle(QLocalSocket* socket, Connection& c, const wire::Bytes& body);
    void drop(QLocalSocket* socket);
    void send(QLocalSocket* socket, const wire::Bytes& frame);
    void schedule();
    void runDue();

    CardService service_;
    QLocalServer server_;
    QTimer answerTimer_;
    QElapsedTimer clock_;
    std::map<QLocalSocket*, Connection> connections_;
};

}  // namespace tovik::card
