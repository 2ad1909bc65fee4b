#pragma once
// Where the About box opens: its top-left corner at the cursor, flipped to the cursor's left or
// above it where the box would run past the desktop's right or bottom edge.

#include "launcher/tray_desktop.h"

namespace tovik::launcher {

Point aboutBoxPosition(Point cursor, Size box, Size desktop);

}  // namespace tovik::launcher
