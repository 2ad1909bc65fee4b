#include "tools/mdctl/mdctl_commands.h"

#include <charconv>
#include <iostream>

#include "controller/link/md_commands.h"
#include "controller/link/md_status.h"
#include "controller/link/status_report.h"
#include "platform/command_line.h"
#include "resources/strings.h"
#include "tools/mdctl/disc_names.h"
#include "tools/mdctl/disc_rename.h"

#ifdef TOVIK_MDCTL_TEXT
#include "tools/mdtext/text_commands.h"
#endif

namespace tovik::mdctl {

using namespace tovik::link;

namespace {

std::optional<unsigned> parseNumber(const std::string& word, unsigned max) {
    unsigned value = 0;
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (word.empty() || ec != std::errc() || ptr != end || value > max) return std::nullopt;
    return value;
}

// Splits "--json" out of the arguments.
bool takeFlag(Args& args, const std::string& flag) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == flag) {
            args.erase(it);
            return true;
        }
    }
    return false;
}

void print(const StatusReport& report, bool json, std::ostream& out) {
    out << (json ? toJson(report) + "\n" : toText(report));
}

int status(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    const bool json = takeFlag(args, "--json");
    if (!args.empty()) return usageError(err, "unexpected '" + args[0] + "'", "status [--json]");
    DeckSession deck(env, err);
    if (int code = deck.open()) return code;
    if (int code = deck.refresh()) return code;
    print(deck.report(), json, out);
    return EXIT_OK;
}

int decode(Args args, std::ostream& out, std::ostream& err) {
    const std::string usage = "decode [--area a|b] HEX...";
    StatusArea area = StatusArea::A;
    if (!args.empty() && args[0] == "--area") {
        if (args.size() < 2 || (args[1] != "a" && args[1] != "b"))
            return usageError(err, "--area takes a or b", usage);
        area = args[1] == "a" ? StatusArea::A : StatusArea::B;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return usageError(err, "no status bytes", usage);
    StringTable strings(resources::rotelaStrings(), systemLanguage());
    // One stream of statuses: a mode-6 status keeps the row of the one before it.
    MdStatus status;
    ButtonState buttons;
    for (const std::string& hex : args) {
        auto raw = parseRawStatus(hex);
        if (!raw) return usageError(err, "'" + hex + "' is not 13 bytes of hex", usage);
        decodeStatus(raw->data(), area, status);
        const std::optional<int> row = buttons.apply(status);
        out << toJson(makeReport(status, row, buttons, strings)) << '\n';
    }
    return EXIT_OK;
}

std::string commandUsage() {
    std::string names;
    for (const CommandInfo& c : commandTable()) {
        if (!c.name) continue;
        names += names.empty() ? "" : "|";
        names += c.name;
    }
    return "send [--json] COMMAND [P1 [P2]]   (COMMAND: a number or " + names + ")";
}

int send(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    const bool json = takeFlag(args, "--json");
    const std::string usage = commandUsage();
    if (args.empty() || args.size() > 3) return usageError(err, "which command?", usage);
    const CommandInfo* info = findCommandByName(args[0]);
    std::optional<unsigned> code = info ? std::optional<unsigned>(info->code) : parseNumber(args[0], 255);
    if (!code) return usageError(err, "unknown command '" + args[0] + "'", usage);
    if (!info) info = findCommand(static_cast<std::uint8_t>(*code));
    std::uint8_t params[2] = {0, 0};
    for (std::size_t i = 1; i < args.size(); ++i) {
        auto p = parseNumber(args[i], 255);
        if (!p) return usageError(err, "parameter '" + args[i] + "' is not 0-255", usage);
        params[i - 1] = static_cast<std::uint8_t>(*p);
    }
    if (info && args.size() - 1 < info->params)
        return usageError(err, std::string(info->name ? info->name : "command") + " needs " +
                                   info->paramNames, usage);
    DeckSession deck(env, err);
    if (int result = deck.open()) return result;
    if (int result = deck.refresh()) return result;  // area A: track count and spare byte
    const int result = deck.send(static_cast<std::uint8_t>(*code), params[0], params[1],
                                 info ? info->selector : 1);
    if (result != EXIT_OK && result != EXIT_UNIT_ERROR) return result;
    print(deck.report(), json, out);
    return result;
}

int volume(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    const bool json = takeFlag(args, "--json");
    const std::string usage = "volume [--json] 0..30";
    if (args.size() != 1) return usageError(err, "which volume?", usage);
    auto level = parseNumber(args[0], 30);
    if (!level) return usageError(err, "volume '" + args[0] + "' is not 0-30", usage);
    DeckSession deck(env, err);
    if (int code = deck.open()) return code;
    if (int code = deck.setVolume(static_cast<std::uint8_t>(*level))) return code;
    print(deck.report(), json, out);
    return EXIT_OK;
}

// What counts as a change for watch: everything but the level values, which move all the time.
std::string withoutLevels(StatusReport report) {
    report.status.leftLevel = report.status.rightLevel = 0;
    report.model.clear();
    return toJson(report);
}

int watch(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) return usageError(err, "unexpected '" + args[0] + "'", "watch");
    DeckSession deck(env, err);
    if (int code = deck.open()) return code;
    std::string last;
    while (!env.interrupted()) {
        if (int code = deck.refresh()) return code;
        StatusReport report = deck.report();
        report.model.clear();
        const std::string key = withoutLevels(report);
        if (key != last) {
            out << toJson(report) << std::endl;
            last = key;
        }
        // The panel's own pace: N x 100 ms while the row asks for it, else once a second.
        const unsigned n = deck.buttons().pollN();
        env.wait(env.interrupted, n ? n * 100 : 1000);
    }
    return EXIT_OK;
}

}  // namespace

