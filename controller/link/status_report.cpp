#include "controller/link/status_report.h"

#include <cstdio>
#include <sstream>

#include "controller/link/unit_messages.h"
#include "platform/json.h"

namespace tovik::link {

namespace {

struct Field {
    const char* name;
    unsigned (*get)(const MdStatus&);
};

// In the order of the decoded record.
const Field kFields[] = {
    {"unit_state", [](const MdStatus& s) -> unsigned { return s.unitState; }},
    {"mode", [](const MdStatus& s) -> unsigned { return s.mode; }},
    {"sub_state", [](const MdStatus& s) -> unsigned { return s.subState; }},
    {"flag_a", [](const MdStatus& s) -> unsigned { return s.flagA; }},
    {"flag_b", [](const MdStatus& s) -> unsigned { return s.flagB; }},
    {"low_bits", [](const MdStatus& s) -> unsigned { return s.lowBits; }},
    {"disc_state", [](const MdStatus& s) -> unsigned { return s.discState; }},
    {"current_track", [](const MdStatus& s) -> unsigned { return s.currentTrack; }},
    {"volume", [](const MdStatus& s) -> unsigned { return s.volume; }},
    {"recordable", [](const MdStatus& s) -> unsigned { return s.recordable; }},
    {"minutes", [](const MdStatus& s) -> unsigned { return s.minutes; }},
    {"seconds", [](const MdStatus& s) -> unsigned { return s.seconds; }},
    {"spare", [](const MdStatus& s) -> unsigned { return s.spare; }},
    {"total_tracks", [](const MdStatus& s) -> unsigned { return s.totalTracks; }},
    {"left_level", [](const MdStatus& s) -> unsigned { return s.leftLevel; }},
    {"right_level", [](const MdStatus& s) -> unsigned { return s.rightLevel; }},
    {"error_code", [](const MdStatus& s) -> unsigned { return s.errorCode; }},
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

StatusReport makeReport(const MdStatus& status, std::optional<int> row, const ButtonState& buttons,
                        const StringTable& strings, bool failed) {
    StatusReport r;
    r.status = status;
    r.row = row;
    if (const StateRow* inForce = buttons.row()) {
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            const auto column = static_cast<Column>(c);
            if (column != Column::PollN && inForce->allows(column))
                r.enabled.push_back(columnName(column));
        }
    }
    r.poll = buttons.pollN();
    if (auto id = displayMessageId(status, failed)) r.message = strings.text(*id);
    return r;
}

std::string toJson(const StatusReport& r) {
    Json v = Json::object();
    if (!r.model.empty()) v["model"] = r.model;
    for (const Field& f : kFields) v[f.name] = f.get(r.status);
    v["row"] = r.row ? Json(*r.row) : Json(nullptr);
    v["enabled"] = r.enabled;
    v["poll"] = r.poll;
    v["message"] = r.message ? Json(*r.message) : Json(nullptr);
    return compactJson(v);
}

std::string toText(const StatusReport& r) {
    std::ostringstream out;
    if (!r.model.empty()) out << "model: " << r.model << '\n';
    for (const Field& f : kFields) out << f.name << ": " << f.get(r.status) << '\n';
    out << "row: " << (r.row ? std::to_string(*r.row) : "-") << '\n';
    out << "enabled:";
    for (const std::string& e : r.enabled) out << ' ' << (e.find(' ') != std::string::npos ? '"' + e + '"' : e);
    out << "\npoll: " << r.poll << '\n';
    std::string message = r.message.value_or("-");
    for (char& c : message)
        if (c == '\n') c = ' ';
    out << "message: " << message << '\n';
    return out.str();
}

std::optional<std::vector<std::uint8_t>> parseRawStatus(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (char c : hex) {
        if (c == ' ' || c == ':') {
            if (high >= 0) return std::nullopt;  // a separator inside a byte
            continue;
        }
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | d));
            high = -1;
        }
    }
    if (high >= 0 || bytes.size() != kRawStatusSize) return std::nullopt;
    return bytes;
}

}  // namespace tovik::link
