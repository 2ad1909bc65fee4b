#pragma once
// The bitmaps each program names, with their sizes in pixels: the one list the skin generator
// draws from and the tests fill a recording canvas from. No Qt here.
//
// Names: a skinned button's images are its caption followed by the state ("MDPLAYU", "MDPLAYD",
// "MDPLAYX", "ACCESSRU"); every other bitmap is named by its resource number ("148"). Icons in
// several sizes are "NUMBER-SIZE" ("128-16"), the plain number being the 32 x 32 one. Every image
// also exists at twice the size as "NAME@2x" in the compiled-in skin.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace tovik::skin {

struct Image {
    std::string name;
    Size size;
};

// A skinned button's images: the caption, the states it has ("U D X", "U D X RU RD").
struct ButtonImages {
    std::string_view caption;
    std::string_view states;
    Size size;
};

// Rotela's buttons, by caption.
std::span<const ButtonImages> rotelaButtons();
// Every image of Rotela: the buttons' images, the panel and display bitmaps, the lamps, the
// track list's mark, the captions and the program icon.
const std::vector<Image>& rotelaImages();
// Traymote's icon pictures: card ready and card not ready.
const std::vector<Image>& traymoteImages();
std::span<const ButtonImages> traymoteButtons();  // none

// The icons the desktop shows for the suite, at every size of the hicolor theme: "apps/rotela",
// "apps/sleevon", "apps/traymote" and "mimetypes/application-x-sleevon-label" (the label file).
// The same name comes once per size; they are installed, not compiled in.
std::span<const int> iconThemeSizes();
const std::vector<Image>& iconImages();
std::span<const ButtonImages> iconButtons();  // none

// Sleevon has no skinned buttons; its images are the format bar's button strip (bitmap 139, five
// 16 x 16 images side by side, and "139-24" with 24 x 24 images for screens of 120 dpi or more)
// the face list's glyphs (bitmap 167: two 16 x 15 glyphs side by side, the right one marking a
// TrueType face) and the tool bar's buttons (bitmap 128: Print and Help Topics, 16 x 15 each).
std::span<const ButtonImages> sleevonButtons();
const std::vector<Image>& sleevonImages();

// The states of a row, one by one ("U D X" -> U, D, X).
std::vector<std::string_view> statesOf(const ButtonImages& button);

// Bitmap numbers used by more than one place.
namespace bitmap {
inline constexpr std::string_view kPanel = "147";
inline constexpr std::string_view kNamePlate = "154";
inline constexpr std::string_view kDisplayLit = "148";
inline constexpr std::string_view kDisplayDark = "181";
inline constexpr std::string_view kTrackMark = "172";
inline constexpr std::string_view kVolumeCaption = "156";
inline constexpr std::string_view kLevelCaption = "173";
inline constexpr std::string_view kProgramIcon = "128";
inline constexpr std::string_view kFormatButtons = "139";
inline constexpr std::string_view kFormatButtonsLarge = "139-24";
inline constexpr std::string_view kFontTypeGlyphs = "167";
// Sleevon's tool bar (its own skin: Rotela's 128 is an icon in another).
inline constexpr std::string_view kSleevonToolBar = "128";
}  // namespace bitmap

}  // namespace tovik::skin
