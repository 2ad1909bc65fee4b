#pragma once
// Ids of the panel's controls that send no unit command (those that do are in
// controller/link/md_commands.h), and the panel's fixed size.

namespace tovik::ui {

enum PanelOnlyControl : int {
    IDC_SLIDER = 1003,       // the MD volume, a vertical slider 0 (top, loudest) .. 30
    IDC_MIN = 1020,
    IDC_QUESTION = 1021,
    IDC_EDIT_DOWN = 1023,    // edit mode
    IDC_EDIT_UP = 1024,      // edit mode
    IDC_OK = 1025,           // edit mode
    IDC_CANCEL = 1026,       // edit mode
    IDC_VUP = 1102,
    IDC_VDOWN = 1103,
    IDC_MDLOGO = 1104,
};

constexpr int kPanelWidth = 625;
constexpr int kPanelHeight = 206;

}  // namespace tovik::ui
