#pragma once
// Traymote's images: the notification icon's two pictures.

#include <string_view>

#include "tools/skingen/art.h"

namespace tovik::skingen {

bool paintTraymote(std::string_view name, Art& art);

}  // namespace tovik::skingen
