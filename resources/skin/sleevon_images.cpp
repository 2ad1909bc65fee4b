// Sleevon's bitmaps and their sizes.
#include "resources/skin/skin_catalog.h"

namespace tovik::skin {

std::span<const ButtonImages> sleevonButtons() { return {}; }

const std::vector<Image>& sleevonImages() {
    static const std::vector<Image> images = {
        {std::string(bitmap::kFormatButtons), {5 * 16, 16}},       // bold, italic, underline, save, return
        {std::string(bitmap::kFormatButtonsLarge), {5 * 24, 24}},  // the same for large icons
        {std::string(bitmap::kFontTypeGlyphs), {32, 15}},         // printer font, TrueType font
        {std::string(bitmap::kSleevonToolBar), {2 * 16, 15}},     // Print, Help Topics
    };
    return images;
}

}  // namespace tovik::skin
