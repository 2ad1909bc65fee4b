#include "labeleditor/layout/label_fonts.h"

namespace tovik::label {

FontSpec fontSpecOf(const LogFont& font, const CodePage& codePage) {
    FontSpec fontSpec;
    fontSpec.face = codePage.toUtf8(font.face());
    fontSpec.height = font.height;
    fontSpec.weight = font.weight;
    fontSpec.italic = font.italic != 0;
    fontSpec.underline = font.underline != 0;
    fontSpec.strikeOut = font.strikeOut != 0;
    fontSpec.charSet = font.charSet;
    return fontSpec;
}

std::unique_ptr<DeviceFont> LabelFontDevice::createFont(const LogFont& font) {
    return std::make_unique<LabelFont>(fontSpecOf(font, codePage_));
}

LabelFontSpecs fontSpecsOf(const DeviceFonts& fonts) {
    LabelFontSpecs fontSpecs;
    for (std::size_t i = 0; i < fonts.size(); ++i)
        if (const auto* font = dynamic_cast<const LabelFont*>(fonts[i].get())) fontSpecs[i] = font->fontSpec();
    return fontSpecs;
}

}  // namespace tovik::label
