#pragma once
// Names for a whole disc from a file, for mdctl rename --from:
// - a plain text file: the first line is the disc's name, line k + 1 track k's; an empty line
//   leaves that name as it is;
// - a CUE sheet (recognised by a FILE line before its first TRACK line, or a ".cue" name):
//   the TITLE before the first TRACK is the disc's name, the TITLE under "TRACK k ..." track k's.
// The file is UTF-8 (with or without a byte-order mark) or, when it is not valid UTF-8, text in
// the system's ANSI code page.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace tovik::mdctl {

// Names as UTF-8; only the names the file gives.
struct NameList {
    std::optional<std::string> disc;
    std::map<int, std::string> tracks;  // track number (from 1) -> name
};

struct NameFile {
    NameList names;
    bool cueSheet = false;
    std::string error;  // empty when the file could be read as names
};

NameFile parseNameFile(std::string_view bytes, bool cueByName, const CodePage& codePage);

}  // namespace tovik::mdctl
