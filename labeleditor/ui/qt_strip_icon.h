#pragma once
// Tool bar buttons show one image of a strip of equal images side by side in Sleevon's skin.

#include <QIcon>
#include <QSize>

#include <string_view>

namespace tovik::label {

// The image at `index` of the strip (each `cell` big), at 1x and, where the skin has it, at 2x.
QIcon stripIcon(std::string_view strip, int index, QSize cell);

}  // namespace tovik::label
