#pragma once
// The record the format bar and the document exchange: a notification header followed by the
// 60-byte CHARFORMAT layout.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "platform/types.h"

namespace tovik::label {

constexpr std::uint32_t CFM_SIZE = 0x80000000;
constexpr std::uint32_t CFM_FACE = 0x20000000;
constexpr std::uint32_t CFM_CHARSET = 0x08000000;

struct CharFormat {
    std::uint32_t cbSize = 60;
    std::uint32_t dwMask = 0;
    std::uint32_t dwEffects = 0;
    std::int32_t yHeight = 0;  // the font height value: the stored font height negated
    std::int32_t yOffset = 0;
    std::uint32_t crTextColor = 0;
    std::uint8_t bCharSet = 0;
    std::uint8_t bPitchAndFamily = 0;
    std::array<char, 32> szFaceName{};  // zero-terminated, at most 31 bytes of name

    // The face name up to its terminator, at most 31 bytes even when a sender left none.
    std::string_view faceName() const {
        const auto end = std::find(szFaceName.begin(), szFaceName.end() - 1, '\0');
        return std::string_view(szFaceName.data(), static_cast<std::size_t>(end - szFaceName.begin()));
    }
};
static_assert(sizeof(CharFormat) == 60, "CHARFORMAT is 60 bytes");

struct NotifyHeader {
    Handle hwndFrom = kNoWindow;
    unsigned idFrom = 0;
    int code = 0;
};

struct FormatNotify {
    NotifyHeader hdr;
    CharFormat cf;
};

}  // namespace tovik::label
