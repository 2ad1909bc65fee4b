#pragma once
// Texts of the link: its failures, the unit's error codes, and the persistent display messages
// for a failed answer, a unit that is not accessible and a missing disc.

#include <cstdint>
#include <optional>

#include "controller/link/md_status.h"

namespace tovik::link {

// String ids (Rotela's table).
enum LinkMessageId : unsigned {
    IDS_TIMEOUT = 57682,           // "MD Communication error\n(Time out)"
    IDS_TIMER_FULL = 57687,        // "Timer resource is full."
    IDS_DRIVER_NOT_FOUND = 57689,  // "vtovikmd.vxd is not found."
    IDS_CONTROLLER_TITLE = 57706,  // "TOVIK MD Controller"
    IDS_CARD_NOT_READY = 57708,    // "PC Card removed.\nCan't execute MD controller."
    IDS_CARD_REMOVED = 57709,      // "PC Card removed!\nExit MD controller."
};

enum UnitMessageId : unsigned {
    IDS_NOT_ACCESS = 57673,
    IDS_NO_DISC = 57681,
    IDS_CANT_ACCESS = 57691,
    IDS_DISC_FULL = 57692,
    IDS_TOC_FULL = 57693,
    IDS_CANT_EDIT = 57694,
    IDS_CANT_REC = 57695,
    IDS_DISC_ERROR = 57696,
    IDS_NOT_AUDIO = 57697,
    IDS_TOC_ERROR = 57698,
    IDS_U_TOC_ERROR = 57699,
    IDS_U_TOC_W_ERROR = 57700,
    IDS_UNKNOWN_DISC = 57701,
};

// The message for an error code of the unit; empty for codes that have none (0 among them).
std::optional<unsigned> errorMessageId(std::uint8_t errorCode);

// The message the display shows for this status: the persistent one ("Can't ACCESS" for a
// failed answer, "NOT ACCESS", "NO DISC") over the error code's temporary one. Empty while the
// display is dark (no unit), while its contents are hidden (mode 17), or when nothing applies.
std::optional<unsigned> displayMessageId(const MdStatus& status, bool failed);

}  // namespace tovik::link
