#include "labeleditor/document/stored_settings.h"

#include <algorithm>

#include "labeleditor/document/document_ids.h"
#include "labeleditor/document/sleevon_doc.h"
#include "platform/strings.h"

namespace tovik::label {

namespace {
constexpr std::int32_t kBuiltInFontHeight = -15;
}  // namespace

std::string defaultFontKey(int type) { return formatText("Type_%d", type); }

PrintOffsets loadPrintOffsets(const Profile& profile) {
    return {profile.getInt(kPrintSection, "H", 0), profile.getInt(kPrintSection, "V", 0)};
}

void savePrintOffsets(Profile& profile, PrintOffsets offsets) {
    profile.setInt(kPrintSection, "H", offsets.h);
    profile.setInt(kPrintSection, "V", offsets.v);
}

LogFont builtInDefaultFont(const LogFont& guiFont) {
    LogFont font = guiFont;
    font.height = kBuiltInFontHeight;
    return font;
}

std::optional<LogFont> storedDefaultFont(const Profile& profile, int type) {
    auto stored = profile.getBinary(kDefaultFontSection, defaultFontKey(type));
    if (!stored || stored->size() != kLogFontSize) return std::nullopt;
    return LogFont::fromBytes(std::span<const std::uint8_t, kLogFontSize>(stored->data(), kLogFontSize));
}

std::vector<LogFont> fontsOfLabel(const LabelFileContent& file, const Profile& profile, const LogFont& guiFont) {
    // The rest of the editor indexes exactly three font types: extra records are dropped,
    // missing ones take the stored default of their type.
    std::vector<LogFont> fonts;
    if (!file.isShortLayout())
        fonts.assign(file.fonts.begin(), file.fonts.begin() + std::min<std::ptrdiff_t>(
                                                                  static_cast<std::ptrdiff_t>(file.fonts.size()), kFontTypeCount));
    for (auto t = static_cast<int>(fonts.size()); t < kFontTypeCount; ++t)
        fonts.push_back(storedDefaultFont(profile, t).value_or(builtInDefaultFont(guiFont)));
    return fonts;
}

LogFont scaledForDevice(const LogFont& record, int logPixelsY) {
    LogFont scaled = record;
    std::int64_t perInch = std::clamp<std::int64_t>(std::int64_t{logPixelsY} * 254, INT32_MIN, INT32_MAX);
    scaled.height = negateHeight(mulDiv(negateHeight(record.height), static_cast<std::int32_t>(perInch), 10000));
    return scaled;
}

}  // namespace tovik::label
