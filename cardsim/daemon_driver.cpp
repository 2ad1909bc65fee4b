#include "cardsim/daemon_driver.h"

#include <QLocalSocket>
#include <QObject>

#include <optional>

#include "cardsim/daemon_protocol.h"
#include "cardsim/daemon_socket.h"
#include "cardsim/driver_device.h"

namespace tovik::card {

namespace {

constexpr int kConnectTimeoutMs = 1000;
// A daemon that has not accepted a request this long after it was sent counts as gone, whatever
// else it sends meanwhile.
constexpr int kReplyTimeoutMs = 2000;

class DaemonDevice final : public DriverDevice {
public:
    DaemonDevice(WindowSystem& windows, const std::string& name) : DriverDevice(windows) {
        socket_.connectToServer(QString::fromStdString(name));
        if (!socket_.waitForConnected(kConnectTimeoutMs)) return;
        connected_ = true;
        QObject::connect(&socket_, &QLocalSocket::readyRead, &context_, [this] { drain(); });
        QObject::connect(&socket_, &QLocalSocket::disconnected, &context_, [this] { connected_ = false; });
    }
    ~DaemonDevice() override {
        QObject::disconnect(&socket_, nullptr, &context_, nullptr);
        socket_.abort();
    }
    bool connected() const { return connected_; }

private:
    bool unitCardReady() override { return request(wire::cardReadyFrame()); }
    bool unitSetVolume(std::uint8_t v) override { return request(wire::setVolumeFrame(v)); }
    bool unitSubmit(std::uint64_t tag, const UnitRequest& r) override { return request(wire::submitFrame(tag, r)); }
    void unitCancel(std::uint64_t tag) override {
        if (connected_) write(wire::cancelFrame(tag));
    }

    bool write(const wire::Bytes& frame) {
        if (socket_.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size())) < 0) {
            connected_ = false;
            return false;
        }
        socket_.flush();
        return true;
    }

    // Sends a request and waits for the daemon to accept or refuse it; answers to earlier
    // requests that arrive meanwhile are delivered as usual.
    bool request(const wire::Bytes& frame) {
        if (!connected_ || waiting_) return false;
        reply_.reset();
        waiting_ = true;
        if (write(frame)) {
            const QDeadlineTimer deadline(kReplyTimeoutMs);
            // The reply may come through drain() as readyRead fires inside the wait.
            for (;;) {
                drain();
                if (reply_ || !connected_) break;
                if (!waitForBytes(socket_, deadline)) {
                    broken();  // closed, or too slow to count as alive
                    break;
                }
            }
        }
        waiting_ = false;
        const bool ok = reply_.value_or(false);
        reply_.reset();
        return ok;
    }

    void drain() {
        const QByteArray data = socket_.readAll();
        reader_.feed(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()));
        while (auto body = reader_.next()) {
            if (auto answer = wire::readAnswer(*body)) {
                deliver(*answer);
            } else if (auto ok = wire::readReply(*body); ok && waiting_) {
                reply_ = *ok;
            } else {
                broken();  // the daemon speaks something else: trust nothing more from it
                return;
            }
        }
        if (reader_.broken()) broken();
    }

    void broken() {
        connected_ = false;
        socket_.abort();
    }

    QObject context_;
    QLocalSocket socket_;
    wire::FrameReader reader_;
    bool connected_ = false;
    bool waiting_ = false;
    std::optional<bool> reply_;
};

class DaemonCardDriver final : public CardDriver {
public:
    explicit DaemonCardDriver(WindowSystem& windows) : windows_(windows) {}
    std::unique_ptr<CardDevice> open(const std::string& path) override {
        if (path != kDevicePath) return nullptr;
        auto device = std::make_unique<DaemonDevice>(windows_, daemonSocketName());
        if (!device->connected()) return nullptr;
        return device;
    }

private:
    WindowSystem& windows_;
};

class DaemonMixerDriver final : public InstallableDriver {
public:
    bool connect() {
        socket_.connectToServer(QString::fromStdString(daemonSocketName()));
        return socket_.waitForConnected(kConnectTimeoutMs);
    }
    ~DaemonMixerDriver() override { socket_.abort(); }

    // 1 when the card's mixer took the message, 0 otherwise.
    std::intptr_t sendMessage(std::uint32_t message, std::intptr_t param1, std::intptr_t param2) override {
        const wire::Bytes frame = wire::mixerFrame(
            {message, static_cast<std::uint32_t>(param1), static_cast<std::uint32_t>(param2)});
        if (socket_.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size())) < 0)
            return 0;
        socket_.flush();
        wire::FrameReader reader;
        const auto body = readFrame(socket_, reader, QDeadlineTimer(kReplyTimeoutMs));
        return body && wire::readReply(*body).value_or(false) ? 1 : 0;
    }

private:
    QLocalSocket socket_;
};

}  // namespace

std::unique_ptr<InstallableDriver> openDaemonMixerDriver() {
    auto driver = std::make_unique<DaemonMixerDriver>();
    if (!driver->connect()) return nullptr;
    return driver;
}

std::unique_ptr<CardDriver> makeDaemonCardDriver(WindowSystem& windows) {
    return std::make_unique<DaemonCardDriver>(windows);
}

}  // namespace tovik::card
