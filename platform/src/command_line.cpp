#include "platform/command_line.h"

#include <algorithm>
#include <iostream>

namespace tovik {

std::string versionLine(std::string_view program) {
    return std::string(program) + " (TOVIK desktop suite) " + suiteVersion();
}

bool isHelpWord(std::string_view word) { return word == "--help" || word == "-h"; }

bool asksForHelp(const std::vector<std::string>& words) {
    const auto end = std::find(words.begin(), words.end(), "--");
    return std::any_of(words.begin(), end, [](const std::string& w) { return isHelpWord(w); });
}

std::optional<int> answerHelpOrVersion(const std::vector<std::string>& args, std::string_view program,
                                       std::string_view usage, std::ostream& out) {
    if (args.empty()) return std::nullopt;
    if (isHelpWord(args[0])) {
        out << usage;
        return 0;
    }
    if (args[0] == "--version") {
        out << versionLine(program) << '\n';
        return 0;
    }
    return std::nullopt;
}

std::optional<int> answerHelpOrVersion(int argc, char** argv, std::string_view program, std::string_view usage) {
    return answerHelpOrVersion(std::vector<std::string>(argv + 1, argv + argc), program, usage, std::cout);
}

}  // namespace tovik
