#pragma once
// The 13-byte status areas (A and B of the shared block) as the unit writes them, and the
// operation codes the unit reports for each of its phases. The link decodes an operation code
// to a mode: 0x76 -> 7, 0x96 -> 16, 0x7E -> 9, 0x10-0x17 and 0x38-0x3F -> 17, high nibble
// 7-9 -> 20, otherwise the high nibble; the codes below are chosen to land on the modes the
// panel knows.

#include <cstddef>
#include <cstdint>

namespace tovik::card::status {

// Byte offsets inside a status area.
constexpr std::size_t kUnitState = 0;   // high nibble: 0 off/no unit, 1 PC access on, 2 off, 3 busy
constexpr std::size_t kOperation = 1;
constexpr std::size_t kFlags = 2;       // bits 0-2 time display, bit 4 auto marks, bit 5 mono/LP
constexpr std::size_t kDiscState = 3;   // bits 6-7: 0 no disc
constexpr std::size_t kDiscKind = 4;    // bit 2: recordable
constexpr std::size_t kTrack = 6;
constexpr std::size_t kVolume = 7;
constexpr std::size_t kError = 8;
constexpr std::size_t kMinutes = 9;
constexpr std::size_t kSeconds = 10;
constexpr std::size_t kSpare = 11;        // area A
constexpr std::size_t kTotalTracks = 12;  // area A
constexpr std::size_t kLevelLeft = 11;    // area B
constexpr std::size_t kLevelRight = 12;   // area B

constexpr std::uint8_t kAutoMarkBit = 0x10;
constexpr std::uint8_t kMonoBit = 0x20;
constexpr std::uint8_t kDiscPresent = 0x40;  // disc state 1
constexpr std::uint8_t kRecordableBit = 0x04;

// Unit-state byte values.
constexpr std::uint8_t kUnitOff = 0x00;
constexpr std::uint8_t kUnitPcAccessOn = 0x10;
constexpr std::uint8_t kUnitPcAccessOff = 0x20;
constexpr std::uint8_t kUnitNotAccessible = 0x30;

// Unit error codes (byte 8).
constexpr std::uint8_t kErrorNone = 0x00;
constexpr std::uint8_t kErrorCantRec = 0x50;
constexpr std::uint8_t kErrorCantEdit = 0x70;
constexpr std::uint8_t kErrorTocFull = 0xB0;
constexpr std::uint8_t kErrorDiscFull = 0xB1;

// Search adds one of these to the operation code of play (0x50) and pause (0x40): the mode
// stays 5 or 4, so the panel keeps FF and REV enabled while they are latched.
constexpr std::uint8_t kSearchForward = 0x01;
constexpr std::uint8_t kSearchBackward = 0x02;

// Model string in area C.
constexpr char kModel[] = "ZQ-41";

}  // namespace tovik::card::status
