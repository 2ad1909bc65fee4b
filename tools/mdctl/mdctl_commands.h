#pragma once
// mdctl's subcommands, as one table: name, usage line, and the function that runs it with the
// words after the subcommand. main() only builds the environment and dispatches.

#include <functional>
#include <iosfwd>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tools/mdctl/deck_session.h"

namespace tovik::mdctl {

using Args = std::vector<std::string>;
using Run = std::function<int(const Args&, std::istream&, std::ostream&, std::ostream&)>;

struct Subcommand {
    std::string name;
    std::string usage;  // the arguments, for the usage text
    Run run;
};

// A wrong argument: what is wrong and the command's usage line on standard error; EXIT_USAGE.
inline int usageError(std::ostream& err, const std::string& problem, const std::string& usage) {
    err << "mdctl: " << problem << "\nusage: mdctl " << usage << '\n';
    return EXIT_USAGE;
}

// The subcommands that talk to the deck through env, plus the card-less ones.
std::vector<Subcommand> subcommands(Environment& env);

// Prints the usage of every subcommand.
void printUsage(const std::vector<Subcommand>& table, std::ostream& out);

// Runs argv[1..] through the table; unknown or missing subcommands print the usage, exit 1.
// "--help" anywhere after a subcommand prints that subcommand's usage and exits 0.
int dispatch(const std::vector<Subcommand>& table, const Args& argv, std::istream& in,
             std::ostream& out, std::ostream& err);

}  // namespace tovik::mdctl
