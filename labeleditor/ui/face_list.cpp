#include "labeleditor/ui/face_list.h"

#include <algorithm>
#include <map>

namespace tovik::label {

std::vector<FaceItem> buildFaceList(const std::vector<ReportedFont>& reported, bool doubleByteSystem,
                                    const Collation& collation) {
    std::vector<FaceEntry> entries;
    for (const ReportedFont& font : reported) {
        if (font.kind == ReportedFont::Kind::Raster) continue;
        if (font.charSet == MAC_CHARSET) continue;
        // The vertical-writing twins of the double-byte faces.
        if (doubleByteSystem && !font.name.empty() && font.name.front() == '@') continue;
        entries.push_back(FaceEntry{font.name, font.script, font.charSet, font.pitchAndFamily,
                                    font.kind == ReportedFont::Kind::TrueType ? FACE_TRUETYPE : 0u});
    }

    std::map<std::string, int> uses;
    for (const FaceEntry& entry : entries) ++uses[entry.name];

    std::vector<FaceItem> items;
    items.reserve(entries.size());
    for (FaceEntry& entry : entries) {
        std::string text = entry.name;
        if (uses[entry.name] > 1 && !entry.script.empty()) text += " (" + entry.script + ")";
        items.push_back(FaceItem{std::move(text), std::move(entry)});
    }
    // A sorted list keeps equal texts in the order they were added.
    std::stable_sort(items.begin(), items.end(),
                     [&](const FaceItem& a, const FaceItem& b) { return collation(a.text, b.text); });
    return items;
}

}  // namespace tovik::label
