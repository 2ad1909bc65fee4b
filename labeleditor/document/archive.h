#pragma once
// The label file's archive encodings: DWORD, Count, String (three length forms, plus the
// wide-string marker on reading) and String list. The file is nothing but these, one after
// another, with no header or padding.
//
// The reader trusts nothing: every length and count is checked against the bytes left before
// anything is allocated, and running out of bytes inside a field throws ArchiveError.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace tovik::label {

// The data does not hold what the reader expected (it ended inside a field, or a length
// cannot be right). The open fails with "Unexpected file format.".
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ArchiveWriter {
public:
    void putDword(std::uint32_t value);
    void putCount(std::uint64_t count);
    void putString(std::string_view bytes);
    void putStringList(std::span<const std::string> list);
    void putBytes(std::span<const std::uint8_t> bytes);

    const std::vector<std::uint8_t>& bytes() const { return out_; }
    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    void putU16(std::uint16_t value);
    std::vector<std::uint8_t> out_;
};

class ArchiveReader {
public:
    // Wide strings are converted to the given code page.
    ArchiveReader(std::span<const std::uint8_t> data, const CodePage& codePage)
        : data_(data), codePage_(codePage) {}

    std::uint32_t readDword();
    std::uint32_t readCount();
    std::string readString();
    // A list of more than `maxCount` entries is an ArchiveError, before anything is allocated.
    std::vector<std::string> readStringList(std::uint32_t maxCount);
    void readBytes(std::span<std::uint8_t> out);

    std::size_t remaining() const { return data_.size() - pos_; }

private:
    std::uint8_t readU8();
    std::uint16_t readU16();
    // The String length prefix; `wide` is set when the wide-string marker preceded it.
    std::uint32_t readStringLength(bool& wide);
    void need(std::uint64_t bytes) const;

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    const CodePage& codePage_;
};

// UTF-16LE text to the code page; a character the code page cannot hold, or a broken
// surrogate, becomes '?', as the system's own conversion does.
std::string wideToCodePage(std::span<const std::uint8_t> utf16le, const CodePage& codePage);

}  // namespace tovik::label
