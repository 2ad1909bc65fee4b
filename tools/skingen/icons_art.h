#pragma once
// The suite's icons for the desktop (the hicolor theme): Rotela's is its program icon; Sleevon,
// Traymote and the label file have theirs here. Drawn on a 32-unit grid and scaled, so every
// size has the same picture.

#include <string_view>

#include "tools/skingen/art.h"

namespace tovik::skingen {

bool paintIcon(std::string_view name, Art& art);

}  // namespace tovik::skingen
