#pragma once
// A tiny card driver for the link's own tests: a block mapped below 4 GiB, every request
// recorded, and answers posted (at once or after a latency on the fake clock) from scripted
// status bytes. The simulated unit in cardsim/ is the real thing; this one lets a test say
// exactly which bytes arrive and when.

#include <sys/mman.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "cardsim/card_device.h"
#include "platform/fake/fake_host.h"

namespace tovik::test {

using RawStatus = std::array<std::uint8_t, card::kStatusSize>;

// Raw status bytes by meaning; bytes 11 and 12 are spare/total in area A, levels in area B.
inline RawStatus rawStatus(std::uint8_t unitState, std::uint8_t opCode, std::uint8_t byte2 = 0,
                           std::uint8_t byte3 = 0x40, std::uint8_t byte4 = 0x04,
                           std::uint8_t track = 1, std::uint8_t volume = 30,
                           std::uint8_t error = 0, std::uint8_t minutes = 0,
                           std::uint8_t seconds = 0, std::uint8_t b11 = 0, std::uint8_t b12 = 5) {
    return {unitState, opCode, byte2, byte3, byte4, 0, track, volume, error, minutes, seconds, b11,
            b12};
}

struct Request {
    std::uint32_t code;
    std::vector<std::uint8_t> in;
    std::uint64_t atMs = 0;  // virtual time of the request
    std::uint32_t u32(std::size_t at) const {
        std::uint32_t v;
        std::memcpy(&v, in.data() + at, 4);
        return v;
    }
};

class ScriptedCard : public card::CardDriver {
public:
    explicit ScriptedCard(fake::FakeHost& host) : host_(host) {
        void* p = mmap(nullptr, card::kBlockSize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
        if (p == MAP_FAILED) throw std::runtime_error("no block below 4 GiB");
        block_ = static_cast<std::uint8_t*>(p);
    }
    ~ScriptedCard() override { munmap(block_, card::kBlockSize); }

    std::unique_ptr<card::CardDevice> open(const std::string& path) override {
        lastPath = path;
        if (!present) return nullptr;
        return std::make_unique<Device>(*this);
    }

    // --- script ---
    bool present = true;
    bool ready = true;
    std::set<std::uint32_t> refused;  // request codes the driver refuses
    RawStatus statusA = rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, 30, 0, 0, 0, 0, 5);
    RawStatus statusB = rawStatus(0x10, 0x20, 0, 0x40, 0x04, 1, 30, 0, 0, 0, 0, 0);
    std::string model = "ZQ-41";
    WParam result = 0;           // wParam of every answer
    std::uint64_t latencyMs = 0;  // 0: posted at once
    bool silent = false;          // accept requests but never answer
    // Called for SendCommand before the answer is written (command byte, p1, p2).
    std::function<void(std::uint8_t, std::uint8_t, std::uint8_t)> onCommand;

    // --- inspecting ---
    std::vector<Request> requests;
    std::string lastPath;
    int count(std::uint32_t code) const {
        int n = 0;
        for (const Request& r : requests) n += r.code == code;
        return n;
    }
    std::vector<std::uint32_t> codes() const {
        std::vector<std::uint32_t> c;
        for (const Request& r : requests) c.push_back(r.code);
        return c;
    }
    // The status requests (GetStatus, GetMeterStatus) from index `from` on.
    std::vector<const Request*> statusRequests(std::size_t from = 0) const {
        std::vector<const Request*> out;
        for (std::size_t i = from; i < requests.size(); ++i)
            if (requests[i].code == card::MDIO_GET_STATUS || requests[i].code == card::MDIO_GET_METER_STATUS)
                out.push_back(&requests[i]);
        return out;
    }
    std::uint8_t* block() const { return block_; }
    std::uint32_t address(std::uint32_t offset) const {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block_ + offset));
    }

private:
    class Device : public card::CardDevice {
    public:
        explicit Device(ScriptedCard& card) : card_(card) {}
        bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                     std::uint32_t outSize) override {
            return card_.control(code, in, inSize, out, outSize);
        }

    private:
        ScriptedCard& card_;
    };

    bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize) {
        const auto* bytes = static_cast<const std::uint8_t*>(in);
        requests.push_back({code, std::vector<std::uint8_t>(bytes, bytes + inSize), host_.nowMs()});
        const Request& r = requests.back();
        if (refused.count(code)) return false;
        switch (code) {
            case card::MDIO_CARD_READY: return ready;
            case card::MDIO_ATTACH_BLOCK: {
                const std::uint32_t a = address(0);
                if (outSize >= 4) std::memcpy(out, &a, 4);
                return true;
            }
            case card::MDIO_GET_STATUS:
                answer(r.u32(0), card::WM_MD_STATUS, card::kAreaA, [this] { fill(card::kAreaA, statusA); });
                return true;
            case card::MDIO_GET_METER_STATUS:
                answer(r.u32(0), card::WM_MD_METER, card::kAreaB, [this] { fill(card::kAreaB, statusB); });
                return true;
            case card::MDIO_GET_MODEL:
                answer(r.u32(0), card::WM_MD_MODEL, card::kAreaC, [this] {
                    std::memset(block_ + card::kAreaC, 0, card::kModelSize);
                    std::memcpy(block_ + card::kAreaC, model.data(), std::min<std::size_t>(model.size(), 16));
                });
                return true;
            case card::MDIO_SEND_COMMAND: {
                const std::uint8_t cmd = r.in[4], p1 = r.in[5], p2 = r.in[6];
                const bool areaA = r.in[8] == 0;
                if (onCommand) onCommand(cmd, p1, p2);
                answer(r.u32(0), areaA ? card::WM_MD_STATUS : card::WM_MD_METER,
                       areaA ? card::kAreaA : card::kAreaB, [this, areaA] {
                           if (areaA) fill(card::kAreaA, statusA);
                           else fill(card::kAreaB, statusB);
                       });
                return true;
            }
            case card::MDIO_READ_NAME:
                answer(r.u32(0), card::WM_MD_NAME, card::kReadName, [] {});
                return true;
            case card::MDIO_WRITE_NAME:
                answer(r.u32(0), card::WM_MD_NAME, card::kWriteName, [] {});
                return true;
            default: return true;
        }
    }

    void fill(std::uint32_t offset, const RawStatus& raw) {
        std::memcpy(block_ + offset, raw.data(), raw.size());
    }

    void answer(std::uint32_t window, Msg msg, std::uint32_t area, std::function<void()> write) {
        if (silent) return;
        const LParam lParam = static_cast<LParam>(address(area));
        auto deliver = [this, window, msg, lParam, write, result = result] {
            write();
            host_.post(window, msg, result, lParam);
        };
        if (latencyMs == 0) deliver();
        else host_.at(latencyMs, deliver);
    }

    fake::FakeHost& host_;
    std::uint8_t* block_ = nullptr;
};

}  // namespace tovik::test
