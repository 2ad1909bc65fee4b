#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace tovik {

namespace {

// One iconv conversion; RAII so an early return never leaks the descriptor.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

std::size_t utf8Length(std::uint8_t lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

// Counts the UTF-8 characters that start before byte offset `end`.
std::size_t charIndex(std::string_view utf8, std::size_t end) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < end && i < utf8.size(); i += utf8Length(static_cast<std::uint8_t>(utf8[i]))) ++count;
    return count;
}

}  // namespace

CodePage CodePage::forLanguage(Language language) { return CodePage(language == Language::Japanese); }

bool CodePage::isLeadByte(std::uint8_t byte) const {
    return japanese_ && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

std::string CodePage::toUtf8(std::string_view bytes) const {
    Iconv cd("UTF-8", name());
    std::string out;
    if (!cd.ok()) return out;
    out.reserve(bytes.size() * 3);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::vector<char> buffer(64);
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        std::size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An undecodable byte (or a lead byte cut off at the end): show it as U+FFFD.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<std::string> CodePage::fromUtf8(std::string_view utf8, std::size_t* badChar) const {
    Iconv cd(name(), "UTF-8");
    if (!cd.ok()) return std::nullopt;
    std::string out;
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    std::vector<char> buffer(64);
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        std::size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            if (badChar) *badChar = charIndex(utf8, static_cast<std::size_t>(in - utf8.data()));
            return std::nullopt;
        }
    }
    return out;
}

std::string CodePage::fromUtf16LeLossy(std::span<const std::uint8_t> utf16le) const {
    Iconv cd(name(), "UTF-16LE");
    std::string out;
    if (!cd.ok()) return out;
    auto unitAt = [&](std::size_t at) {
        return static_cast<std::uint16_t>(utf16le[at] | (utf16le[at + 1] << 8));
    };
    char* const base = const_cast<char*>(reinterpret_cast<const char*>(utf16le.data()));
    char* in = base;
    std::size_t inLeft = utf16le.size() & ~std::size_t{1};
    std::vector<char> buffer(256);
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        std::size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // One '?' for the character that failed: a surrogate pair counts as one character.
        auto at = static_cast<std::size_t>(in - base);
        std::size_t skip = 2;
        if (inLeft >= 4) {
            std::uint16_t u = unitAt(at);
            std::uint16_t next = unitAt(at + 2);
            if (u >= 0xD800 && u < 0xDC00 && next >= 0xDC00 && next < 0xE000) skip = 4;
        }
        out += '?';
        in += skip;
        inLeft -= skip;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace tovik
