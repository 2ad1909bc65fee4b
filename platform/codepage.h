#pragma once
// The system's ANSI code page. Texts on the disc, in label files and in documents are bytes in
// this code page: CP932 (Shift-JIS as Windows has it) on a Japanese system, Windows-1252
// otherwise. They become Unicode (UTF-8 here) only where a widget or a terminal shows them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/strings.h"

namespace tovik {

class CodePage {
public:
    static CodePage forLanguage(Language language);
    static CodePage system() { return forLanguage(systemLanguage()); }

    bool isJapanese() const { return japanese_; }
    // The iconv name: "CP932" or "CP1252".
    const char* name() const { return japanese_ ? "CP932" : "CP1252"; }

    // True for the first byte of a two-byte character (IsDBCSLeadByte).
    bool isLeadByte(std::uint8_t byte) const;

    // Code-page bytes to UTF-8. Bytes that do not decode become U+FFFD; never fails.
    std::string toUtf8(std::string_view bytes) const;
    // UTF-8 to code-page bytes. On failure returns nullopt and, when badChar is given, sets it to
    // the 0-based index (in characters) of the first character that has no code-page form.
    std::optional<std::string> fromUtf8(std::string_view utf8, std::size_t* badChar = nullptr) const;

    // UTF-16LE (as wide strings are stored in files) to code-page bytes. A character with no
    // code-page form, or a broken surrogate, becomes '?'; a trailing odd byte is ignored.
    std::string fromUtf16LeLossy(std::span<const std::uint8_t> utf16le) const;

private:
    explicit CodePage(bool japanese) : japanese_(japanese) {}
    bool japanese_;
};

}  // namespace tovik
