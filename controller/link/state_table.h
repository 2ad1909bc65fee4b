#pragma once
// From a unit status to what the panel allows: the status is classified into a set of bits, and
// the first row of the state table whose mask holds every bit of the class decides which
// controls are enabled, which editing commands and name edits are allowed, and the poll value N.

#include <array>
#include <cstdint>
#include <optional>

#include "controller/link/md_status.h"

namespace tovik::link {

// The table's columns, left to right. The first 18 are panel controls (Volume stands for VUP,
// VDOWN and the volume slider together); then the six commands of the editing popup, the poll
// value N, and the two name-edit permissions.
enum class Column : std::uint8_t {
    POWER, MIXER, ACCESS, MDPLAY, MDSTOP, FF, REV, UP, DOWN, TIME, REC, SYNC_REC, AUTOMARK,
    RECMODE, SLEEVON, Volume, INIT, TOCEDIT,
    EditTrack, AllErase, Erase, Move, Divide, Combine,
    PollN,
    TrackName, DiscName,
};
constexpr std::size_t kColumnCount = 27;
constexpr std::size_t kControlColumnCount = 18;  // POWER .. TOCEDIT
constexpr std::size_t kPopupColumnCount = 6;     // EditTrack .. Combine
constexpr Column kFirstPopupColumn = Column::EditTrack;

// The column's name as the table's header writes it ("POWER", "volume", "Edit Track", ...).
const char* columnName(Column column);

struct StateRow {
    int number;
    std::uint32_t mask;
    std::array<std::uint8_t, kColumnCount> cells;

    bool allows(Column c) const { return cells[static_cast<std::size_t>(c)] != 0; }
    unsigned pollN() const { return cells[static_cast<std::size_t>(Column::PollN)]; }
};

constexpr std::size_t kStateRowCount = 17;
const std::array<StateRow, kStateRowCount>& stateTable();

// Class bits of a status. Empty in mode 6 (levels only): that status leaves the row in force.
std::optional<std::uint32_t> classifyStatus(const MdStatus& status);

// The first row, in table order, whose mask holds every bit of the class; the last row holds all.
const StateRow& selectRow(std::uint32_t statusClass);

}  // namespace tovik::link
