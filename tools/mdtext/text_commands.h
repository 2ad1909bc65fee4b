#pragma once
// mdctl's name conversions for people and scripts:
//   mdctl encode-name [--japanese | --no-japanese] TEXT|-
//   mdctl decode-name [--japanese | --no-japanese] TEXT|-
// The terminal speaks UTF-8; the text is converted to the system's ANSI code page, through the
// disc-text rules, and printed back in UTF-8. With "-" every line of standard input is one text
// and gives one line of output. Exit status: 0 done, 1 some text could not be converted or the
// arguments were wrong (with a usage line), as for every mdctl command.

#include <iosfwd>
#include <string>
#include <vector>

// args are the words after the subcommand.
int mdctlEncodeName(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);
int mdctlDecodeName(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);
