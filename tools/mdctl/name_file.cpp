#include "tools/mdctl/name_file.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace tovik::mdctl {

namespace {

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        if (n == 2 && c < 0xC2) return false;  // overlong
        i += n;
    }
    return true;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string upper(std::string_view word) {
    std::string out(word);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// A CUE line as its keyword and its arguments; a quoted argument keeps its spaces.
struct CueLine {
    std::string keyword;
    std::vector<std::string> args;
};

CueLine splitCueLine(std::string_view line) {
    CueLine out;
    std::size_t i = 0;
    auto skipSpace = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    };
    skipSpace();
    std::vector<std::string> words;
    while (i < line.size()) {
        std::string word;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            word = std::string(line.substr(i + 1, end - i - 1));
            i = end == line.size() ? end : end + 1;
        } else {
            const std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
            word = std::string(line.substr(start, i - start));
        }
        words.push_back(std::move(word));
        skipSpace();
    }
    if (words.empty()) return out;
    out.keyword = upper(words.front());
    out.args.assign(words.begin() + 1, words.end());
    return out;
}

std::optional<int> trackNumber(const std::string& word) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || ptr != word.data() + word.size() || value < 1) return std::nullopt;
    return value;
}

// A sheet names its audio file before its first track: "FILE ..." then "TRACK nn TYPE". A plain
// list whose titles happen to read "Track 2 Remix" has no FILE line and stays a plain list.
bool looksLikeCueSheet(const std::vector<std::string>& lines) {
    bool file = false;
    for (const std::string& line : lines) {
        const CueLine cue = splitCueLine(line);
        if (cue.keyword == "FILE" && !cue.args.empty()) file = true;
        if (cue.keyword == "TRACK" && cue.args.size() == 2 && trackNumber(cue.args[0])) return file;
    }
    return false;
}

void readCueSheet(const std::vector<std::string>& lines, NameFile& file) {
    std::optional<int> track;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const CueLine cue = splitCueLine(lines[n]);
        if (cue.keyword == "TRACK") {
            track = cue.args.empty() ? std::nullopt : trackNumber(cue.args[0]);
            if (!track) {
                file.error = "line " + std::to_string(n + 1) + ": TRACK without a track number";
                return;
            }
        } else if (cue.keyword == "TITLE" && !cue.args.empty() && !cue.args[0].empty()) {
            if (track) file.names.tracks[*track] = cue.args[0];
            else file.names.disc = cue.args[0];
        }
    }
}

void readPlainText(const std::vector<std::string>& lines, NameFile& file) {
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (lines[n].empty()) continue;
        if (n == 0) file.names.disc = lines[n];
        else file.names.tracks[static_cast<int>(n)] = lines[n];
    }
}

}  // namespace

NameFile parseNameFile(std::string_view bytes, bool cueByName, const CodePage& codePage) {
    NameFile file;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const std::string text = validUtf8(bytes) ? std::string(bytes) : codePage.toUtf8(bytes);
    const std::vector<std::string> lines = splitLines(text);
    file.cueSheet = cueByName || looksLikeCueSheet(lines);
    if (file.cueSheet) readCueSheet(lines, file);
    else readPlainText(lines, file);
    return file;
}

}  // namespace tovik::mdctl
