#pragma once
// Dialog templates: a dialog's size, font and controls in dialog units, with each text in English
// and Japanese. A dialog unit is a quarter of the dialog font's average character width across
// and an eighth of its height down.

#include <span>

#include "platform/strings.h"

namespace tovik::resources {

enum class ControlKind { DefaultButton, Button, GroupBox, VerticalSlider, HorizontalSlider, ReadOut };

struct DialogControl {
    ControlKind kind;
    int id;  // -1 for a control the program never addresses
    int x, y, cx, cy;
    const char* english = "";
    const char* japanese = "";
    const char* text(Language language) const { return language == Language::Japanese ? japanese : english; }
};

struct DialogFont {
    const char* face;
    int pointSize;
};

struct DialogResource {
    unsigned id;
    int cx, cy;
    const char* englishCaption;
    const char* japaneseCaption;
    DialogFont englishFont;
    DialogFont japaneseFont;
    std::span<const DialogControl> controls;

    const char* caption(Language language) const {
        return language == Language::Japanese ? japaneseCaption : englishCaption;
    }
    const DialogFont& font(Language language) const {
        return language == Language::Japanese ? japaneseFont : englishFont;
    }
};

// Sleevon's dialog templates (138); nullptr for any other id.
const DialogResource* sleevonDialog(unsigned id);

}  // namespace tovik::resources
