#include "labeleditor/layout/label_fonts.h"

namespace tovik::label {

FontSpec fontSpecOf(const LogFont& font, const CodePage& codePage) {
    FontSpec spec;
    spec.face = codePage.toUtf8(font.face());
    spec.height = font.height;
    spec.weight = font.weight;
    spec.italic = font.italic != 0;
    spec.underline = font.underline != 0;
    spec.strikeOut = font.strikeOut != 0;
    spec.charSet = font.charSet;
    return spec;
}

std::unique_ptr<DeviceFont> LabelFontDevice::createFont(const LogFont& font) {
    return std::make_unique<LabelFont>(fontSpecOf(font, codePage_));
}

LabelFontSpecs fontSpecsOf(const DeviceFonts& fonts) {
    LabelFontSpecs specs;
    for (std::size_t i = 0; i < fonts.size(); ++i)
        if (const auto* font = dynamic_cast<const LabelFont*>(fonts[i].get())) specs[i] = font->spec();
    return specs;
}

}  // namespace tovik::label