std::vector<Subcommand> subcommands(Environment& env) {
    std::vector<Subcommand> table = {
        {"status", "status [--json]",
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return status(env, a, o, e);
         }},
        {"decode", "decode [--area a|b] HEX...   (13 bytes each, one JSON line per status)",
         [](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return decode(a, o, e);
         }},
        {"send", commandUsage(),
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return send(env, a, o, e);
         }},
        {"volume", "volume [--json] 0..30",
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return volume(env, a, o, e);
         }},
        {"watch", "watch   (one JSON line per change of state, until interrupted)",
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return watch(env, a, o, e);
         }},
#ifdef TOVIK_MDCTL_TEXT
        {"encode-name", "encode-name [--japanese | --no-japanese] TEXT|-", mdctlEncodeName},
        {"decode-name", "decode-name [--japanese | --no-japanese] TEXT|-", mdctlDecodeName},
#endif
        {"names", "names [--json]   (the disc's names, read as the controller reads them)",
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return names(env, a, o, e);
         }},
        {"label", "label [FILE]   (the label file for the label editor; default EditingLabel.slv)",
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return label(env, a, o, e);
         }},
        {"rename",
         "rename [--dry-run] disc TEXT | N TEXT | --from FILE   (FILE: one name a line, disc first, or a CUE sheet)",
         [&env](const Args& a, std::istream&, std::ostream& o, std::ostream& e) {
             return rename(env, a, o, e);
         }},
    };
    return table;
}

void printUsage(const std::vector<Subcommand>& table, std::ostream& out) {
    out << "usage: mdctl COMMAND [ARGUMENTS]   (mdctl COMMAND --help: that command's usage)\n";
    for (const Subcommand& s : table) out << "  mdctl " << s.usage << '\n';
    out << "  mdctl --help | --version\n"
           "The deck of the TOVIK card, through vtovikmd. Exit status: 0 done, 1 wrong arguments,\n"
           "2 no driver, 3 no card or the unit not accessible, 4 time-out or a failed name read,\n"
           "5 the unit refused the command (names, label, rename: no disc), 6 the label file not\n"
           "written or rename's file not read, 7 rename wrote nothing, 8 rename failed part-way.\n";
}

namespace {

const Subcommand* find(const std::vector<Subcommand>& table, const std::string& name) {
    for (const Subcommand& s : table)
        if (s.name == name) return &s;
    return nullptr;
}

int unknownCommand(const std::vector<Subcommand>& table, const std::string& name, std::ostream& err) {
    err << "mdctl: unknown command '" << name << "'\n";
    printUsage(table, err);
    return EXIT_USAGE;
}

}  // namespace

int dispatch(const std::vector<Subcommand>& table, const Args& argv, std::istream& in,
             std::ostream& out, std::ostream& err) {
    if (argv.empty()) {
        printUsage(table, err);
        return EXIT_USAGE;
    }
    if (argv[0] == "--version") {
        out << versionLine("mdctl") << '\n';
        return EXIT_OK;
    }
    // "mdctl --help" and "mdctl help" list every command; "mdctl help COMMAND" and
    // "mdctl COMMAND --help" show one.
    const bool helpCommand = isHelpWord(argv[0]) || argv[0] == "help";
    if (helpCommand && argv.size() < 2) {
        printUsage(table, out);
        return EXIT_OK;
    }
    const std::string& name = helpCommand ? argv[1] : argv[0];
    const Subcommand* s = find(table, name);
    if (!s) return unknownCommand(table, name, err);
    const Args rest(argv.begin() + 1, argv.end());
    if (helpCommand || asksForHelp(rest)) {
        out << "usage: mdctl " << s->usage << '\n';
        return EXIT_OK;
    }
    return s->run(rest, in, out, err);
}

}  // namespace tovik::mdctl
