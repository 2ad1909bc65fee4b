#pragma once
// A program's side of the card driver for tests: opens the device, attaches the block, issues
// requests with the exact input layouts, and records the answers its window receives.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cardsim/card_device.h"
#include "platform/window.h"

namespace tovik::card::cardtest {

struct Received {
    Msg msg;
    WParam wParam;
    LParam lParam;
};

class CardClient : public MessageTarget {
public:
    CardClient(WindowSystem& windows, std::unique_ptr<CardDevice> device, std::uint32_t blockSize = kBlockSize)
        : windows_(windows), device_(std::move(device)) {
        window = windows_.createWindow(*this);
        if (!device_) return;
        std::uint8_t in[4], out[80] = {};
        put32(in, blockSize);
        if (device_->control(MDIO_ATTACH_BLOCK, in, 4, out, sizeof out)) {
            std::uint32_t address;
            std::memcpy(&address, out, 4);
            block = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(address));
        }
    }
    ~CardClient() { windows_.destroyWindow(window); }

    LResult onMessage(Msg msg, WParam w, LParam l) override {
        received.push_back({msg, w, l});
        return 0;
    }

    static void put32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }
    std::uint32_t address(std::uint32_t offset) const {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block) + offset);
    }

    bool windowRequest(std::uint32_t code, std::uint32_t offset) {
        std::uint8_t in[8], out[80];
        put32(in, window);
        put32(in + 4, address(offset));
        return device_->control(code, in, 8, out, sizeof out);
    }
    bool getStatus() { return windowRequest(MDIO_GET_STATUS, kAreaA); }
    bool getMeter() { return windowRequest(MDIO_GET_METER_STATUS, kAreaB); }
    bool getModel() { return windowRequest(MDIO_GET_MODEL, kAreaC); }
    bool send(std::uint8_t command, std::uint8_t p1 = 0, std::uint8_t p2 = 0, std::uint8_t selector = 1) {
        std::uint8_t in[13], out[80];
        put32(in, window);
        in[4] = command;
        in[5] = p1;
        in[6] = p2;
        in[7] = 0;
        in[8] = selector;
        put32(in + 9, address(selector ? kAreaB : kAreaA));
        return device_->control(MDIO_SEND_COMMAND, in, 13, out, sizeof out);
    }
    bool setVolume(std::uint8_t v) {
        std::uint8_t in[5];
        put32(in, window);
        in[4] = v;
        return device_->control(MDIO_SET_VOLUME, in, 5, nullptr, 0);
    }
    bool cardReady() { return device_->control(MDIO_CARD_READY, nullptr, 0, nullptr, 0); }
    bool readName(std::uint32_t kind, std::uint32_t index) {
        std::uint8_t* rec = block + kReadName;
        std::memset(rec, 0, kNameRecordSize);
        put32(rec, kind);
        put32(rec + 4, index);
        put32(rec + 12, kNameTextSize);
        return windowRequest(MDIO_READ_NAME, kReadName);
    }
    bool writeName(std::uint32_t kind, std::uint32_t index, const std::string& text) {
        std::uint8_t* rec = block + kWriteName;
        std::memset(rec, 0, kNameRecordSize);
        put32(rec, kind);
        put32(rec + 4, index);
        put32(rec + 12, kNameTextSize);
        std::memcpy(rec + 16, text.data(), std::min<std::size_t>(text.size(), kNameTextSize));
        return windowRequest(MDIO_WRITE_NAME, kWriteName);
    }
    std::uint32_t readLength() const { std::uint32_t n; std::memcpy(&n, block + kReadName + 12, 4); return n; }
    std::string readText() const { return reinterpret_cast<const char*>(block + kReadName + 16); }
    std::array<std::uint8_t, 13> areaA() const { std::array<std::uint8_t, 13> a; std::memcpy(a.data(), block + kAreaA, 13); return a; }
    std::array<std::uint8_t, 13> areaB() const { std::array<std::uint8_t, 13> a; std::memcpy(a.data(), block + kAreaB, 13); return a; }
    std::string model() const { return std::string(reinterpret_cast<const char*>(block + kAreaC), 5); }
    bool release() {
        std::uint8_t in[4];
        put32(in, address(0));
        return device_->control(MDIO_RELEASE_BLOCK, in, 4, nullptr, 0);
    }
    bool detach() {
        std::uint8_t in[4];
        put32(in, window);
        return device_->control(MDIO_DETACH_WINDOW, in, 4, nullptr, 0);
    }

    CardDevice& device() { return *device_; }
    void close() { device_.reset(); }

    Handle window = kNoWindow;
    std::uint8_t* block = nullptr;
    std::vector<Received> received;

private:
    WindowSystem& windows_;
    std::unique_ptr<CardDevice> device_;
};

}  // namespace tovik::card::cardtest
