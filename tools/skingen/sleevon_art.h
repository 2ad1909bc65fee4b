#pragma once
// Sleevon's images: the format bar's buttons and the face list's glyphs.

#include <string_view>

#include "tools/skingen/art.h"

namespace tovik::skingen {

bool paintSleevon(std::string_view name, Art& art);

}  // namespace tovik::skingen
