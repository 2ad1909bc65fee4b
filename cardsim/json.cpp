#include "cardsim/json.h"

#include "platform/json_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tovik::card::json {

const Value* Value::find(const std::string& key) const {
    for (const auto& [k, v] : members_)
        if (k == key) return &v;
    return nullptr;
}

Value& Value::set(const std::string& key, Value v) {
    for (auto& [k, old] : members_)
        if (k == key) return old = std::move(v);
    members_.emplace_back(key, std::move(v));
    return members_.back().second;
}

Value& Value::push(Value v) {
    items_.push_back(std::move(v));
    return items_.back();
}

namespace {

}  // namespace

std::string Value::dump(int indent) const {
    std::string out;
    dumpTo(out, indent, 0);
    return out;
}

void Value::dumpTo(std::string& out, int indent, int depth) const {
    // An array or object of plain values that fits a line is written on one line, so a list of
    // tracks reads one track to a line.
    if (indent > 0 && (type_ == Type::Array || type_ == Type::Object)) {
        bool flat = true;
        for (const auto& item : items_) flat = flat && item.type_ != Type::Array && item.type_ != Type::Object;
        for (const auto& [k, v] : members_) flat = flat && v.type_ != Type::Array && v.type_ != Type::Object;
        if (flat && !(items_.empty() && members_.empty())) {
            std::string line;
            dumpTo(line, 0, 0);
            if (line.size() + static_cast<std::size_t>(indent * depth) <= 96) {
                bool inString = false;
                for (std::size_t i = 0; i < line.size(); ++i) {
                    const char c = line[i];
                    out += c;
                    if (inString && c == '\\') {
                        out += line[++i];
                    } else if (c == '"') {
                        inString = !inString;
                    } else if (!inString && (c == ',' || c == ':')) {
                        out += ' ';  // spaced like the indented form
                    }
                }
                return;
            }
        }
    }
    auto newline = [&](int d) {
        if (indent <= 0) return;
        out += '\n';
        out.append(static_cast<std::size_t>(indent * d), ' ');
    };
    switch (type_) {
    case Type::Null: out += "null"; break;
    case Type::Bool: out += bool_ ? "true" : "false"; break;
    case Type::Number: {
        char buf[32];
        if (std::floor(number_) == number_ && std::fabs(number_) < 1e15)
            std::snprintf(buf, sizeof buf, "%.0f", number_);
        else
            std::snprintf(buf, sizeof buf, "%.17g", number_);
        out += buf;
        break;
    }
    case Type::String: out += jsonString(string_); break;
    case Type::Array:
        if (items_.empty()) { out += "[]"; break; }
        out += '[';
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (i) out += ',';
            newline(depth + 1);
            items_[i].dumpTo(out, indent, depth + 1);
        }
        newline(depth);
        out += ']';
        break;
    case Type::Object:
        if (members_.empty()) { out += "{}"; break; }
        out += '{';
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (i) out += ',';
            newline(depth + 1);
            out += jsonString(members_[i].first);
            out += indent > 0 ? ": " : ":";
            members_[i].second.dumpTo(out, indent, depth + 1);
        }
        newline(depth);
        out += '}';
        break;
    }
}

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : s_(text) {}

    ParseResult run() {
        ParseResult r;
        Value v;
        skipSpace();
        if (!parseValue(v, 0)) { r.error = error_; return r; }
        skipSpace();
        if (pos_ != s_.size()) { fail("unexpected text after the document"); r.error = error_; return r; }
        r.value = std::move(v);
        return r;
    }

