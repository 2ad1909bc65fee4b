#pragma once
// The programs the generator draws for: each has its catalog of names and sizes
// (resources/skin) and its drawing file here. A program joins with one row.

#include <string_view>
#include <vector>

#include "resources/skin/skin_catalog.h"
#include "tools/skingen/art.h"
#include "tools/skingen/icons_art.h"
#include "tools/skingen/rotela_art.h"
#include "tools/skingen/sleevon_art.h"
#include "tools/skingen/traymote_art.h"

namespace tovik::skingen {

struct Program {
    std::string_view name;
    const std::vector<skin::Image>& (*images)();
    std::span<const skin::ButtonImages> (*buttons)();
    PaintImage paint;
};

inline constexpr Program kPrograms[] = {
    {"rotela", skin::rotelaImages, skin::rotelaButtons, paintRotela},
    {"icons", skin::iconImages, skin::iconButtons, paintIcon},  // the desktop's, see --theme
    {"traymote", skin::traymoteImages, skin::traymoteButtons, paintTraymote},
    {"sleevon", skin::sleevonImages, skin::sleevonButtons, paintSleevon},
};

}  // namespace tovik::skingen
