#pragma once
// slvtool: label files for people who prepare labels by script.
//   slvtool dump FILE [--json] [--japanese | --no-japanese]
//   slvtool make OUT --title TEXT [--track NAME]... [--japanese | --no-japanese]
//   slvtool print FILE --pdf OUT [--offset H V] [--japanese | --no-japanese]
// Texts on the command line and in the output are UTF-8; in the file they are bytes in the ANSI
// code page (the system's, unless forced).

#include <iosfwd>
#include <string>
#include <vector>

namespace tovik::slvtool {

// Returns the exit code: 0 done, 1 the file could not be read or written, 2 bad usage.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tovik::slvtool
