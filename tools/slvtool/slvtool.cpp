#include "tools/slvtool/slvtool.h"

#include <cstdio>
#include <optional>
#include <ostream>

#include "labeleditor/document/archive.h"
#include "labeleditor/document/document_ids.h"
#include "labeleditor/document/file_io.h"
#include "labeleditor/document/label_file.h"
#include "labeleditor/document/short_label_writer.h"
#include "platform/codepage.h"
#include "platform/command_line.h"
#include "platform/json.h"
#include "tools/slvtool/slvtool_print.h"

namespace tovik::slvtool {

namespace {

using label::LabelFileContent;
using label::LogFont;

constexpr const char* kDumpUsage = "slvtool dump FILE [--json] [--japanese | --no-japanese]";
constexpr const char* kMakeUsage = "slvtool make OUT --title TEXT [--track NAME]... [--japanese | --no-japanese]";
constexpr const char* kPrintUsage = "slvtool print FILE --pdf OUT [--offset H V] [--japanese | --no-japanese]";
const std::string kUsage =
    std::string("usage: ") + kDumpUsage + "\n       " + kMakeUsage + "\n       " + kPrintUsage + "\n";
const std::string kHelp =
    kUsage +
    "       slvtool --help | --version\n"
    "Label files for the label editor: dump shows one (as JSON with --json); make writes one in\n"
    "the controller's short layout; print writes the page the label editor prints as a PDF at\n"
    "true size (landscape A4, four label sets) with the label's fonts, moved by H and V tenths of\n"
    "a millimetre (-100 to 100; without --offset the offsets the label editor keeps). Texts are\n"
    "UTF-8 here and in the system's ANSI code page in the file (--japanese: CP932,\n"
    "--no-japanese: Windows-1252). Exit status: 0 done, 1 the file could not be read or written,\n"
    "2 wrong arguments.\n";

// One font's fields, in record order, as name/value pairs.
std::vector<std::pair<const char*, long long>> fontFields(const LogFont& f) {
    return {{"height", f.height},           {"width", f.width},
            {"escapement", f.escapement},   {"orientation", f.orientation},
            {"weight", f.weight},           {"italic", f.italic},
            {"underline", f.underline},     {"strike_out", f.strikeOut},
            {"charset", f.charSet},         {"out_precision", f.outPrecision},
            {"clip_precision", f.clipPrecision}, {"quality", f.quality},
            {"pitch_and_family", f.pitchAndFamily}};
}

// One member to a line; the name lists and each font on one line of their own.
void printJson(const LabelFileContent& c, const CodePage& cp, std::ostream& out) {
    auto list = [&](const std::vector<std::string>& names) {
        Json texts = Json::array();
        for (const std::string& name : names) texts.push_back(cp.toUtf8(name));
        return texts;
    };
    Json fonts = Json::array();
    for (const LogFont& font : c.fonts) {
        Json fields;
        for (const auto& [name, value] : fontFields(font)) fields[name] = value;
        fields["face"] = cp.toUtf8(font.face());
        fonts.push_back(std::move(fields));
    }
    const Json label = {{"format_flag", c.formatFlag},      {"md_title", cp.toUtf8(c.mdTitle)},
                        {"print_title", cp.toUtf8(c.printTitle)}, {"md_tracks", list(c.mdTracks)},
                        {"print_tracks", list(c.printTracks)},   {"fonts", std::move(fonts)}};
    out << indentedJson(label) << '\n';
}

void printText(const LabelFileContent& c, const CodePage& cp, std::ostream& out) {
    static const char* const kFontNames[] = {"title", "track", "disc title"};
    out << "layout: " << (c.isShortLayout() ? "short" : "full") << " (format flag " << c.formatFlag << ")\n"
        << "MD title: " << cp.toUtf8(c.mdTitle) << "\n"
        << "print title: " << cp.toUtf8(c.printTitle) << "\n";
    auto list = [&](const char* name, const std::vector<std::string>& names) {
        out << name << " (" << names.size() << "):\n";
        for (std::size_t i = 0; i < names.size(); ++i) out << "  " << i + 1 << ". " << cp.toUtf8(names[i]) << "\n";
    };
    list("MD tracks", c.mdTracks);
    list("print tracks", c.printTracks);
    if (c.isShortLayout()) {
        out << "fonts: none (the label editor takes its default fonts)\n";
        return;
    }
    out << "fonts (" << c.fonts.size() << "):\n";
    for (std::size_t i = 0; i < c.fonts.size(); ++i) {
        out << "  " << i << " " << (i < 3 ? kFontNames[i] : "(unused)") << ": \"" << cp.toUtf8(c.fonts[i].face()) << "\"";
        for (const auto& [name, value] : fontFields(c.fonts[i])) out << " " << name << "=" << value;
        out << "\n";
    }
}

struct Options {
    std::vector<std::string> positional;
    bool json = false;
    std::optional<Language> language;
    std::optional<std::string> title;
    std::vector<std::string> tracks;
    std::optional<std::string> pdf;
    std::optional<label::PrintOffsets> offsets;
};

// The print offsets the editor's dialog can set: −10.0 mm to +10.0 mm in 0.1 mm.
std::optional<int> offsetValue(const std::string& text) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || value < -100 || value > 100) return std::nullopt;
    return value;
}

