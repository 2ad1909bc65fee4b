#include "cardsim/daemon_driver.h"

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
        if (socket_.connectTo(name, QDeadlineTimer(kConnectTimeoutMs))) socket_.watch([this] { drain(); });
    }
    // Open until the daemon hangs up, or says something no daemon would.
    bool connected() const { return socket_.isOpen(); }

private:
    bool unitCardReady() override { return request(wire::cardReadyFrame()); }
    bool unitSetVolume(std::uint8_t v) override { return request(wire::setVolumeFrame(v)); }
    bool unitSubmit(std::uint64_t tag, const UnitRequest& r) override { return request(wire::submitFrame(tag, r)); }
    void unitCancel(std::uint64_t tag) override {
        sendFrame(socket_, wire::cancelFrame(tag), QDeadlineTimer(kReplyTimeoutMs));
    }

    // Sends a request and waits for the daemon to accept or refuse it; answers to earlier
    // requests that arrive meanwhile are delivered as usual.
    bool request(const wire::Bytes& frame) {
        if (!connected() || waiting_) return false;
        reply_.reset();
        waiting_ = true;
        const QDeadlineTimer deadline(kReplyTimeoutMs);
        if (sendFrame(socket_, frame, deadline)) {
            for (;;) {
                drain();
                if (reply_ || !connected()) break;
                if (!socket_.waitReadable(deadline)) {
                    socket_.close();  // too slow to count as alive
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
        const wire::Bytes data = socket_.readAvailable();
        reader_.feed(data.data(), data.size());
        while (auto body = reader_.next()) {
            if (auto answer = wire::readAnswer(*body)) {
                deliver(*answer);
            } else if (auto ok = wire::readReply(*body); ok && waiting_) {
                reply_ = *ok;
            } else {
                socket_.close();  // the daemon speaks something else: trust nothing more from it
                return;
            }
        }
        if (reader_.broken()) socket_.close();
    }

    qt::LocalStream socket_;
    wire::FrameReader reader_;
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
    bool connect() { return socket_.connectTo(daemonSocketName(), QDeadlineTimer(kConnectTimeoutMs)); }

    // 1 when the card's mixer took the message, 0 otherwise.
    std::intptr_t sendMessage(std::uint32_t message, std::intptr_t param1, std::intptr_t param2) override {
        const wire::Bytes frame = wire::mixerFrame(
            {message, static_cast<std::uint32_t>(param1), static_cast<std::uint32_t>(param2)});
        const QDeadlineTimer deadline(kReplyTimeoutMs);
        if (!sendFrame(socket_, frame, deadline)) return 0;
        wire::FrameReader reader;
        const auto body = readFrame(socket_, reader, deadline);
        const std::optional<bool> reply = body ? wire::readReply(*body) : std::nullopt;
        // A daemon too slow to answer, or answering something else, is gone: its late answer
        // must never be read as the answer to a later message.
        if (!reply) socket_.close();
        return reply.value_or(false) ? 1 : 0;
    }

private:
    qt::LocalStream socket_;
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
