#include "cardsim/in_process_driver.h"

#include <fstream>
#include <sstream>

#include "cardsim/driver_device.h"

namespace tovik::card {

namespace {
constexpr unsigned kAnswerTimer = 1;
constexpr Msg kDeliverNow = 0x0400;  // private to the driver's own window
}  // namespace

class InProcessDevice final : public DriverDevice {
public:
    InProcessDevice(WindowSystem& windows, InProcessCardDriver* driver, CardService::ClientId client)
        : DriverDevice(windows), driver_(driver), client_(client) {}
    ~InProcessDevice() override {
        if (driver_) driver_->deviceClosed(client_);
    }
    void orphan() { driver_ = nullptr; }
    void answer(const UnitAnswer& a) { deliver(a); }

private:
    bool unitCardReady() override { return driver_ && driver_->service_.cardReady(driver_->now()); }
    bool unitSetVolume(std::uint8_t v) override { return driver_ && driver_->service_.setVolume(driver_->now(), v); }
    bool unitSubmit(std::uint64_t tag, const UnitRequest& r) override {
        if (!driver_ || !driver_->service_.submit(driver_->now(), client_, tag, r)) return false;
        driver_->schedule();
        return true;
    }
    void unitCancel(std::uint64_t tag) override {
        if (driver_) driver_->service_.cancel(client_, tag);
    }

    InProcessCardDriver* driver_;
    CardService::ClientId client_;
};

InProcessCardDriver::InProcessCardDriver(WindowSystem& windows, Timers& timers, const Clock& clock,
                                         UnitTimings timings)
    : windows_(windows), timers_(timers), clock_(clock), service_(timings) {
    window_ = windows_.createWindow(*this);
    service_.unit().advanceTo(now());
}

InProcessCardDriver::~InProcessCardDriver() {
    shutDown();
    windows_.destroyWindow(window_);
}

namespace {
class InProcessMixerDriver final : public InstallableDriver {
public:
    InProcessMixerDriver(CardService& service, const Clock& clock) : service_(service), clock_(clock) {}
    std::intptr_t sendMessage(std::uint32_t message, std::intptr_t param1, std::intptr_t param2) override {
        return service_.mixerMessage(clock_.nowMs(), {message, static_cast<std::uint32_t>(param1),
                                                      static_cast<std::uint32_t>(param2)})
                   ? 1
                   : 0;
    }

private:
    CardService& service_;
    const Clock& clock_;
};
}  // namespace

std::unique_ptr<InstallableDriver> InProcessCardDriver::openMixerDriver() {
    if (!installed_) return nullptr;
    return std::make_unique<InProcessMixerDriver>(service_, clock_);
}

std::unique_ptr<CardDevice> InProcessCardDriver::open(const std::string& path) {
    if (!installed_ || window_ == kNoWindow || path != kDevicePath) return nullptr;
    const CardService::ClientId client = service_.addClient();
    auto device = std::make_unique<InProcessDevice>(windows_, this, client);
    devices_[client] = device.get();
    return device;
}

void InProcessCardDriver::deviceClosed(CardService::ClientId client) {
    devices_.erase(client);
    service_.removeClient(client);
}

void InProcessCardDriver::shutDown() {
    for (auto& [client, device] : devices_) {
        device->orphan();
        service_.removeClient(client);
    }
    devices_.clear();
    installed_ = false;
    timers_.killTimer(window_, kAnswerTimer);
    armedDue_.reset();
}

void InProcessCardDriver::schedule() {
    const auto due = service_.nextDueMs();
    if (!due) {
        if (armedDue_) timers_.killTimer(window_, kAnswerTimer);
        armedDue_.reset();
        return;
    }
    const std::uint64_t t = now();
    if (*due <= t) {
        if (!deliverPosted_) deliverPosted_ = windows_.post(window_, kDeliverNow, 0, 0);
        return;
    }
    // The timer is set only when the next answer moves, so that the driver takes as few timers
    // from the host as it can (tests refuse timers to the program under test). A refused timer
    // is tried again with the next request.
    if (armedDue_ == due) return;
    armedDue_.reset();
    if (timers_.setTimer(window_, kAnswerTimer, static_cast<unsigned>(*due - t))) armedDue_ = due;
}

void InProcessCardDriver::runDue() {
    if (armedDue_ && *armedDue_ <= now()) {
        timers_.killTimer(window_, kAnswerTimer);
        armedDue_.reset();
    }
    for (const UnitAnswer& a : service_.runDue(now())) {
        auto it = devices_.find(a.client);
        if (it != devices_.end()) it->second->answer(a);
    }
    schedule();
}

LResult InProcessCardDriver::onMessage(Msg msg, WParam wParam, LParam) {
    if (msg == kDeliverNow) {
        deliverPosted_ = false;
        runDue();
    } else if (msg == WM_TIMER && wParam == kAnswerTimer) {
        runDue();
    }
    return 0;
}

void InProcessCardDriver::loadDisc(Disc disc) {
    service_.unit().advanceTo(now());
    service_.unit().loadDisc(std::move(disc));
}

std::string InProcessCardDriver::loadDiscJson(const std::string& jsonText) {
    DiscImageResult image = parseDiscImage(jsonText);
    if (!image.disc) return image.error;
    loadDisc(std::move(*image.disc));
    return {};
}

std::string InProcessCardDriver::loadDiscFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot open " + path;
    std::ostringstream text;
    text << file.rdbuf();
    return loadDiscJson(text.str());
}

void InProcessCardDriver::ejectDisc() {
    service_.unit().advanceTo(now());
    service_.unit().ejectDisc();
}

void InProcessCardDriver::removeCard() {
    service_.unit().advanceTo(now());
    service_.unit().removeCard();
}

void InProcessCardDriver::insertCard() {
    service_.unit().advanceTo(now());
    service_.unit().insertCard();
}

void InProcessCardDriver::setPower(bool on) {
    service_.unit().advanceTo(now());
    service_.unit().setPower(on);
}

void InProcessCardDriver::injectFault(const FaultRule& rule) { service_.addFault(rule); }

CardService::ControlReply InProcessCardDriver::control(const std::vector<std::string>& args) {
    ParsedControl parsed = parseControl(args);
    if (!parsed.command) return {false, parsed.error, false};
    return service_.control(now(), *parsed.command);
}

}  // namespace tovik::card
