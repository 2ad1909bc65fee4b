#pragma once
// JSON string literals for the tools' and the daemon's machine-readable output.

#include <string>
#include <string_view>

namespace tovik {

// The text (UTF-8) as a quoted JSON string: quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view utf8);

}  // namespace tovik
