#pragma once
// Whole-file reading and safe replacement of a file. A file is replaced by writing a temporary
// file beside it and renaming that over it, so a crash, a full disk or an I/O error never leaves
// a half-written file under the target's name: the target is either the old file or the new one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tovik::label {

// Far beyond any label file (255 names of 2048 bytes are half a megabyte), and small enough
// that the lists a file can describe (at most one entry per byte) stay within memory.
constexpr std::uint64_t kMaxFileBytes = 16ull << 20;

// nullopt when the file cannot be opened or read, is not a regular file or is larger than
// kMaxFileBytes; `why` then tells the reason.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::string* why = nullptr);

// Which step of a replacement failed: the file could not be made at all (no temporary file in
// the folder, or the target refuses to be replaced), or its bytes could not be written out.
enum class ReplaceFailure { None, Create, Write };

// Writes `bytes` under `path` through a temporary file in the same folder. An existing file
// keeps its permissions; a symbolic link keeps pointing at the (replaced) file. On failure nothing is left behind and the old file is untouched.
bool replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                 std::string* why = nullptr, ReplaceFailure* failure = nullptr);

}  // namespace tovik::label