// nullopt (after a message) for an unknown option or a missing value.
std::optional<Options> parse(const std::vector<std::string>& args, std::ostream& err) {
    Options o;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) return nullptr;
            return &args[++i];
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--japanese") {
            o.language = Language::Japanese;
        } else if (a == "--no-japanese") {
            o.language = Language::English;
        } else if (a == "--offset") {
            const std::string* h = value();
            const std::string* v = h ? value() : nullptr;
            auto hv = h ? offsetValue(*h) : std::nullopt;
            auto vv = v ? offsetValue(*v) : std::nullopt;
            if (!hv || !vv) {
                err << "slvtool: --offset needs H and V, whole numbers of 0.1 mm from -100 to 100\n" << kUsage;
                return std::nullopt;
            }
            o.offsets = label::PrintOffsets{*hv, *vv};
        } else if (a == "--title" || a == "--track" || a == "--pdf") {
            const std::string* v = value();
            if (!v) {
                err << "slvtool: " << a << " needs a value\n" << kUsage;
                return std::nullopt;
            }
            if (a == "--title") o.title = *v;
            else if (a == "--pdf") o.pdf = *v;
            else o.tracks.push_back(*v);
        } else if (a.size() > 1 && a[0] == '-') {
            err << "slvtool: unknown option " << a << "\n" << kUsage;
            return std::nullopt;
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

// The label file named on the command line; nullopt after the system's message.
std::optional<LabelFileContent> readLabel(const std::string& file, const CodePage& cp, std::ostream& err) {
    std::string why;
    auto bytes = label::readFileBytes(file, &why);
    if (!bytes) {
        err << file << ": " << systemText(label::IDS_FAILED_TO_OPEN) << " (" << why << ")\n";
        return std::nullopt;
    }
    try {
        return label::decodeLabelFile(*bytes, cp);
    } catch (const label::ArchiveError&) {
        err << file << ": " << systemText(label::IDS_BAD_FILE_FORMAT) << "\n";
        return std::nullopt;
    }
}

int dump(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1 || o.title || !o.tracks.empty() || o.pdf || o.offsets) {
        err << kUsage;
        return 2;
    }
    CodePage cp = CodePage::forLanguage(o.language.value_or(systemLanguage()));
    auto content = readLabel(o.positional[0], cp, err);
    if (!content) return 1;
    if (o.json) printJson(*content, cp, out);
    else printText(*content, cp, out);
    return 0;
}

int print(const Options& o, std::ostream& err) {
    if (o.positional.size() != 1 || !o.pdf || o.title || !o.tracks.empty() || o.json) {
        err << kUsage;
        return 2;
    }
    CodePage cp = CodePage::forLanguage(o.language.value_or(systemLanguage()));
    auto content = readLabel(o.positional[0], cp, err);
    if (!content) return 1;
    return printLabel(*content, *o.pdf, o.offsets, cp, err);
}

int make(const Options& o, std::ostream& err) {
    if (o.positional.size() != 1 || !o.title || o.json || o.pdf || o.offsets) {
        err << kUsage;
        return 2;
    }
    CodePage cp = CodePage::forLanguage(o.language.value_or(systemLanguage()));
    auto convert = [&](const std::string& utf8, const std::string& what) -> std::optional<std::string> {
        std::size_t bad = 0;
        auto bytes = cp.fromUtf8(utf8, &bad);
        if (!bytes)
            err << "slvtool: " << what << ": character " << bad + 1 << " has no form in " << cp.name() << "\n";
        return bytes;
    };
    auto title = convert(*o.title, "the title");
    if (!title) return 1;
    std::vector<std::string> tracks;
    for (std::size_t i = 0; i < o.tracks.size(); ++i) {
        auto name = convert(o.tracks[i], "track " + std::to_string(i + 1));
        if (!name) return 1;
        tracks.push_back(*name);
    }
    const std::string& file = o.positional[0];
    std::string why;
    if (!label::writeShortLabelFile(file, *title, tracks, &why)) {
        err << file << ": " << systemText(label::IDS_FAILED_TO_SAVE) << " (" << why << ")\n";
        return 1;
    }
    return 0;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (auto code = answerHelpOrVersion(args, "slvtool", kHelp, out)) return *code;
    if (args.empty() || (args[0] != "dump" && args[0] != "make" && args[0] != "print")) {
        if (!args.empty()) err << "slvtool: unknown command '" << args[0] << "'\n";
        err << kUsage;
        return 2;
    }
    if (asksForHelp(std::vector<std::string>(args.begin() + 1, args.end()))) {
        out << "usage: " << (args[0] == "dump" ? kDumpUsage : args[0] == "make" ? kMakeUsage : kPrintUsage) << '\n';
        return 0;
    }
    auto options = parse(args, err);
    if (!options) return 2;
    if (args[0] == "print") return print(*options, err);
    return args[0] == "dump" ? dump(*options, out, err) : make(*options, err);
}

}  // namespace tovik::slvtool
