#include "controller/ui/utf8_chars.h"

namespace tovik::ui {

namespace {

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void dropLastUtf8Char(std::string& text) {
    while (!text.empty()) {
        bool start = !continuation(text.back());
        text.pop_back();
        if (start) return;
    }
}

std::vector<std::string> splitUtf8Every(std::string_view text, std::size_t charsPerLine) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    std::size_t chars = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && continuation(text[i])) continue;
        if (chars == charsPerLine || (i == text.size() && i > start)) {
            pieces.emplace_back(text.substr(start, i - start));
            start = i;
            chars = 0;
        }
        ++chars;
    }
    return pieces;
}

}  // namespace tovik::ui
