#pragma once
// JSON for disc images, the daemon's state report and the tools' machine-readable output, on
// nlohmann/json. Objects keep their members in the order they were set (ordered_json), so the
// order scripts see is the order the code writes.
//
// Three layouts, each one that scripts already read:
//   compactJson   {"a":1,"b":[1,2]}          one line, no spaces (mdctl status, decode, watch)
//   oneLineJson   {"a": 1, "b": [1, 2]}      one line, spaced (mdctl names)
//   indentedJson  one member to a line, indented by two; an array or object of plain values
//                 stays on one line while it fits lineWidth (vtovikmd-ctl state: one track to
//                 a line; slvtool dump)
// Text that is not valid UTF-8 is written with U+FFFD in place of the bad bytes.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace tovik {

using Json = nlohmann::ordered_json;

std::string compactJson(const Json& value);
std::string oneLineJson(const Json& value);
std::string indentedJson(const Json& value, std::size_t lineWidth = std::string::npos);

struct JsonParseResult {
    std::optional<Json> value;
    std::string error;  // "line 3, column 7: ..." when value is empty
};

// One JSON document; a fault is named by its line and column (1-based, in characters).
JsonParseResult parseJson(const std::string& text);

}  // namespace tovik
