#pragma once
// What the label editor keeps in its profile beside its windows, the print position and the
// default fonts, and how a font record is scaled for a device. The document reads and writes
// them; tools that print a label the way the editor does read them too.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "labeleditor/document/label_file.h"
#include "labeleditor/document/log_font.h"
#include "platform/profile.h"

namespace tovik::label {

// Section "Print", values "H" and "V": the print offsets in 0.1 mm.
constexpr const char* kPrintSection = "Print";
// Section "DefaultFont", values "Type_<type>": a type's default font as a 60-byte record.
constexpr const char* kDefaultFontSection = "DefaultFont";
std::string defaultFontKey(int type);

struct PrintOffsets {
    std::int32_t h = 0;  // positive to the right
    std::int32_t v = 0;  // positive downward
    bool operator==(const PrintOffsets&) const = default;
};
PrintOffsets loadPrintOffsets(const Profile& profile);
void savePrintOffsets(Profile& profile, PrintOffsets offsets);

// The built-in default font: the system's GUI font at the height −15.
LogFont builtInDefaultFont(const LogFont& guiFont);
// A type's stored default, when the profile holds exactly 60 bytes for it.
std::optional<LogFont> storedDefaultFont(const Profile& profile, int type);
// The three fonts a document opened from `file` holds: the stored defaults for a short layout;
// a full layout's own records, cut to three or filled up with the stored defaults.
std::vector<LogFont> fontsOfLabel(const LabelFileContent& file, const Profile& profile, const LogFont& guiFont);

// The record made for a device of `logPixelsY` dots per inch: its height h becomes
// −MulDiv(−h, logPixelsY × 254, 10000).
LogFont scaledForDevice(const LogFont& record, int logPixelsY);

}  // namespace tovik::label
