#include "launcher/card_watch.h"

namespace tovik::launcher {

bool unitReady(std::uint8_t unitStateByte) {
    const std::uint8_t nibble = unitStateByte & 0xF0;
    return nibble == 0x10 || nibble == 0x20;
}

std::uint32_t CardWatch::blockAddress() const {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block_));
}

bool CardWatch::request(std::uint32_t code, const void* in, std::uint32_t inSize) {
    return device_ && device_->control(code, in, inSize, nullptr, 0);
}

bool CardWatch::open() {
    if (!device_) device_ = driver_.open(card::kDevicePath);
    return device_ != nullptr;
}

bool CardWatch::attach() {
    if (!device_) return false;
    std::uint8_t in[4];
    card::putU32(in, card::kStatusSize);
    std::uint8_t out[4] = {};
    if (!device_->control(card::MDIO_ATTACH_BLOCK, in, sizeof in, out, sizeof out)) return false;
    const std::uint32_t address = card::getU32(out);
    if (address == 0) return false;
    block_ = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(address));
    return true;
}

bool CardWatch::cardReady() { return request(card::MDIO_CARD_READY, nullptr, 0); }

void CardWatch::requestStatus(Handle window) {
    if (!block_) return;
    std::uint8_t in[8];
    card::putU32(in, window);
    card::putU32(in + 4, blockAddress() + card::kAreaA);
    request(card::MDIO_GET_STATUS, in, sizeof in);
}

void CardWatch::close(Handle window) {
    if (device_) {
        if (window != kNoWindow) {
            std::uint8_t in[4];
            card::putU32(in, window);
            request(card::MDIO_DETACH_WINDOW, in, sizeof in);
        }
        if (block_) {
            std::uint8_t in[4];
            card::putU32(in, blockAddress());
            request(card::MDIO_RELEASE_BLOCK, in, sizeof in);
        }
    }
    block_ = nullptr;
    device_.reset();
}

}  // namespace tovik::launcher
