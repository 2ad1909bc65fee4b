#pragma once
// The faces the format bar offers, as the system's fonts report them: one entry per face and
// character set (writing system). Texts here are UTF-8; the bar converts a chosen face name to
// the document's code page.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "labeleditor/document/log_font.h"

namespace tovik::label {

// FaceEntry::flags.
constexpr std::uint32_t FACE_TRUETYPE = 0x200;

// The item data of every face-list item.
struct FaceEntry {
    std::string name;    // the face name
    std::string script;  // the character set's name, as the enumeration reports it
    std::uint8_t charSet = ANSI_CHARSET;
    std::uint8_t pitchAndFamily = 0;
    std::uint32_t flags = 0;
    bool operator==(const FaceEntry&) const = default;
};

// One face in one character set, as the system reports it.
struct ReportedFont {
    enum class Kind {
        Raster,    // a bitmap font, made in a few sizes
        Vector,    // drawn with strokes: any size
        TrueType,  // an outline font: any size
    };
    std::string name;
    std::string script;
    std::uint8_t charSet = ANSI_CHARSET;
    std::uint8_t pitchAndFamily = 0;
    Kind kind = Kind::TrueType;
};

// The sizes one face comes in.
struct FaceSizes {
    bool scalable = false;        // outline (TrueType) or vector: any size
    std::vector<int> rasterSizes;  // otherwise: the character heights in pixels it is made in
};

// The system's fonts, as the bar asks for them (the screen's font enumeration).
class FontEnumerator {
public:
    virtual ~FontEnumerator() = default;
    // Every face in every character set.
    virtual std::vector<ReportedFont> allFaces() const = 0;
    // The sizes of a face; nullopt when the system has no face of that name.
    virtual std::optional<FaceSizes> sizesOf(const std::string& face) const = 0;
};

// Orders two texts as the locale's collation does (case-sensitive): true when a comes first.
using Collation = std::function<bool(const std::string& a, const std::string& b)>;

// A face-list item: the text it shows and its entry.
struct FaceItem {
    std::string text;
    FaceEntry entry;
};

// The face list from what the system reports: raster fonts and the Macintosh character set left
// out, and on a system with double-byte characters the vertical faces ("@" names) too. A name
// reported in several character sets shows as "name (script)" (the bare name when the script
// has no name). Items are in collation order.
std::vector<FaceItem> buildFaceList(const std::vector<ReportedFont>& reported, bool doubleByteSystem,
                                    const Collation& collation);

}  // namespace tovik::label
