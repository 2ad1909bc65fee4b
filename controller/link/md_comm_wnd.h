#pragma once
// The link to the card driver: the open device, the block of memory shared with the driver and
// a hidden window that receives the driver's answers. Every request is one member call that
// returns at once; the answer arrives later at the hidden window, which decodes status areas into
// the owner's MdStatus and re-posts the answer to the owner window (the panel, or the track list
// editor while it borrows the link).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cardsim/card_device.h"
#include "controller/link/md_status.h"
#include "platform/window.h"

namespace tovik::link {

// Messages the owner receives. wParam is the driver's result (0 = success).
constexpr Msg WM_MD_NAME_READ = 0x900;     // lParam: the read-name record
constexpr Msg WM_MD_STATUS_A = 0x901;      // lParam 0; MdStatus decoded from area A on success
constexpr Msg WM_MD_MODEL = 0x902;         // lParam 1 when the unit is a "ZQ-41", else 0
constexpr Msg WM_MD_STATUS_B = 0x903;      // lParam 0; MdStatus decoded from area B on success
constexpr Msg WM_MD_NAME_WRITTEN = 0xC00;  // lParam: the write-name record

enum NameKind : std::uint32_t { NAME_DISC = 0, NAME_TRACK = 1 };

// One name transfer, as laid out in the shared block (2064 bytes, both name records).
struct MdNameTransfer {
    std::uint32_t kind = 0;    // NameKind
    std::uint32_t index = 0;   // track number; 0 for the disc
    std::uint32_t flag = 0;
    std::uint32_t length = 0;  // out: capacity; after a read: bytes of text with its terminator
    char text[card::kNameTextSize] = {};
};
static_assert(sizeof(MdNameTransfer) == card::kNameRecordSize);

class CMdCommWnd : private MessageTarget {
public:
    // The hidden window's identity.
    static constexpr const char* kWindowClass = "PcCardComunicationCtrlClass";
    static constexpr const char* kWindowTitle = "PcCardComunicationCtrl";
    static constexpr int kWindowId = 202;
    static constexpr const char* kModelZq41 = "ZQ-41";

    CMdCommWnd(WindowSystem& windows, card::CardDriver& driver);
    ~CMdCommWnd();
    CMdCommWnd(const CMdCommWnd&) = delete;
    CMdCommWnd& operator=(const CMdCommWnd&) = delete;

    // Each returns true when the driver accepted the request.
    bool Open();
    bool CardReady();
    // Creates the hidden window, clears the status record and attaches the shared block.
    bool Attach(Handle owner, MdStatus* status);
    bool GetModel();
    bool GetStatus();
    bool GetMeterStatus();
    // Selector 0 puts the unit's answer in area A (0x901), anything else in area B (0x903).
    bool SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                     std::uint8_t selector);
    bool SetVolume(std::uint8_t level);
    // kind NameKind; flag 0 sets the record's flag field to 1, anything else to 0.
    bool ReadName(std::uint32_t kind, std::uint32_t index, int flag);
    // discText is already in disc form; false without a request when it does not fit the record.
    bool WriteName(std::uint32_t kind, std::uint32_t index, std::string_view discText);
    void SetOwner(Handle owner) { owner_ = owner; }
    // Detaches the window, releases the block, closes the device. Safe to call at any stage.
    void Close();

    // The current track byte of area A, and whether the last decoded status has no disc.
    std::uint8_t CurrentTrack() const;
    bool NoDisc() const;

    Handle owner() const { return owner_; }
    Handle window() const { return window_; }
    bool isOpen() const { return device_ != nullptr; }
    bool isAttached() const { return block_ != nullptr; }
    // The name record an 0x900 or 0xC00 names in lParam; empty for any other lParam.
    std::optional<MdNameTransfer> nameRecord(LParam lParam) const;
    // The model string the unit reported (area C up to its first zero).
    std::string model() const;

private:
    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;
    bool request(card::Request code, const void* in, std::uint32_t inSize);
    bool requestForArea(card::Request code, std::uint32_t areaOffset);
    std::uint32_t address(std::uint32_t offset) const;
    bool isArea(LParam lParam, std::uint32_t offset) const;

    WindowSystem& windows_;
    card::CardDriver& driver_;
    std::unique_ptr<card::CardDevice> device_;
    Handle owner_ = kNoWindow;
    Handle window_ = kNoWindow;
    MdStatus* status_ = nullptr;
    std::uint8_t* block_ = nullptr;
};

}  // namespace tovik::link
