// Sleevon's dialog templates.
#include "resources/dialogs.h"

namespace tovik::resources {

namespace {

// 138, "Print position": the vertical slider at the left, the horizontal one below the buttons.
constexpr DialogControl kPrintPosition[] = {
    {ControlKind::DefaultButton, 1, 133, 7, 50, 14, "OK", "OK"},
    {ControlKind::Button, 2, 133, 24, 50, 14, "Cancel", "キャンセル"},
    {ControlKind::GroupBox, -1, 7, 7, 48, 131, "Vertical", "縦"},
    {ControlKind::VerticalSlider, 1014, 20, 20, 20, 100},
    {ControlKind::ReadOut, 1015, 12, 124, 39, 10},
    {ControlKind::GroupBox, -1, 64, 75, 119, 63, "Horizontal", "横"},
    {ControlKind::HorizontalSlider, 1013, 75, 95, 100, 20},
    {ControlKind::ReadOut, 1016, 107, 124, 39, 10},
};

constexpr DialogResource kDialogs[] = {
    {138, 190, 145, "Print position", "印刷位置", {"MS Sans Serif", 8},
     {"ＭＳ Ｐゴシック", 9},
     kPrintPosition},
};

}  // namespace

const DialogResource* sleevonDialog(unsigned id) {
    for (const DialogResource& d : kDialogs)
        if (d.id == id) return &d;
    return nullptr;
}

}  // namespace tovik::resources
