#pragma once
// A status as people and scripts read it: every decoded field by its name, the state row it
// selects, the columns that row enables, the poll value and the display's message. Used by
// mdctl and by Rotela's plain status window.

#include <optional>
#include <string>
#include <vector>

#include "controller/link/button_state.h"
#include "controller/link/md_status.h"
#include "platform/strings.h"

namespace tovik::link {

struct StatusReport {
    std::string model;                 // empty where the unit was not asked
    MdStatus status;
    std::optional<int> row;            // empty where mode 6 leaves the row in force
    std::vector<std::string> enabled;  // the row in force's enabled columns, header names
    unsigned poll = 0;                 // N of the row in force
    std::optional<std::string> message;
};

// The report for a status just applied to `buttons` (row is what apply() returned).
StatusReport makeReport(const MdStatus& status, std::optional<int> row, const ButtonState& buttons,
                        const StringTable& strings, bool failed = false);

// One JSON object on one line; field names as in the decoded status ("unit_state", ...).
std::string toJson(const StatusReport& report);
// "name: value" lines for people.
std::string toText(const StatusReport& report);

// Decodes 26 hex digits (spaces and colons between bytes allowed) into 13 raw bytes.
std::optional<std::vector<std::uint8_t>> parseRawStatus(const std::string& hex);

}  // namespace tovik::link
