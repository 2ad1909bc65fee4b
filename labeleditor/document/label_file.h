#pragma once
// The label file's two layouts. The controller writes the short one (format flag 0: MD title and
// MD track names); the label editor reads both and writes the full one (format flag 1: both
// titles, both name lists, the fonts).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "labeleditor/document/log_font.h"
#include "platform/codepage.h"

namespace tovik::label {

constexpr std::uint32_t kShortLayoutFlag = 0;
constexpr std::uint32_t kFullLayoutFlag = 1;

// The most names a list may hold. A disc has at most 255 tracks; the limit lies far beyond
// anything a person edits (and beyond the long count form from 0xFFFF on), yet keeps a small
// hostile file from making millions of rows that the editor would hold and show.
constexpr std::uint32_t kMaxNamesPerList = 1u << 20;

// What a label file holds, as read. Texts are bytes in the ANSI code page.
struct LabelFileContent {
    std::uint32_t formatFlag = kFullLayoutFlag;  // 0 short; any other value full
    std::string mdTitle;
    std::string printTitle;               // short layout: a copy of the MD title
    std::vector<std::string> mdTracks;
    std::vector<std::string> printTracks;  // short layout: a copy of the MD track names
    std::vector<LogFont> fonts;            // short layout: none (the defaults apply)

    bool isShortLayout() const { return formatFlag == kShortLayoutFlag; }
};

std::vector<std::uint8_t> encodeShortLayout(std::string_view mdTitle,
                                            std::span<const std::string> mdTracks);

// Always writes format flag 1 and every font record of `content`.
std::vector<std::uint8_t> encodeFullLayout(const LabelFileContent& content);

// Throws ArchiveError when the data ends inside a field (the font records included), a count
// or length cannot fit in what is left, or a list holds more than kMaxNamesPerList names. Bytes
// after the last field are ignored. The font count is taken as the file gives it; the document
// makes three of them.
LabelFileContent decodeLabelFile(std::span<const std::uint8_t> data, const CodePage& codePage);

}  // namespace tovik::label
