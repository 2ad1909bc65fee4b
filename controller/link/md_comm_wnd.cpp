#include "controller/link/md_comm_wnd.h"

#include <cstring>

namespace tovik::link {

namespace {

// The driver takes 4-byte little-endian values at fixed offsets.
void put32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t get32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

constexpr std::uint32_t kScratchSize = 80;

}  // namespace

CMdCommWnd::CMdCommWnd(WindowSystem& windows, card::CardDriver& driver)
    : windows_(windows), driver_(driver) {}

CMdCommWnd::~CMdCommWnd() { Close(); }

bool CMdCommWnd::request(card::Request code, const void* in, std::uint32_t inSize) {
    if (!device_) return false;
    std::uint8_t scratch[kScratchSize] = {};
    return device_->control(code, in, inSize, scratch, kScratchSize);
}

std::uint32_t CMdCommWnd::address(std::uint32_t offset) const {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block_ + offset));
}

bool CMdCommWnd::isArea(LParam lParam, std::uint32_t offset) const {
    return block_ && static_cast<std::uintptr_t>(lParam) == address(offset);
}

bool CMdCommWnd::requestForArea(card::Request code, std::uint32_t areaOffset) {
    if (!block_) return false;
    std::uint8_t in[8];
    put32(in, window_);
    put32(in + 4, address(areaOffset));
    return request(code, in, sizeof in);
}

bool CMdCommWnd::Open() {
    if (device_) return true;
    device_ = driver_.open(card::kDevicePath);
    return device_ != nullptr;
}

bool CMdCommWnd::CardReady() { return request(card::MDIO_CARD_READY, nullptr, 0); }

bool CMdCommWnd::Attach(Handle owner, MdStatus* status) {
    if (!device_) return false;
    owner_ = owner;
    status_ = status;
    if (window_ == kNoWindow) window_ = windows_.createWindow(*this);
    if (status_) *status_ = MdStatus{};

    std::uint8_t in[4];
    put32(in, card::kBlockSize);
    std::uint8_t out[kScratchSize] = {};
    if (!device_->control(card::MDIO_ATTACH_BLOCK, in, sizeof in, out, kScratchSize)) return false;
    const std::uint32_t base = get32(out);
    if (base == 0) return false;  // no block: nothing could ever be read or written
    block_ = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(base));
    return true;
}

bool CMdCommWnd::GetModel() { return requestForArea(card::MDIO_GET_MODEL, card::kAreaC); }
bool CMdCommWnd::GetStatus() { return requestForArea(card::MDIO_GET_STATUS, card::kAreaA); }
bool CMdCommWnd::GetMeterStatus() {
    return requestForArea(card::MDIO_GET_METER_STATUS, card::kAreaB);
}

bool CMdCommWnd::SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2,
                             std::uint8_t p3, std::uint8_t selector) {
    if (!block_) return false;
    std::uint8_t in[13];
    put32(in, window_);
    in[4] = command;
    in[5] = p1;
    in[6] = p2;
    in[7] = p3;
    in[8] = selector;
    put32(in + 9, address(selector == 0 ? card::kAreaA : card::kAreaB));
    return request(card::MDIO_SEND_COMMAND, in, sizeof in);
}

bool CMdCommWnd::SetVolume(std::uint8_t level) {
    std::uint8_t in[5];
    put32(in, window_);
    in[4] = level;
    return request(card::MDIO_SET_VOLUME, in, sizeof in);
}

bool CMdCommWnd::ReadName(std::uint32_t kind, std::uint32_t index, int flag) {
    if (!block_) return false;
    MdNameTransfer record;
    record.kind = kind;
    record.index = index;
    record.flag = flag == 0 ? 1 : 0;
    record.length = card::kNameTextSize;
    std::memcpy(block_ + card::kReadName, &record, sizeof record);
    return requestForArea(card::MDIO_READ_NAME, card::kReadName);
}

bool CMdCommWnd::WriteName(std::uint32_t kind, std::uint32_t index, std::string_view discText) {
    if (!block_ || discText.size() >= card::kNameTextSize) return false;
    MdNameTransfer record;
    record.kind = kind;
    record.index = index;
    record.length = card::kNameTextSize;
    std::memcpy(record.text, discText.data(), discText.size());  // the terminator is already 0
    std::memcpy(block_ + card::kWriteName, &record, sizeof record);
    return requestForArea(card::MDIO_WRITE_NAME, card::kWriteName);
}

void CMdCommWnd::Close() {
    if (device_) {
        if (window_ != kNoWindow) {
            std::uint8_t in[4];
            put32(in, window_);
            request(card::MDIO_DETACH_WINDOW, in, sizeof in);
        }
        if (block_) {
            std::uint8_t in[4];
            put32(in, address(0));
            request(card::MDIO_RELEASE_BLOCK, in, sizeof in);
        }
    }
    block_ = nullptr;
    device_.reset();
    if (window_ != kNoWindow) {
        windows_.destroyWindow(window_);
        window_ = kNoWindow;
    }
}

std::uint8_t CMdCommWnd::CurrentTrack() const { return block_ ? block_[card::kAreaA + 6] : 0; }

bool CMdCommWnd::NoDisc() const { return !status_ || status_->discState == 0; }

std::optional<MdNameTransfer> CMdCommWnd::nameRecord(LParam lParam) const {
    std::uint32_t offset;
    if (isArea(lParam, card::kReadName)) {
        offset = card::kReadName;
    } else if (isArea(lParam, card::kWriteName)) {
        offset = card::kWriteName;
    } else {
        return std::nullopt;
    }
    MdNameTransfer record;
    std::memcpy(&record, block_ + offset, sizeof record);
    return record;
}

std::string CMdCommWnd::model() const {
    if (!block_) return {};
    const char* text = reinterpret_cast<const char*>(block_ + card::kAreaC);
    return std::string(text, strnlen(text, card::kModelSize));
}

LResult CMdCommWnd::onMessage(Msg msg, WParam wParam, LParam lParam) {
    switch (msg) {
        case card::WM_MD_NAME:
            if (isArea(lParam, card::kReadName)) {
                windows_.post(owner_, WM_MD_NAME_READ, wParam, lParam);
            } else if (isArea(lParam, card::kWriteName)) {
                windows_.post(owner_, WM_MD_NAME_WRITTEN, wParam, lParam);
            }
            break;
        case card::WM_MD_STATUS:
            if (!isArea(lParam, card::kAreaA)) break;
            if (wParam == 0 && status_) decodeStatus(block_ + card::kAreaA, StatusArea::A, *status_);
            windows_.post(owner_, WM_MD_STATUS_A, wParam, 0);
            break;
        case card::WM_MD_MODEL: {
            if (!isArea(lParam, card::kAreaC)) break;
            const bool zq41 = std::memcmp(block_ + card::kAreaC, kModelZq41, 5) == 0;
            windows_.post(owner_, WM_MD_MODEL, wParam, zq41 ? 1 : 0);
            break;
        }
        case card::WM_MD_METER:
            if (!isArea(lParam, card::kAreaB)) break;
            if (wParam == 0 && status_) decodeStatus(block_ + card::kAreaB, StatusArea::B, *status_);
            windows_.post(owner_, WM_MD_STATUS_B, wParam, 0);
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace tovik::link
