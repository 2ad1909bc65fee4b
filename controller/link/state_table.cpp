#include "controller/link/state_table.h"

#include "controller/link/md_mode.h"

namespace tovik::link {

namespace {

// clang-format off
const std::array<StateRow, kStateRowCount> kRows = {{
//            POWER MIXER ACCESS MDPLAY MDSTOP FF REV UP DOWN TIME REC SYNC_REC AUTOMARK RECMODE SLEEVON volume INIT TOCEDIT | Edit Track, ALL ERASE, ERASE, MOVE, DIVIDE, COMBINE | poll N | track name, disc name
    { 0, 0x10000000, {1,1,1, 0,0, 0,0, 0,0, 0, 0,0, 0,0, 0, 0, 0, 0,   0,0,0,0,0,0,   0,   0,0}},
    { 1, 0x00000001, {1,1,1, 0,0, 0,0, 0,0, 0, 0,0, 0,0, 0, 1, 0, 0,   0,0,0,0,0,0,   0,   0,0}},
    { 2, 0x00200000, {1,1,1, 0,0, 0,0, 0,0, 0, 0,0, 0,0, 0, 1, 1, 0,   0,0,0,0,0,0,   0,   0,0}},
    { 3, 0x00000102, {1,1,1, 0,0, 0,0, 0,0, 0, 0,0, 1,1, 0, 1, 1, 0,   0,0,0,0,0,0,   2,   0,0}},
    { 4, 0x00000104, {1,1,1, 0,0, 0,0, 0,0, 0, 0,0, 1,1, 0, 1, 1, 0,   0,0,0,0,0,0,   0,   0,0}},
    { 5, 0x00010202, {1,1,1, 1,1, 0,0, 0,0, 1, 0,0, 1,1, 1, 1, 1, 0,   0,0,0,0,0,0,   2,   0,0}},
    { 6, 0x00010204, {1,1,1, 1,1, 0,0, 1,1, 1, 0,0, 1,1, 1, 1, 1, 0,   0,0,0,0,0,0,   0,   0,0}},
    { 7, 0x00020204, {1,1,1, 1,1, 1,1, 1,1, 1, 0,0, 1,1, 0, 1, 1, 0,   0,0,0,0,0,0,   1,   0,0}},
    { 8, 0x00080204, {1,1,1, 1,1, 1,1, 1,1, 1, 0,0, 1,1, 0, 1, 1, 0,   0,0,0,0,0,0,   0,   0,0}},
    { 9, 0x00010402, {1,1,1, 1,1, 0,0, 0,0, 1, 1,1, 1,1, 1, 1, 1, 0,   0,0,0,0,0,0,   2,   0,0}},
    {10, 0x00100402, {1,1,1, 1,1, 0,0, 0,0, 1, 0,0, 1,1, 0, 1, 1, 0,   0,0,0,0,0,0,   2,   0,0}},
    {11, 0x00400402, {1,1,1, 1,1, 0,0, 0,0, 1, 0,0, 0,0, 0, 1, 1, 0,   0,0,0,0,0,0,   2,   0,0}},
    {12, 0x00040402, {1,1,1, 1,1, 0,0, 0,0, 1, 1,0, 0,0, 0, 1, 1, 0,   0,0,0,0,0,0,   2,   0,0}},
    {13, 0x00010404, {1,1,1, 1,1, 0,0, 1,1, 1, 0,0, 1,1, 1, 1, 1, 1,   1,1,1,1,0,1,   0,   1,1}},
    {14, 0x00020404, {1,1,1, 1,1, 1,1, 1,1, 1, 0,0, 1,1, 0, 1, 1, 0,   0,0,0,0,0,0,   1,   0,0}},
    {15, 0x00080404, {1,1,1, 1,1, 1,1, 1,1, 1, 0,0, 1,1, 0, 1, 1, 1,   0,1,1,1,1,1,   0,   1,0}},
    {16, 0xFFFFFFFF, {1,1,1, 0,0, 0,0, 0,0, 0, 0,0, 0,0, 0, 1, 0, 0,   0,0,0,0,0,0,   0,   0,0}},
}};
// clang-format on

const char* const kColumnNames[kColumnCount] = {
    "POWER", "MIXER", "ACCESS", "MDPLAY", "MDSTOP", "FF", "REV", "UP", "DOWN", "TIME", "REC",
    "SYNC_REC", "AUTOMARK", "RECMODE", "SLEEVON", "volume", "INIT", "TOCEDIT",
    "Edit Track", "ALL ERASE", "ERASE", "MOVE", "DIVIDE", "COMBINE",
    "poll N",
    "track name", "disc name",
};

// Class bits by the high nibble of the unit state (0 has its own class, see classifyStatus).
constexpr std::uint32_t kReadyBit1 = 0x4;         // nibble 1
constexpr std::uint32_t kReadyBit2 = 0x2;         // nibble 2
constexpr std::uint32_t kNotAccessibleBit = 0x1;  // nibble 3 and above
constexpr std::uint32_t kNoUnitClass = 0x10000000;
constexpr std::uint32_t kHiddenClass = 0x200000;  // mode 17 replaces every other bit

struct ModeBit {
    std::uint8_t mode;
    std::uint32_t bit;
};
constexpr ModeBit kModeBits[] = {
    {2, 0x10000}, {4, 0x80000}, {5, 0x20000}, {7, 0x100000}, {8, 0x100000},
    {9, 0x40000}, {10, 0x800000}, {16, 0x400000},
};

constexpr std::uint32_t kNoDiscBit = 0x100;
constexpr std::uint32_t kRecordableBit = 0x400;
constexpr std::uint32_t kPrerecordedBit = 0x200;

}  // namespace

const char* columnName(Column column) { return kColumnNames[static_cast<std::size_t>(column)]; }

const std::array<StateRow, kStateRowCount>& stateTable() { return kRows; }

std::optional<std::uint32_t> classifyStatus(const MdStatus& s) {
    const unsigned nibble = s.accessNibble();
    if (nibble == 0) return kNoUnitClass;
    std::uint32_t cls = nibble == 1 ? kReadyBit1 : nibble == 2 ? kReadyBit2 : kNotAccessibleBit;

    if (s.mode == MODE_LEVELS) return std::nullopt;
    if (s.mode == MODE_HIDDEN) return kHiddenClass;
    for (const ModeBit& m : kModeBits) {
        if (m.mode == s.mode) cls |= m.bit;
    }

    if (s.discState == 0) {
        cls |= kNoDiscBit;
    } else {
        cls |= s.recordable ? kRecordableBit : kPrerecordedBit;
    }
    return cls;
}

const StateRow& selectRow(std::uint32_t statusClass) {
    for (const StateRow& row : kRows) {
        if ((row.mask & statusClass) == statusClass) return row;
    }
    return kRows.back();  // unreachable: the last mask holds every bit
}

}  // namespace tovik::link
