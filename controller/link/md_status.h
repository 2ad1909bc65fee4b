#pragma once
// The controller's decoded status of the MD unit, and its decoding from the 13 raw bytes the
// driver writes into status area A (after GetStatus, or a command with selector 0) or area B
// (after GetMeterStatus, or a command with a non-zero selector).

#include <cstdint>

namespace tovik::link {

struct MdStatus {
    std::uint8_t unitState = 0;     // byte 0; high nibble 0 no unit, 1 or 2 ready, 3+ no access
    std::uint8_t mode = 0;          // byte 1 through decodeMode()
    std::uint8_t subState = 0;      // byte 2 bits 0-2: time display mode
    std::uint32_t flagA = 0;        // 1 when byte 2 bit 4 is set: automatic track marks
    std::uint32_t flagB = 0;        // 1 when byte 2 bit 5 is clear; 0 lights MONO LP
    std::uint8_t lowBits = 0;       // byte 3 & 3
    std::uint8_t discState = 0;     // byte 3 >> 6; 0 means no disc
    std::uint8_t currentTrack = 0;  // byte 6
    std::uint8_t volume = 0;        // byte 7, 0..30
    std::uint32_t recordable = 0;   // 1 when byte 4 bit 2 is set
    std::uint8_t minutes = 0;       // byte 9
    std::uint8_t seconds = 0;       // byte 10
    std::uint8_t spare = 0;         // area A byte 11
    std::uint8_t totalTracks = 0;   // area A byte 12
    std::uint8_t leftLevel = 0;     // area B byte 11
    std::uint8_t rightLevel = 0;    // area B byte 12
    std::uint8_t errorCode = 0;     // byte 8

    // High nibble of the unit state: 0 no unit, 1 and 2 the two ready classes, 3+ not accessible.
    unsigned accessNibble() const { return unitState >> 4; }
    bool unitReady() const { return accessNibble() == 1 || accessNibble() == 2; }
    bool noDisc() const { return discState == 0; }

    bool operator==(const MdStatus&) const = default;
};

enum class StatusArea { A, B };

constexpr unsigned kRawStatusSize = 13;

// Decodes one raw area (kRawStatusSize bytes) into the record. Area A leaves the level fields as they were; area B
// leaves the spare byte and the total track count as they were.
void decodeStatus(const std::uint8_t* raw, StatusArea area, MdStatus& status);

}  // namespace tovik::link