private:
    bool fail(const std::string& what) {
        if (!error_.empty()) return false;
        int line = 1, col = 1;
        for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i) {
            if (s_[i] == '\n') { ++line; col = 1; } else { ++col; }
        }
        error_ = "line " + std::to_string(line) + ", column " + std::to_string(col) + ": " + what;
        return false;
    }
    void skipSpace() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }
    bool literal(const char* word) {
        std::size_t n = std::char_traits<char>::length(word);
        if (s_.compare(pos_, n, word) != 0) return fail("unknown word");
        pos_ += n;
        return true;
    }
    bool parseValue(Value& out, int depth) {
        if (depth > 64) return fail("nested too deeply");
        if (pos_ >= s_.size()) return fail("unexpected end of text");
        char c = s_[pos_];
        if (c == '{') return parseObject(out, depth);
        if (c == '[') return parseArray(out, depth);
        if (c == '"') {
            std::string str;
            if (!parseString(str)) return false;
            out = Value(std::move(str));
            return true;
        }
        if (c == 't') { if (!literal("true")) return false; out = Value(true); return true; }
        if (c == 'f') { if (!literal("false")) return false; out = Value(false); return true; }
        if (c == 'n') { if (!literal("null")) return false; out = Value(); return true; }
        if (c == '-' || (c >= '0' && c <= '9')) return parseNumber(out);
        return fail(std::string("unexpected character '") + c + "'");
    }
    bool parseNumber(Value& out) {
        std::size_t start = pos_;
        if (s_[pos_] == '-') ++pos_;
        auto digits = [&] {
            std::size_t b = pos_;
            while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
            return pos_ > b;
        };
        if (!digits()) return fail("malformed number");
        if (pos_ < s_.size() && s_[pos_] == '.') { ++pos_; if (!digits()) return fail("malformed number"); }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            if (!digits()) return fail("malformed number");
        }
        out = Value(std::strtod(s_.substr(start, pos_ - start).c_str(), nullptr));
        return true;
    }
    static void appendUtf8(std::string& out, unsigned cp) {
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) { out += static_cast<char>(0xC0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
        else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    bool hex4(unsigned& cp) {
        if (pos_ + 4 > s_.size()) return fail("short \\u escape");
        cp = 0;
        for (int i = 0; i < 4; ++i) {
            char h = s_[pos_++];
            cp <<= 4;
            if (h >= '0' && h <= '9') cp |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f') cp |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') cp |= static_cast<unsigned>(h - 'A' + 10);
            else return fail("bad \\u escape");
        }
        return true;
    }
    bool parseString(std::string& out) {
        ++pos_;  // opening quote
        while (pos_ < s_.size()) {
            unsigned char c = static_cast<unsigned char>(s_[pos_++]);
            if (c == '"') return true;
            if (c < 0x20) return fail("control character in a string");
            if (c != '\\') { out += static_cast<char>(c); continue; }
            if (pos_ >= s_.size()) break;
            char e = s_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned cp = 0;
                if (!hex4(cp)) return false;
                if (cp >= 0xD800 && cp < 0xDC00 && s_.compare(pos_, 2, "\\u") == 0) {
                    pos_ += 2;
                    unsigned lo = 0;
                    if (!hex4(lo)) return false;
                    if (lo < 0xDC00 || lo > 0xDFFF) return fail("bad surrogate pair");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                }
                appendUtf8(out, cp);
                break;
            }
            default: return fail("unknown escape");
            }
        }
        return fail("unterminated string");
    }
    bool parseArray(Value& out, int depth) {
        ++pos_;
        out = Value::array();
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == ']') { ++pos_; return true; }
        for (;;) {
            skipSpace();
            Value item;
            if (!parseValue(item, depth + 1)) return false;
            out.push(std::move(item));
            skipSpace();
            if (pos_ >= s_.size()) return fail("unterminated array");
            if (s_[pos_] == ',') { ++pos_; continue; }
            if (s_[pos_] == ']') { ++pos_; return true; }
            return fail("expected ',' or ']'");
        }
    }
    bool parseObject(Value& out, int depth) {
        ++pos_;
        out = Value::object();
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == '}') { ++pos_; return true; }
        for (;;) {
            skipSpace();
            if (pos_ >= s_.size() || s_[pos_] != '"') return fail("expected a member name");
            std::string key;
            if (!parseString(key)) return false;
            skipSpace();
            if (pos_ >= s_.size() || s_[pos_] != ':') return fail("expected ':'");
            ++pos_;
            skipSpace();
            Value v;
            if (!parseValue(v, depth + 1)) return false;
            out.set(key, std::move(v));
            skipSpace();
            if (pos_ >= s_.size()) return fail("unterminated object");
            if (s_[pos_] == ',') { ++pos_; continue; }
            if (s_[pos_] == '}') { ++pos_; return true; }
            return fail("expected ',' or '}'");
        }
    }

    const std::string& s_;
    std::size_t pos_ = 0;
    std::string error_;
};

}  // namespace

ParseResult parse(const std::string& text) { return Parser(text).run(); }

}  // namespace tovik::card::json
