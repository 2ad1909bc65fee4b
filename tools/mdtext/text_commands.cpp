#include "tools/mdtext/text_commands.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "controller/disc/md_text.h"
#include "platform/codepage.h"
#include "platform/strings.h"
#include "resources/strings.h"

namespace {

using tovik::CodePage;
using tovik::Language;
using tovik::disc::MdTextError;
using tovik::disc::MdTextResult;

constexpr unsigned kMismatchText = 57688;  // "This char is mismatch for MD."
constexpr unsigned kTooLongText = 57740;   // "This name is too long for MD."

enum class Direction { Encode, Decode };

struct Invocation {
    Language language;
    std::string text;  // "-" reads standard input
};

void usage(const char* command, std::ostream& err) {
    err << "usage: mdctl " << command << " [--japanese | --no-japanese] TEXT|-\n";
}

std::optional<Invocation> parse(const char* command, const std::vector<std::string>& args,
                                std::ostream& err) {
    Language language = tovik::systemLanguage();
    std::vector<std::string> texts;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--japanese") {
            language = Language::Japanese;
        } else if (!optionsEnded && arg == "--no-japanese") {
            language = Language::English;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && arg != "-") {
            err << "mdctl " << command << ": unknown option " << arg << "\n";
            usage(command, err);
            return std::nullopt;
        } else {
            texts.push_back(arg);
        }
    }
    if (texts.size() != 1) {
        usage(command, err);
        return std::nullopt;
    }
    return Invocation{language, texts.front()};
}

// Number of characters (1-based position of the next one) in the code-page bytes before offset.
std::size_t characterNumber(const CodePage& page, std::string_view bytes, std::size_t offset) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++count) {
        i += page.isLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    }
    return count + 1;
}

std::string failureLine(unsigned textId, std::size_t position) {
    const tovik::StringTable strings(tovik::resources::rotelaStrings(), tovik::systemLanguage());
    return strings.text(textId) + " (position " + std::to_string(position) + ")";
}

// One text through the conversion: the UTF-8 result, or the failure line.
bool convert(Direction direction, Language language, const std::string& utf8, std::string& line) {
    const CodePage page = CodePage::forLanguage(language);
    std::size_t badChar = 0;
    const std::optional<std::string> bytes = page.fromUtf8(utf8, &badChar);
    if (!bytes) {
        line = failureLine(kMismatchText, badChar + 1);
        return false;
    }
    const MdTextResult result = direction == Direction::Encode
                                    ? tovik::disc::EncodeMdText(*bytes, language)
                                    : tovik::disc::DecodeMdText(*bytes, language);
    if (!result.ok) {
        const unsigned id = result.error == MdTextError::TooLong ? kTooLongText : kMismatchText;
        line = failureLine(id, characterNumber(page, *bytes, result.failedAt));
        return false;
    }
    line = page.toUtf8(result.text);
    return true;
}

int run(Direction direction, const char* command, const std::vector<std::string>& args,
        std::istream& in, std::ostream& out, std::ostream& err) {
    const std::optional<Invocation> invocation = parse(command, args, err);
    if (!invocation) return 1;

    std::string line;
    if (invocation->text != "-") {
        const bool ok = convert(direction, invocation->language, invocation->text, line);
        (ok ? out : err) << line << "\n";
        return ok ? 0 : 1;
    }

    // One text per line; a failed line shows its message in place so the lines stay aligned.
    bool allOk = true;
    std::string text;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        allOk = convert(direction, invocation->language, text, line) && allOk;
        out << line << "\n";
    }
    return allOk ? 0 : 1;
}

}  // namespace

int mdctlEncodeName(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    return run(Direction::Encode, "encode-name", args, in, out, err);
}

int mdctlDecodeName(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    return run(Direction::Decode, "decode-name", args, in, out, err);
}
