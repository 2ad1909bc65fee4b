#include "controller/ui/display_layout.h"

#include "platform/codepage.h"

namespace tovik::ui {

namespace {

constexpr std::uint8_t kAnsiCharSet = 0;
constexpr std::uint8_t kShiftJisCharSet = 128;

FontSpec font(std::string face, int height, int weight, std::uint8_t charSet) {
    FontSpec fontSpec;
    fontSpec.face = std::move(face);
    fontSpec.height = height;  // positive: the cell height
    fontSpec.weight = weight;
    fontSpec.charSet = charSet;
    return fontSpec;
}

}  // namespace

DisplayFonts displayFonts(bool japaneseSystem) {
    DisplayFonts fonts{font("Arial", 26, 700, kAnsiCharSet), font("Arial", 16, 700, kAnsiCharSet),
                       font("Arial", 12, 400, kAnsiCharSet)};
    if (japaneseSystem) {
        fonts.small = font(CodePage::forLanguage(Language::Japanese).toUtf8(kJapaneseGothicFaceCp932),
                           12, 400, kShiftJisCharSet);
    }
    return fonts;
}

}  // namespace tovik::ui
