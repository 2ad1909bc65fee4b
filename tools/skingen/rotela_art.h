#pragma once
// Rotela's images. One drawing file per program: a program's images are drawn by its file,
// with the kit of art.h.

#include <string_view>

#include "tools/skingen/art.h"

namespace tovik::skingen {

bool paintRotela(std::string_view name, Art& art);

}  // namespace tovik::skingen
