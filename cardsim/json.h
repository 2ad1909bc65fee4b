#pragma once
// A small JSON reader and writer for the disc images and the daemon's state report. Only what
// those need: objects keep their key order, numbers are doubles, errors name where they are.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovik::card::json {

class Value {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : type_(Type::Bool), bool_(b) {}
    Value(int n) : type_(Type::Number), number_(n) {}
    Value(unsigned n) : type_(Type::Number), number_(n) {}
    Value(double n) : type_(Type::Number), number_(n) {}
    Value(const char* s) : type_(Type::String), string_(s) {}
    Value(std::string s) : type_(Type::String), string_(std::move(s)) {}

    static Value array() { Value v; v.type_ = Type::Array; return v; }
    static Value object() { Value v; v.type_ = Type::Object; return v; }

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool asBool() const { return bool_; }
    double asNumber() const { return number_; }
    const std::string& asString() const { return string_; }
    const std::vector<Value>& items() const { return items_; }
    const std::vector<std::pair<std::string, Value>>& members() const { return members_; }

    // Object member or null when absent.
    const Value* find(const std::string& key) const;
    Value& set(const std::string& key, Value v);  // objects: appends or replaces
    Value& push(Value v);                          // arrays

    std::string dump(int indent = 2) const;

private:
    void dumpTo(std::string& out, int indent, int depth) const;

    Type type_ = Type::Null;
    bool bool_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<Value> items_;
    std::vector<std::pair<std::string, Value>> members_;
};

struct ParseResult {
    std::optional<Value> value;
    std::string error;  // "line 3, column 7: expected ':'" when value is empty
};

// Parses one JSON document; nesting deeper than 64 levels is refused.
ParseResult parse(const std::string& text);

}  // namespace tovik::card::json
