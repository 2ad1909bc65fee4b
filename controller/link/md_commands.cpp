#include "controller/link/md_commands.h"

namespace tovik::link {

namespace {

// clang-format off
constexpr CommandInfo kCommands[] = {
//   code             name           params  parameters   sel  control
    {MDCMD_PLAY,      "play",        0, "",               1, IDC_MDPLAY},
    {MDCMD_STOP,      "stop",        0, "",               1, IDC_MDSTOP},
    {MDCMD_NEXT,      "next",        0, "",               1, IDC_UP},
    {MDCMD_PREV,      "prev",        0, "",               1, IDC_DOWN},
    {MDCMD_FF,        "ff",          0, "",               1, IDC_FF},  // latched
    {MDCMD_REV,       "rev",         0, "",               1, IDC_REV},  // latched
    {MDCMD_SEARCH_STOP, "search-stop", 0, "",             1, 0},  // FF/REV unlatched
    {MDCMD_TIME,      "time",        0, "",               1, IDC_TIME},
    {MDCMD_SYNC_REC,  "sync-rec",    0, "",               1, IDC_SYNC_REC},
    {MDCMD_REC,       "rec",         0, "",               1, IDC_REC},
    {MDCMD_REC_MODE,  "rec-mode",    0, "",               1, IDC_RECMODE},
    {MDCMD_AUTO_MARK, "auto-mark",   0, "",               1, IDC_AUTOMARK},
    {MDCMD_POWER,     "power",       0, "",               1, IDC_POWER},
    {MDCMD_ACCESS,    "access",      0, "",               1, IDC_ACCESS},
    {MDCMD_CLOSE,     nullptr,       0, "",               1, 0},  // the controller closes
    {MDCMD_GOTO,      "goto",        1, "TRACK",          1, 0},  // end of a read cycle
    {MDCMD_ERASE,     "erase",       1, "TRACK",          1, 0},
    {MDCMD_ERASE_ALL, "erase-all",   0, "",               1, 0},
    {MDCMD_MOVE,      "move",        2, "FROM TO",        1, 0},
    {MDCMD_COMBINE,   "combine",     1, "TRACK",          1, 0},  // with the one before
    {MDCMD_DIVIDE,    "divide",      0, "",               1, 0},  // at the current position
};
// clang-format on

}  // namespace

std::span<const CommandInfo> commandTable() { return kCommands; }

const CommandInfo* findCommand(std::uint8_t code) {
    for (const CommandInfo& c : kCommands) {
        if (c.code == code) return &c;
    }
    return nullptr;
}

const CommandInfo* findCommandByName(std::string_view name) {
    for (const CommandInfo& c : kCommands) {
        if (c.name && name == c.name) return &c;
    }
    return nullptr;
}

const CommandInfo* commandForControl(int controlId) {
    if (controlId == IDC_FF || controlId == IDC_REV) return nullptr;
    for (const CommandInfo& c : kCommands) {
        if (c.control != 0 && c.control == controlId) return &c;
    }
    return nullptr;
}

std::optional<std::uint8_t> latchCommand(int controlId, bool latched) {
    if (controlId != IDC_FF && controlId != IDC_REV) return std::nullopt;
    if (!latched) return MDCMD_SEARCH_STOP;
    return controlId == IDC_FF ? MDCMD_FF : MDCMD_REV;
}

}  // namespace tovik::link
