#include "labeleditor/document/archive.h"

#include <algorithm>

namespace tovik::label {

// --- writing ---

void ArchiveWriter::putU16(std::uint16_t value) {
    out_.push_back(static_cast<std::uint8_t>(value));
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::putDword(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ArchiveWriter::putCount(std::uint64_t count) {
    if (count < 0xFFFF) {
        putU16(static_cast<std::uint16_t>(count));
    } else {
        putU16(0xFFFF);
        putDword(static_cast<std::uint32_t>(count));
    }
}

void ArchiveWriter::putString(std::string_view bytes) {
    std::size_t n = bytes.size();
    if (n < 0xFF) {
        out_.push_back(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        out_.push_back(0xFF);
        putU16(static_cast<std::uint16_t>(n));
    } else {
        out_.push_back(0xFF);
        putU16(0xFFFF);
        putDword(static_cast<std::uint32_t>(n));
    }
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void ArchiveWriter::putStringList(std::span<const std::string> list) {
    putCount(list.size());
    for (const std::string& entry : list) putString(entry);
}

void ArchiveWriter::putBytes(std::span<const std::uint8_t> bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

// --- reading ---

void ArchiveReader::need(std::uint64_t bytes) const {
    if (bytes > remaining()) throw ArchiveError("the file ends inside a field");
}

std::uint8_t ArchiveReader::readU8() {
    need(1);
    return data_[pos_++];
}

std::uint16_t ArchiveReader::readU16() {
    need(2);
    auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::uint32_t ArchiveReader::readDword() {
    need(4);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return v;
}

std::uint32_t ArchiveReader::readCount() {
    std::uint16_t c = readU16();
    return c != 0xFFFF ? c : readDword();
}

std::uint32_t ArchiveReader::readStringLength(bool& wide) {
    wide = false;
    for (;;) {
        std::uint8_t b = readU8();
        if (b < 0xFF) return b;
        std::uint16_t w = readU16();
        if (w == 0xFFFE) {
            // The wide-string marker; the real length follows. It may come only once.
            if (wide) throw ArchiveError("a second wide-string marker");
            wide = true;
            continue;
        }
        return w != 0xFFFF ? w : readDword();
    }
}

std::string ArchiveReader::readString() {
    bool wide = false;
    std::uint64_t n = readStringLength(wide);
    std::uint64_t bytes = wide ? 2 * n : n;
    need(bytes);
    auto text = data_.subspan(pos_, static_cast<std::size_t>(bytes));
    pos_ += text.size();
    if (wide) return wideToCodePage(text, codePage_);
    return std::string(text.begin(), text.end());
}

std::vector<std::string> ArchiveReader::readStringList(std::uint32_t maxCount) {
    std::uint32_t count = readCount();
    if (count > maxCount) throw ArchiveError("a list longer than the data can hold");
    // Every String takes at least one byte: a count beyond the bytes left cannot be right.
    need(count);
    std::vector<std::string> list;
    list.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) list.push_back(readString());
    return list;
}

void ArchiveReader::readBytes(std::span<std::uint8_t> out) {
    need(out.size());
    std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(pos_), out.size(), out.begin());
    pos_ += out.size();
}

// --- wide text ---

std::string wideToCodePage(std::span<const std::uint8_t> utf16le, const CodePage& codePage) {
    return codePage.fromUtf16LeLossy(utf16le);
}

}  // namespace tovik::label
