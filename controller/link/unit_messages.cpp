#include "controller/link/unit_messages.h"

#include "controller/link/md_mode.h"

namespace tovik::link {

namespace {

struct ErrorRange {
    std::uint8_t first;
    std::uint8_t last;
    unsigned message;
};

constexpr ErrorRange kErrorMessages[] = {
    {0x30, 0x32, IDS_DISC_ERROR},
    {0x40, 0x40, IDS_U_TOC_W_ERROR},
    {0x50, 0x50, IDS_CANT_REC},
    {0x60, 0x60, IDS_NOT_AUDIO},
    {0x70, 0x70, IDS_CANT_EDIT},
    {0xB0, 0xB0, IDS_TOC_FULL},
    {0xB1, 0xB1, IDS_DISC_FULL},
    {0xC0, 0xC2, IDS_U_TOC_ERROR},
    {0xC4, 0xC4, IDS_U_TOC_ERROR},
    {0xD0, 0xD0, IDS_U_TOC_ERROR},
    {0xF9, 0xFA, IDS_TOC_ERROR},
    {0xFD, 0xFD, IDS_TOC_ERROR},
    {0xFC, 0xFC, IDS_UNKNOWN_DISC},
};

}  // namespace

std::optional<unsigned> errorMessageId(std::uint8_t code) {
    for (const ErrorRange& r : kErrorMessages) {
        if (code >= r.first && code <= r.last) return r.message;
    }
    return std::nullopt;
}

std::optional<unsigned> displayMessageId(const MdStatus& s, bool failed) {
    if (failed) return IDS_CANT_ACCESS;
    const unsigned nibble = s.accessNibble();
    if (nibble == 0) return std::nullopt;  // dark
    if (nibble >= 3) return IDS_NOT_ACCESS;
    if (s.mode == MODE_HIDDEN) return std::nullopt;
    if (s.discState == 0) return IDS_NO_DISC;
    return errorMessageId(s.errorCode);
}

}  // namespace tovik::link
