#pragma once
// The label's fonts as the canvas draws them. The document's CreateFonts makes them for the
// window's resolution, and the same three are used on screen, in the print preview and on paper:
// their heights are 0.1 mm units, since the labels are drawn in that mapping.

#include <array>

#include "labeleditor/document/document_ports.h"
#include "labeleditor/document/sleevon_doc.h"
#include "platform/canvas.h"
#include "platform/codepage.h"

namespace tovik::label {

// A device font made from a font record: the canvas's description of it.
class LabelFont : public DeviceFont {
public:
    explicit LabelFont(FontSpec fontSpec) : spec_(std::move(fontSpec)) {}
    const FontSpec& fontSpec() const { return spec_; }

private:
    FontSpec spec_;
};

// Makes label fonts for a device of the given vertical resolution; face names in the records are
// code-page bytes.
class LabelFontDevice : public FontDevice {
public:
    LabelFontDevice(int logPixelsY, const CodePage& codePage) : logPixelsY_(logPixelsY), codePage_(codePage) {}
    int logPixelsY() const override { return logPixelsY_; }
    std::unique_ptr<DeviceFont> createFont(const LogFont& font) override;

private:
    int logPixelsY_;
    const CodePage& codePage_;
};

// The canvas description of a record, as LabelFontDevice makes it.
FontSpec fontSpecOf(const LogFont& font, const CodePage& codePage);

// The three fonts by font type; a type without a font draws in the canvas's default font.
using LabelFontSpecs = std::array<FontSpec, kFontTypeCount>;
LabelFontSpecs fontSpecsOf(const DeviceFonts& fonts);

}  // namespace tovik::label
