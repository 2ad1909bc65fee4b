#pragma once
// The panel's face as data: where every control sits, the skinned buttons in the order they are
// attached with their repeat settings, the tooltips, which controls the state table enables,
// and the panel's own painting (the background stretched from four pieces, the name plate, the
// VOLUME and L R LEVEL captions and the frame round the volume controls).
//
// Plain C++: the Qt window builds itself from these tables, and the tests read them.

#include <optional>
#include <span>

#include "controller/link/button_state.h"
#include "platform/canvas.h"

namespace tovik::ui {

// Controls of the panel's template that are not buttons.
enum PanelStaticControl : int {
    IDC_ENTRY = 1022,           // never shown, never loaded
    IDC_NAME_PLATE = 1034,      // hidden placeholder: where the name plate is painted
    IDC_METER_AREA = 1051,      // hidden placeholder: where the level meter goes
    IDC_DISPLAY_AREA = 1052,    // hidden placeholder: where the display goes
    IDC_VOLUME_FRAME = 1116,    // the frame round VUP, the slider and VDOWN
    IDC_VOLUME_CAPTION = 1117,  // the word VOLUME (bitmap 156)
    IDC_LEVEL_CAPTION = 1118,   // L R LEVEL (bitmap 173)
};

// The child windows the panel creates at the placeholders' rectangles.
constexpr int kMeterChildId = 120;
constexpr int kDisplayChildId = 121;

constexpr Rgb kPanelSilver = rgb(192, 192, 192);

// Texts of the window around the panel.
enum PanelWindowText : unsigned {
    IDS_ABOUT_MENU = 101,       // the system menu's About entry
    IDS_ABOUT_CAPTION = 130,
    IDS_ABOUT_PROGRAM = 131,
    IDS_ABOUT_VERSION = 132,
    IDS_MENU_RESTORE = 140,
    IDS_MENU_MINIMIZE = 141,
    IDS_MENU_CLOSE = 142,
    IDS_HELP_FAILED = 57742,    // "The help page could not be opened.\n%s"
};

// A control's place in client pixels.
struct ControlPlace {
    int id;
    int x, y, width, height;
    Rect rect() const { return {x, y, x + width, y + height}; }
};

// Every control of the template, in the order the start-up walks them.
std::span<const ControlPlace> panelGeometry();
// The control's rectangle; empty for an id the panel does not have.
Rect controlRect(int id);

enum class ButtonKind {
    Repeat,  // RepeatButton (without a repeat setting it is a plain bitmap button)
    Latch,   // LatchButton: FF and REV
    Plain,   // a bitmap button of the framework: CLOSE, MIN, QUESTION; a double click is one click
};

struct PanelButton {
    int id;
    const char* caption;  // names its images
    ButtonKind kind;
    bool startsHidden;    // edit mode's buttons
};

// The skinned buttons in the order they are attached.
std::span<const PanelButton> panelButtons();

struct RepeatSetting {
    int id;
    unsigned periodMs;
    bool releaseNotification;
};

// The buttons that repeat while held; every other button does not.
std::span<const RepeatSetting> repeatSettings();
const RepeatSetting* repeatSetting(int id);

struct ControlTooltip {
    int id;
    unsigned stringId;
};

// The tooltips, as registered.
std::span<const ControlTooltip> panelTooltips();

// Whether the state in force enables the control; empty for a control the state table does not
// govern (CLOSE, MIN, QUESTION and edit mode's buttons). 21 controls have a rule: the 18
// columns (the volume column covers VUP, VDOWN and the slider) and MD logo, enabled while a
// disc is in.
std::optional<bool> controlEnabled(const link::ButtonState& state, int id);

// The panel's own painting at client size `client`: when minimised the program icon centred on
// silver; otherwise the background bitmap stretched by copying four pieces of it, the name plate
// at its placeholder, the two caption pictures and the volume frame. A missing bitmap is skipped.
void paintPanel(Canvas& canvas, Size client, bool minimised);

}  // namespace tovik::ui
