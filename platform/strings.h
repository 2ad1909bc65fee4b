#pragma once
// String tables: every user-visible text comes from a table by numeric id. Each program has an
// English and a Japanese table with the same ids; the system's language picks one.

#include <cstdio>
#include <span>
#include <string>

namespace tovik {

enum class Language { English, Japanese };

// Japanese when the locale's language is Japanese (LC_ALL, LC_MESSAGES, LANG, in that order).
// TOVIK_LANG=ja or TOVIK_LANG=en overrides the locale.
Language systemLanguage();

struct StringEntry {
    unsigned id;
    const char* text;  // UTF-8
};

// A program's two tables, as compiled from resources/<program>/.
struct StringResource {
    std::span<const StringEntry> english;
    std::span<const StringEntry> japanese;
};

// printf-style formatting of a table text with the forms the texts use: %d, %u, %02u, %s, %c.
template <typename... Args>
std::string formatText(const std::string& format, Args... args) {
    if constexpr (sizeof...(Args) == 0) {
        return format;
    } else {
        int size = std::snprintf(nullptr, 0, format.c_str(), args...);
        if (size <= 0) return {};
        std::string out(static_cast<std::size_t>(size) + 1, '\0');
        std::snprintf(out.data(), out.size(), format.c_str(), args...);
        out.resize(static_cast<std::size_t>(size));
        return out;
    }
}

class StringTable {
public:
    StringTable(const StringResource& resource, Language language);

    Language language() const { return language_; }
    bool has(unsigned id) const;
    // The text for the id in the table's language; the English text when the Japanese table has
    // none; empty when neither has it.
    std::string text(unsigned id) const;

    template <typename... Args>
    std::string format(unsigned id, Args... args) const {
        return formatText(text(id), args...);
    }

private:
    StringResource resource_;
    Language language_;
};

}  // namespace tovik
