#include "platform/json.h"

#include <algorithm>

namespace tovik {

namespace {

std::string plain(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

bool holdsOnlyPlainValues(const Json& value) {
    return std::none_of(value.begin(), value.end(), [](const Json& item) { return item.is_structured(); });
}

struct Layout {
    bool lines = false;      // one member to a line, indented
    std::size_t width = 0;   // with lines: a container of plain values this short stays on one line
};

void write(const Json& value, std::string& out, const Layout& layout, std::size_t depth) {
    if (!value.is_structured() || value.empty()) {
        out += plain(value);
        return;
    }
    if (layout.lines && holdsOnlyPlainValues(value)) {
        std::string line;
        write(value, line, Layout{}, 0);
        if (line.size() + 2 * depth <= layout.width) {
            out += line;
            return;
        }
    }
    const bool object = value.is_object();
    out += object ? '{' : '[';
    for (auto it = value.begin(); it != value.end(); ++it) {
        if (it != value.begin()) out += layout.lines ? "," : ", ";
        if (layout.lines) out += '\n' + std::string(2 * (depth + 1), ' ');
        if (object) out += plain(it.key()) + ": ";
        write(*it, out, layout, depth + 1);
    }
    if (layout.lines) out += '\n' + std::string(2 * depth, ' ');
    out += object ? '}' : ']';
}

// Learns where the parser stopped; the document itself is built by a second, normal parse.
class FaultLocator final : public nlohmann::json_sax<Json> {
public:
    std::size_t position = 0;  // characters read when the parser gave up
    std::string what;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t at, const std::string&, const Json::exception& e) override {
        position = at;
        what = e.what();
        return false;
    }
};

// "[json.exception.parse_error.101] parse error at line 1, column 5: unexpected ..." without
// the library's prefix and position, which is given again in our own terms.
std::string description(const std::string& what) {
    std::string text = what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
    if (text.rfind("parse error", 0) == 0 && text.find(": ") != std::string::npos)
        text.erase(0, text.find(": ") + 2);
    return text;
}

// Line and column of the character at offset (the end of the text counts as one past it).
std::string place(const std::string& text, std::size_t offset) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {  // UTF-8 continuation bytes are part of one character
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

std::string compactJson(const Json& value) { return plain(value); }

std::string oneLineJson(const Json& value) {
    std::string out;
    write(value, out, Layout{}, 0);
    return out;
}

std::string indentedJson(const Json& value, std::size_t lineWidth) {
    std::string out;
    write(value, out, Layout{true, lineWidth}, 0);
    return out;
}

JsonParseResult parseJson(const std::string& text) {
    JsonParseResult result;
    try {
        result.value = Json::parse(text);
    } catch (const Json::exception&) {
        FaultLocator locator;
        Json::sax_parse(text, &locator);
        const std::size_t offset = locator.position > 0 ? locator.position - 1 : 0;
        result.error = place(text, offset) + ": " + description(locator.what);
    }
    return result;
}

}  // namespace tovik
