#include "controller/ui/panel_layout.h"

#include <algorithm>

#include "controller/link/md_commands.h"
#include "controller/ui/panel_controls.h"
#include "resources/skin/skin_catalog.h"

namespace tovik::ui {

using namespace link;
using link::Column;
using namespace skin::bitmap;

namespace {

// clang-format off
constexpr ControlPlace kGeometry[] = {
    {IDC_POWER, 11, 38, 69, 27},         {IDC_ACCESS, 85, 38, 61, 27},
    {IDC_MIXER, 13, 10, 61, 27},         {IDC_INIT, 85, 10, 61, 27},
    {IDC_SLIDER, 30, 87, 25, 75},        {IDC_VOLUME_FRAME, 27, 70, 30, 109},
    {IDC_VOLUME_CAPTION, 22, 185, 42, 12}, {IDC_LEVEL_CAPTION, 81, 179, 48, 16},
    {IDC_FF, 501, 59, 33, 22},           {IDC_DOWN, 538, 59, 33, 22},
    {IDC_UP, 575, 59, 33, 22},           {IDC_MDPLAY, 561, 31, 45, 26},
    {IDC_MDSTOP, 512, 31, 45, 26},       {IDC_REC, 545, 85, 45, 26},
    {IDC_SYNC_REC, 487, 85, 45, 26},     {IDC_TIME, 463, 31, 45, 26},
    {IDC_RECMODE, 545, 113, 45, 26},     {IDC_AUTOMARK, 487, 113, 45, 26},
    {IDC_DISPLAY_AREA, 141, 70, 317, 124}, {IDC_NAME_PLATE, 199, 16, 244, 48},
    {IDC_TOCEDIT, 484, 142, 108, 27},    {IDC_SLEEVON, 484, 168, 108, 27},
    {IDC_CLOSE, 596, 12, 16, 14},        {IDC_MIN, 557, 12, 16, 14},
    {IDC_QUESTION, 577, 12, 16, 14},     {IDC_OK, 472, 125, 61, 27},
    {IDC_CANCEL, 543, 125, 61, 27},      {IDC_ENTRY, 470, 125, 63, 23},
    {IDC_EDIT_DOWN, 503, 91, 33, 22},    {IDC_EDIT_UP, 540, 91, 33, 22},
    {IDC_REV, 465, 59, 33, 22},          {IDC_METER_AREA, 81, 74, 47, 103},
    {IDC_VUP, 31, 72, 22, 14},           {IDC_VDOWN, 31, 164, 22, 14},
    {IDC_MDLOGO, 150, 20, 40, 39},
};

constexpr PanelButton kButtons[] = {
    {IDC_MIXER, "MIXER", ButtonKind::Repeat, false},
    {IDC_POWER, "POWER", ButtonKind::Repeat, false},
    {IDC_ACCESS, "ACCESS", ButtonKind::Repeat, false},
    {IDC_UP, "UP", ButtonKind::Repeat, false},
    {IDC_DOWN, "DOWN", ButtonKind::Repeat, false},
    {IDC_MDPLAY, "MDPLAY", ButtonKind::Repeat, false},
    {IDC_MDSTOP, "MDSTOP", ButtonKind::Repeat, false},
    {IDC_FF, "FF", ButtonKind::Latch, false},
    {IDC_REV, "REV", ButtonKind::Latch, false},
    {IDC_REC, "REC", ButtonKind::Repeat, false},
    {IDC_TIME, "TIME", ButtonKind::Repeat, false},
    {IDC_RECMODE, "RECMODE", ButtonKind::Repeat, false},
    {IDC_AUTOMARK, "AUTOMARK", ButtonKind::Repeat, false},
    {IDC_SYNC_REC, "SYNC_REC", ButtonKind::Repeat, false},
    {IDC_TOCEDIT, "TOCEDIT", ButtonKind::Repeat, false},
    {IDC_SLEEVON, "SLEEVON", ButtonKind::Repeat, false},
    {IDC_INIT, "INIT", ButtonKind::Repeat, false},
    {IDC_VUP, "VUP", ButtonKind::Repeat, false},
    {IDC_VDOWN, "VDOWN", ButtonKind::Repeat, false},
    {IDC_MDLOGO, "MDLOGO", ButtonKind::Repeat, false},
    {IDC_CLOSE, "CLOSE", ButtonKind::Plain, false},
    {IDC_MIN, "MIN", ButtonKind::Plain, false},
    {IDC_QUESTION, "QUESTION", ButtonKind::Plain, false},
    {IDC_EDIT_UP, "UP", ButtonKind::Repeat, true},
    {IDC_EDIT_DOWN, "DOWN", ButtonKind::Repeat, true},
    {IDC_OK, "OK", ButtonKind::Repeat, true},
    {IDC_CANCEL, "CANCEL", ButtonKind::Repeat, true},
};

constexpr RepeatSetting kRepeats[] = {
    {IDC_UP, 200, true},       {IDC_DOWN, 200, true},
    {IDC_EDIT_UP, 50, false},  {IDC_EDIT_DOWN, 50, false},
    {IDC_VUP, 100, false},     {IDC_VDOWN, 100, false},
};

constexpr ControlTooltip kTooltips[] = {
    {IDC_MIXER, 113},    {IDC_POWER, 114},   {IDC_ACCESS, 115},   {IDC_TOCEDIT, 117},
    {IDC_SLEEVON, 118},  {IDC_CLOSE, 119},   {IDC_MIN, 120},      {IDC_QUESTION, 1021},
    {IDC_UP, 111},       {IDC_DOWN, 112},    {IDC_MDPLAY, 109},   {IDC_MDSTOP, 110},
    {IDC_FF, 102},       {IDC_REV, 103},     {IDC_REC, 106},      {IDC_TIME, 104},
    {IDC_RECMODE, 107},  {IDC_AUTOMARK, 108}, {IDC_SYNC_REC, 105}, {IDC_INIT, 121},
};
// clang-format on

// The controls the state table governs, with their column; MD logo follows the disc instead.
struct StateControl {
    int id;
    Column column;
};
constexpr StateControl kStateControls[] = {
    {IDC_POWER, Column::POWER},     {IDC_MIXER, Column::MIXER},       {IDC_ACCESS, Column::ACCESS},
    {IDC_MDPLAY, Column::MDPLAY},   {IDC_MDSTOP, Column::MDSTOP},     {IDC_FF, Column::FF},
    {IDC_REV, Column::REV},         {IDC_UP, Column::UP},             {IDC_DOWN, Column::DOWN},
    {IDC_TIME, Column::TIME},       {IDC_REC, Column::REC},           {IDC_SYNC_REC, Column::SYNC_REC},
    {IDC_AUTOMARK, Column::AUTOMARK}, {IDC_RECMODE, Column::RECMODE}, {IDC_SLEEVON, Column::SLEEVON},
    {IDC_TOCEDIT, Column::TOCEDIT}, {IDC_VUP, Column::Volume},        {IDC_VDOWN, Column::Volume},
    {IDC_SLIDER, Column::Volume},   {IDC_INIT, Column::INIT},
};

constexpr int kPieceInset = 60;  // the background's pieces overlap by this much on each axis
constexpr Rgb kFrameShadow = rgb(128, 128, 128);
constexpr Rgb kFrameLight = rgb(255, 255, 255);

template <typename Row>
const Row* findRow(std::span<const Row> rows, int id) {
    auto it = std::find_if(rows.begin(), rows.end(), [id](const Row& row) { return row.id == id; });
    return it == rows.end() ? nullptr : &*it;
}

}  // namespace

std::span<const ControlPlace> panelGeometry() { return kGeometry; }

Rect controlRect(int id) {
    const ControlPlace* place = findRow(panelGeometry(), id);
    return place ? place->rect() : Rect{};
}

std::span<const PanelButton> panelButtons() { return kButtons; }

std::span<const RepeatSetting> repeatSettings() { return kRepeats; }

const RepeatSetting* repeatSetting(int id) { return findRow(repeatSettings(), id); }

std::span<const ControlTooltip> panelTooltips() { return kTooltips; }

std::optional<bool> controlEnabled(const link::ButtonState& state, int id) {
    if (id == IDC_MDLOGO) return state.mdLogoEnabled();
    if (const StateControl* control = findRow(std::span<const StateControl>(kStateControls), id))
        return state.enabled(control->column);
    return std::nullopt;
}

void paintPanel(Canvas& canvas, Size client, bool minimised) {
    if (minimised) {
        canvas.fillRect({0, 0, client.cx, client.cy}, kPanelSilver);
        const Size icon = canvas.bitmapSize(kProgramIcon);
        if (icon.cx > 0)
            canvas.drawBitmap(kProgramIcon, {(client.cx - icon.cx + 1) / 2, (client.cy - icon.cy + 1) / 2});
        return;
    }

    // Four overlapping pieces cover a client larger than the bitmap: its top-left, bottom-right,
    // top-right and bottom-left parts, each (w - 60) x (h - 60), pinned to their corners.
    const Size bg = canvas.bitmapSize(kPanel);
    if (bg.cx > 0 && bg.cy > 0) {
        const int w = bg.cx - kPieceInset, h = bg.cy - kPieceInset;
        const int right = client.cx - bg.cx + kPieceInset, bottom = client.cy - bg.cy + kPieceInset;
        canvas.drawBitmapPart(kPanel, {0, 0}, {0, 0, w, h});
        canvas.drawBitmapPart(kPanel, {right, bottom},
                              {kPieceInset, kPieceInset, kPieceInset + w, kPieceInset + h});
        canvas.drawBitmapPart(kPanel, {right, 0}, {kPieceInset, 0, kPieceInset + w, h});
        canvas.drawBitmapPart(kPanel, {0, bottom}, {0, kPieceInset, w, kPieceInset + h});
    } else {
        canvas.fillRect({0, 0, client.cx, client.cy}, kPanelSilver);
    }
    const Rect plate = controlRect(IDC_NAME_PLATE);
    if (canvas.bitmapSize(kNamePlate).cx > 0) canvas.drawBitmap(kNamePlate, {plate.left, plate.top});

    // The static controls: an etched frame and two pictures.
    const Rect frame = controlRect(IDC_VOLUME_FRAME);
    canvas.edge(frame, kFrameShadow, kFrameLight);
    canvas.edge(frame.inflated(-1, -1), kFrameLight, kFrameShadow);
    for (auto [id, bitmap] : {std::pair{IDC_VOLUME_CAPTION, kVolumeCaption},
                              std::pair{IDC_LEVEL_CAPTION, kLevelCaption}}) {
        const Rect at = controlRect(id);
        if (canvas.bitmapSize(bitmap).cx > 0) canvas.drawBitmap(bitmap, {at.left, at.top});
    }
}

}  // namespace tovik::ui
