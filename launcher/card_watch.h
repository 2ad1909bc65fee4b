#pragma once
// The launcher's use of the card driver: it attaches only area A of the shared block (13 bytes)
// and asks no more of the unit than whether the card is there and the unit's status.

#include <cstdint>
#include <memory>

#include "cardsim/card_device.h"

namespace tovik::launcher {

// Byte 0 of area A: the high nibble is 1 (PC access on) or 2 (PC access off) when the unit is
// ready; 0 is power off, 3 a unit still reading the disc.
bool unitReady(std::uint8_t unitStateByte);

class CardWatch {
public:
    explicit CardWatch(card::CardDriver& driver) : driver_(driver) {}
    ~CardWatch() { close(kNoWindow); }
    CardWatch(const CardWatch&) = delete;
    CardWatch& operator=(const CardWatch&) = delete;

    bool open();
    // False when the request fails or the driver hands out address 0.
    bool attach();
    bool cardReady();
    // The answer comes as WM_MD_STATUS to `window`; whether the driver took it does not matter
    // to the caller, whose reply timer covers a request that is never answered.
    void requestStatus(Handle window);
    // Detaches `window` (when given), releases the block and closes the device.
    void close(Handle window);

    bool isOpen() const { return device_ != nullptr; }
    bool isAttached() const { return block_ != nullptr; }
    std::uint8_t unitStateByte() const { return block_ ? block_[card::kAreaA] : 0; }

private:
    std::uint32_t blockAddress() const;
    bool request(std::uint32_t code, const void* in, std::uint32_t inSize);

    card::CardDriver& driver_;
    std::unique_ptr<card::CardDevice> device_;
    std::uint8_t* block_ = nullptr;
};

}  // namespace tovik::launcher
