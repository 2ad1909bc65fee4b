#pragma once
// A font description as the label file and the profile keep it: the 60-byte LOGFONTA record,
// little-endian, written field by field so the bytes never depend on the compiler's layout.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tovik::label {

constexpr std::size_t kLogFontSize = 60;
constexpr std::size_t kFaceSize = 32;  // face name bytes, terminator included

using LogFontBytes = std::array<std::uint8_t, kLogFontSize>;

// Character sets of a record.
constexpr std::uint8_t ANSI_CHARSET = 0;
constexpr std::uint8_t DEFAULT_CHARSET = 1;  // any: the font mapper picks one
constexpr std::uint8_t MAC_CHARSET = 77;
constexpr std::uint8_t SHIFTJIS_CHARSET = 128;

// Pitch (low bits) and family (high bits) of a record.
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;
constexpr std::uint8_t FF_ROMAN = 0x10;
constexpr std::uint8_t FF_SWISS = 0x20;
constexpr std::uint8_t FF_MODERN = 0x30;
constexpr std::uint8_t FF_SCRIPT = 0x40;
constexpr std::uint8_t FF_DECORATIVE = 0x50;

struct LogFont {
    std::int32_t height = 0;  // negative: character height
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;  // 400 normal, 700 bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    // Always zero-terminated, with zeros after the terminator: a face of 32 non-zero bytes
    // loses its last byte, so no reader ever runs past the field.
    std::array<char, kFaceSize> faceName{};

    std::string face() const;
    // Stores at most 31 bytes of the name (up to its first zero) and zero-fills the rest.
    void setFace(std::string_view name);

    LogFontBytes toBytes() const;
    static LogFont fromBytes(std::span<const std::uint8_t, kLogFontSize> bytes);

    bool operator==(const LogFont&) const = default;
};

}  // namespace tovik::label
