#pragma once
// The display's fixed geometry, colours, bitmaps and fonts: where every field and lamp sits on
// the 317 x 123 LCD, in display pixels.

#include <array>
#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "resources/skin/skin_catalog.h"

namespace tovik::ui {

constexpr Rgb kDisplayText = rgb(0, 255, 255);  // cyan
constexpr Rgb kDisplayBack = rgb(0, 0, 128);    // navy

// The two backgrounds: the navy LCD with DISC NAME / TRACK NAME painted, and the unlit panel.
constexpr std::string_view kDisplayLitBitmap = skin::bitmap::kDisplayLit;
constexpr std::string_view kDisplayDarkBitmap = skin::bitmap::kDisplayDark;
// The window takes the lit bitmap's size; this one when that bitmap is missing.
constexpr Size kDisplaySize{317, 123};

enum DisplayLamp : int {
    LAMP_PLAY = 0,
    LAMP_PAUSE = 1,
    LAMP_REC = 2,
    LAMP_MONO_LP = 3,
    LAMP_AUTO_MARK = 4,
    LAMP_TOTAL = 5,
    LAMP_REMAIN = 6,
};
constexpr int kLampCount = 7;

struct LampSpec {
    const char* bitmap;
    Point topLeft;
};

// Indexed by DisplayLamp.
constexpr std::array<LampSpec, kLampCount> kLamps{{
    {"174", {12, 13}},   // green play triangle
    {"175", {31, 13}},   // green pause bars
    {"176", {17, 32}},   // red record dot
    {"160", {42, 35}},   // MONO LP
    {"161", {42, 17}},   // AUTO MARK
    {"162", {260, 17}},  // TOTAL
    {"163", {260, 35}},  // REMAIN
}};

// Lamps 3-6 share the message area and go out of sight while a message shows.
constexpr int kFirstMessageLamp = LAMP_MONO_LP;

constexpr Rect kMessageArea{42, 17, 304, 46};
constexpr Rect kTrackNumberArea{113, 24, 158, 48};
constexpr Rect kTimeArea{166, 24, 240, 48};

// The two name boxes, child controls of the display.
enum class NameBox { Disc, Track };
constexpr int kDiscNameBoxId = 1035;
constexpr int kTrackNameBoxId = 1036;
constexpr Rect kDiscNameBox{54, 60, 299, 78};
constexpr Rect kTrackNameBox{54, 88, 299, 106};
constexpr Rect nameBoxRect(NameBox box) { return box == NameBox::Disc ? kDiscNameBox : kTrackNameBox; }

// The name box's text starts this far in from its left edge.
constexpr int kNameBoxTextX = 4;
// Tooltip of the track name box until a track name is set.
constexpr const char* kTrackNameTooltip = "TRACK NAME";

struct DisplayFonts {
    FontSpec large;   // track number and time
    FontSpec medium;  // messages
    FontSpec small;   // name boxes and the name pop-up
};

// "Arial" for the numbers and messages; the names in the system's Japanese gothic face on a
// Japanese system, so that kana and kanji in names read as the system writes them.
DisplayFonts displayFonts(bool japaneseSystem);

// The gothic face's name as the Japanese system stores it (code page 932 bytes).
constexpr const char kJapaneseGothicFaceCp932[] = "MS \x83\x53\x83\x56\x83\x62\x83\x4e";

}  // namespace tovik::ui
