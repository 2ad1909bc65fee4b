#include "platform/strings.h"

#include <cstdlib>
#include <string_view>

namespace tovik {

namespace {

bool startsWithJapanese(const char* value) {
    std::string_view v = value;
    return v.substr(0, 2) == "ja";
}

const char* findText(std::span<const StringEntry> table, unsigned id) {
    for (const StringEntry& entry : table) {
        if (entry.id == id) return entry.text;
    }
    return nullptr;
}

}  // namespace

Language systemLanguage() {
    if (const char* forced = std::getenv("TOVIK_LANG"); forced && *forced) {
        std::string_view f = forced;
        if (f.substr(0, 2) == "ja") return Language::Japanese;
        if (f.substr(0, 2) == "en") return Language::English;
    }
    // The first of these that is set decides, as in POSIX locale lookup.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return startsWithJapanese(value) ? Language::Japanese : Language::English;
    }
    return Language::English;
}

StringTable::StringTable(const StringResource& resource, Language language)
    : resource_(resource), language_(language) {}

bool StringTable::has(unsigned id) const {
    return findText(resource_.english, id) || findText(resource_.japanese, id);
}

std::string StringTable::text(unsigned id) const {
    if (language_ == Language::Japanese) {
        if (const char* t = findText(resource_.japanese, id)) return t;
    }
    if (const char* t = findText(resource_.english, id)) return t;
    return {};
}

}  // namespace tovik
