#include "cardsim/driver_device.h"

#include <algorithm>
#include <cstring>

namespace tovik::card {

DriverDevice::~DriverDevice() = default;

bool DriverDevice::control(std::uint32_t code, const void* inRaw, std::uint32_t inSize, void* out,
                           std::uint32_t outSize) {
    const auto* in = static_cast<const std::uint8_t*>(inRaw);
    if (!in && inSize) return false;
    switch (code) {
    case MDIO_ATTACH_BLOCK: return attach(in, inSize, out, outSize);
    case MDIO_RELEASE_BLOCK: return inSize == 4 && release(getU32(in));
    case MDIO_CARD_READY: return unitCardReady();
    case MDIO_DETACH_WINDOW: return inSize == 4 && detachWindow(getU32(in));
    case MDIO_SET_VOLUME: return inSize == 5 && unitSetVolume(in[4]);
    case MDIO_READ_NAME:
    case MDIO_WRITE_NAME:
    case MDIO_SEND_COMMAND:
    case MDIO_GET_STATUS:
    case MDIO_GET_METER_STATUS:
    case MDIO_GET_MODEL: return asynchronous(code, in, inSize);
    default: return false;
    }
}

bool DriverDevice::attach(const std::uint8_t* in, std::uint32_t inSize, void* out, std::uint32_t outSize) {
    if (inSize != 4 || !out || outSize < 4) return false;
    const std::uint32_t size = getU32(in);
    if (size == 0 || size > kBlockSize) return false;
    auto block = std::make_unique<LowMemory>(size);
    if (!block->valid()) return false;
    putU32(static_cast<std::uint8_t*>(out), block->address());
    blocks_.push_back(std::move(block));
    return true;
}

bool DriverDevice::release(std::uint32_t address) {
    auto it = std::find_if(blocks_.begin(), blocks_.end(),
                           [&](const auto& b) { return b->address() == address; });
    if (it == blocks_.end()) return false;
    const LowMemory& block = **it;
    for (auto o = outstanding_.begin(); o != outstanding_.end();) {
        if (o->second.address >= address && o->second.address < address + block.size()) {
            unitCancel(o->first);
            o = outstanding_.erase(o);
        } else {
            ++o;
        }
    }
    blocks_.erase(it);
    return true;
}

bool DriverDevice::detachWindow(Handle window) {
    for (auto o = outstanding_.begin(); o != outstanding_.end();) {
        if (o->second.window == window) {
            unitCancel(o->first);
            o = outstanding_.erase(o);
        } else {
            ++o;
        }
    }
    return true;
}

std::uint8_t* DriverDevice::area(std::uint32_t address, std::uint32_t offset, std::uint32_t size) const {
    for (const auto& b : blocks_) {
        if (address - offset == b->address() && address >= offset && offset + size <= b->size())
            return b->data() + offset;
    }
    return nullptr;
}

bool DriverDevice::asynchronous(std::uint32_t code, const std::uint8_t* in, std::uint32_t inSize) {
    const std::uint32_t expected = code == MDIO_SEND_COMMAND ? 13 : 8;
    if (inSize != expected) return false;
    UnitRequest request;
    request.code = code;
    const Handle window = getU32(in);
    std::uint32_t address = 0, offset = 0, size = kStatusSize;
    Msg msg = WM_MD_STATUS;
    switch (code) {
    case MDIO_SEND_COMMAND:
        request.command = in[4];
        request.p1 = in[5];
        request.p2 = in[6];
        request.p3 = in[7];
        request.selector = in[8];
        address = getU32(in + 9);
        offset = request.selector ? kAreaB : kAreaA;
        msg = request.selector ? WM_MD_METER : WM_MD_STATUS;
        break;
    case MDIO_GET_STATUS: address = getU32(in + 4); offset = kAreaA; break;
    case MDIO_GET_METER_STATUS: address = getU32(in + 4); offset = kAreaB; msg = WM_MD_METER; break;
    case MDIO_GET_MODEL: address = getU32(in + 4); offset = kAreaC; size = kModelSize; msg = WM_MD_MODEL; break;
    case MDIO_READ_NAME:
    case MDIO_WRITE_NAME:
        address = getU32(in + 4);
        offset = code == MDIO_READ_NAME ? kReadName : kWriteName;
        size = kNameRecordSize;
        msg = WM_MD_NAME;
        break;
    }
    std::uint8_t* target = area(address, offset, size);
    if (!target || window == kNoWindow) return false;
    if (code == MDIO_READ_NAME || code == MDIO_WRITE_NAME) {
        request.nameKind = getU32(target);
        request.nameIndex = getU32(target + 4);
    }
    if (code == MDIO_WRITE_NAME) {
        const char* text = reinterpret_cast<const char*>(target + 16);
        request.text.assign(text, strnlen(text, kNameTextSize));
    }
    const std::uint64_t tag = nextTag_++;
    // Known before it is sent: a fast unit may answer while the request is still being accepted.
    outstanding_[tag] = Outstanding{window, msg, address, size};
    if (unitSubmit(tag, request)) return true;
    outstanding_.erase(tag);
    return false;
}

void DriverDevice::deliver(const UnitAnswer& answer) {
    auto it = outstanding_.find(answer.tag);
    if (it == outstanding_.end()) return;
    const Outstanding o = it->second;
    outstanding_.erase(it);
    // The block must still be attached; the area is checked again as at the request.
    std::uint8_t* target = nullptr;
    for (const auto& b : blocks_)
        if (o.address >= b->address() && o.address + o.areaSize <= b->address() + b->size())
            target = b->data() + (o.address - b->address());
    if (!target) return;
    if (!answer.area.empty())
        std::memcpy(target, answer.area.data(), std::min<std::size_t>(answer.area.size(), o.areaSize));
    windows_.post(o.window, o.msg, answer.result, static_cast<LParam>(o.address));
}

}  // namespace tovik::card
