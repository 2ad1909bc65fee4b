#pragma once
// The simulated card inside the calling process: a CardDriver whose devices reach one virtual
// unit through the host's own windows, timers and clock. Requests are accepted at once; each
// answer is posted after its latency, with its area filled first. Tests drive it on the fake
// host's virtual clock, and use the hooks below to act as the person at the deck.
//
//   fake::FakeHost host;
//   card::InProcessCardDriver driver(host);
//   driver.loadDiscFile(TOVIK_DISC_DIR "/english-album.json");
//   auto device = driver.open(card::kDevicePath);   // then control(...) as the programs do
//
// The driver must outlive no device: destroying it (or shutDown()) makes every later request of
// its devices fail, as a vanished driver does.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cardsim/card_device.h"
#include "cardsim/card_service.h"
#include "platform/audio_devices.h"
#include "platform/host.h"

namespace tovik::card {

class InProcessDevice;

class InProcessCardDriver final : public CardDriver, private MessageTarget {
public:
    InProcessCardDriver(WindowSystem& windows, Timers& timers, const Clock& clock, UnitTimings timings = {});
    explicit InProcessCardDriver(Host& host, UnitTimings timings = {})
        : InProcessCardDriver(host, host, host, timings) {}
    ~InProcessCardDriver() override;

    // Null unless the path is the card's device path and the driver is installed.
    std::unique_ptr<CardDevice> open(const std::string& path) override;
    // The card's mixer driver ("tovikmd.drv"), null when the driver is not installed. It must
    // not outlive this driver.
    std::unique_ptr<InstallableDriver> openMixerDriver();

    // --- the person at the deck (same words as vtovikmd-ctl) ---
    void loadDisc(Disc disc);
    // Empty on success, else the problem with the image.
    std::string loadDiscJson(const std::string& jsonText);
    std::string loadDiscFile(const std::string& path);
    void ejectDisc();
    void removeCard();
    void insertCard();
    void setPower(bool on);
    void injectFault(const FaultRule& rule);
    // "fault drop 2 --kind status" etc., as vtovikmd-ctl takes them.
    CardService::ControlReply control(const std::vector<std::string>& args);

    // --- the driver itself ---
    void setInstalled(bool installed) { installed_ = installed; }  // false: open() fails
    void setLatency(unsigned ms) { service_.latency().setAll(ms); }
    Latency& latency() { return service_.latency(); }
    // The driver goes away: open devices fail every later request; nothing more is answered.
    void shutDown();

    VirtualUnit& unit() { return service_.unit(); }
    CardService& service() { return service_; }
    std::size_t openDevices() const { return devices_.size(); }

private:
    friend class InProcessDevice;
    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;
    void deviceClosed(CardService::ClientId client);
    void schedule();
    void runDue();
    std::uint64_t now() const { return clock_.nowMs(); }

    WindowSystem& windows_;
    Timers& timers_;
    const Clock& clock_;
    CardService service_;
    Handle window_ = kNoWindow;
    bool installed_ = true;
    bool deliverPosted_ = false;
    std::optional<std::uint64_t> armedDue_;  // when the answer timer fires, if it runs
    std::map<CardService::ClientId, InProcessDevice*> devices_;
};

}  // namespace tovik::card
