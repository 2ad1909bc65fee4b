#pragma once
// The command bytes the controller sends to the MD unit with SendCommand, as one table: the
// command, what its parameters are, the reply selector, the panel control that sends it, and the
// name mdctl knows it by. The controls' tooltips are in the panel's layout (controller/ui).

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tovik::link {

enum MdCommand : std::uint8_t {
    MDCMD_PLAY = 17,
    MDCMD_STOP = 18,
    MDCMD_NEXT = 19,
    MDCMD_PREV = 20,
    MDCMD_FF = 21,
    MDCMD_REV = 22,
    MDCMD_TIME = 23,
    MDCMD_SYNC_REC = 24,
    MDCMD_REC = 25,
    MDCMD_REC_MODE = 26,
    MDCMD_AUTO_MARK = 27,
    MDCMD_CLOSE = 30,
    MDCMD_POWER = 31,
    MDCMD_ACCESS = 32,
    MDCMD_ERASE = 33,
    MDCMD_ERASE_ALL = 34,
    MDCMD_MOVE = 35,
    MDCMD_COMBINE = 36,
    MDCMD_DIVIDE = 37,
    MDCMD_SEARCH_STOP = 38,
    MDCMD_GOTO = 39,
};

// Control ids of the panel's buttons that send commands.
enum PanelControl : int {
    IDC_MIXER = 1000,
    IDC_POWER = 1001,
    IDC_ACCESS = 1002,
    IDC_INIT = 1004,
    IDC_REV = 1005,
    IDC_FF = 1006,
    IDC_DOWN = 1007,
    IDC_UP = 1008,
    IDC_MDPLAY = 1009,
    IDC_MDSTOP = 1010,
    IDC_REC = 1011,
    IDC_SYNC_REC = 1012,
    IDC_TIME = 1013,
    IDC_RECMODE = 1014,
    IDC_AUTOMARK = 1015,
    IDC_TOCEDIT = 1016,
    IDC_SLEEVON = 1017,
    IDC_CLOSE = 1019,
};

struct CommandInfo {
    std::uint8_t code;
    const char* name;     // mdctl's name; null where the command has none
    std::uint8_t params;  // how many of p1, p2 carry a value (p3 is always 0)
    const char* paramNames;  // what p1 and p2 mean, for usage texts
    std::uint8_t selector;   // 0: answer in area A (0x901); else area B (0x903)
    int control;             // panel control that sends it, 0 for none
};

std::span<const CommandInfo> commandTable();
const CommandInfo* findCommand(std::uint8_t code);
const CommandInfo* findCommandByName(std::string_view name);
// The command a panel button sends when clicked (FF and REV latch instead; see latchCommand).
const CommandInfo* commandForControl(int controlId);

// FF and REV are latch buttons: latching starts the search, unlatching stops it.
std::optional<std::uint8_t> latchCommand(int controlId, bool latched);

}  // namespace tovik::link
