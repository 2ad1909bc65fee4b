#pragma once
// The part of a card device that both drivers share: it checks each control request against
// the layouts the programs use, hands out and releases the shared blocks (mapped below 4 GiB),
// and turns the unit's answers into filled areas and posted messages. How a request reaches
// the unit (the same process or the vtovikmd daemon) is the subclass's business.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "cardsim/card_device.h"
#include "cardsim/card_service.h"
#include "cardsim/low_memory.h"
#include "platform/window.h"

namespace tovik::card {

class DriverDevice : public CardDevice {
public:
    explicit DriverDevice(WindowSystem& windows) : windows_(windows) {}
    ~DriverDevice() override;

    bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize) final;

    std::size_t attachedBlocks() const { return blocks_.size(); }
    std::size_t outstanding() const { return outstanding_.size(); }

protected:
    // Fills the area and posts the answer; answers for a released block or a detached window
    // are dropped.
    void deliver(const UnitAnswer& answer);

    virtual bool unitCardReady() = 0;
    virtual bool unitSetVolume(std::uint8_t volume) = 0;
    virtual bool unitSubmit(std::uint64_t tag, const UnitRequest& request) = 0;
    virtual void unitCancel(std::uint64_t tag) = 0;

private:
    struct Outstanding {
        Handle window;
        Msg msg;
        std::uint32_t address;
        std::uint32_t areaSize;
    };
    bool attach(const std::uint8_t* in, std::uint32_t inSize, void* out, std::uint32_t outSize);
    bool release(std::uint32_t address);
    bool detachWindow(Handle window);
    // The block byte at this address, when [address, address+size) lies in one attached block
    // at the given offset from its start.
    std::uint8_t* area(std::uint32_t address, std::uint32_t offset, std::uint32_t size) const;
    bool asynchronous(std::uint32_t code, const std::uint8_t* in, std::uint32_t inSize);

    WindowSystem& windows_;
    std::vector<std::unique_ptr<LowMemory>> blocks_;
    std::map<std::uint64_t, Outstanding> outstanding_;
    std::uint64_t nextTag_ = 1;
};

}  // namespace tovik::card
