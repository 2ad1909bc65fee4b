#pragma once
// Numbers the label document shares with the views, the frame and the format bar: font types,
// update hints, command ids and the format bar's notification codes.

#include <cstdint>

namespace tovik::label {

// Font types: index into the document's font records.
enum FontType : int {
    FONT_TITLE = 0,      // the print title on the case label
    FONT_TRACK = 1,      // the print track names
    FONT_DISCTITLE = 2,  // the print title on the disc label
};
constexpr int kFontTypeCount = 3;

// Update hints the document sends to every view.
constexpr unsigned HINT_FONTTYPE = 0x100;    // the current font type changed
constexpr unsigned HINT_PRINTTITLE = 0x200;  // the print title was edited
constexpr unsigned HINT_TRACKNAMES = 0x201;  // a print track name edited, a track inserted or deleted
constexpr unsigned HINT_FONT = 0x300;        // + font type: that font record changed

// Commands the document handles.
constexpr unsigned ID_FONT_TITLE = 32771;
constexpr unsigned ID_FONT_TRACK = 32772;
constexpr unsigned ID_FORMAT_BOLD = 32799;
constexpr unsigned ID_FORMAT_ITALIC = 32800;
constexpr unsigned ID_FORMAT_UNDERLINE = 32802;
constexpr unsigned ID_FONT_SAVE_DEFAULT = 32806;
constexpr unsigned ID_FONT_RETURN_DEFAULT = 32814;
constexpr unsigned ID_PRINT_POSITION = 32822;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_SAVE_AS = 57604;

// The format bar (its control id) and its notifications.
constexpr unsigned ID_FORMAT_BAR = 32820;
constexpr int FBN_APPLYFONT = 0x1000;
constexpr int FBN_QUERYFONT = 0x1001;

// Strings the document shows.
constexpr unsigned IDS_FAILED_TO_OPEN = 61697;    // "Failed to open document."
constexpr unsigned IDS_FAILED_TO_SAVE = 61698;    // "Failed to save document."
constexpr unsigned IDS_BAD_FILE_FORMAT = 61728;   // "Unexpected file format."

}  // namespace tovik::label
