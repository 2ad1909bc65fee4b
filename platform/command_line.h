#pragma once
// What every program of the suite answers on its command line, the way Linux users expect:
// "--help" prints the usage on standard output and exits 0, "--version" prints one line with
// the suite's version and exits 0. Wrong arguments print a message and the usage on standard
// error and exit with the program's documented usage status.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tovik {

// The suite's version, the project version the build was configured with ("0.1").
const char* suiteVersion();

// "mdctl (TOVIK desktop suite) 0.1"
std::string versionLine(std::string_view program);

// "--help" or "-h".
bool isHelpWord(std::string_view word);

// True when a help word comes before the words end (at "--", after which everything is text).
bool asksForHelp(const std::vector<std::string>& words);

// For a program whose first argument may be "--help" or "--version": prints the usage or the
// version line to out and gives exit status 0; otherwise nothing is printed and nullopt comes
// back. The GUI programs call it before they need a display.
std::optional<int> answerHelpOrVersion(const std::vector<std::string>& args, std::string_view program,
                                       std::string_view usage, std::ostream& out);
std::optional<int> answerHelpOrVersion(int argc, char** argv, std::string_view program, std::string_view usage);

}  // namespace tovik
