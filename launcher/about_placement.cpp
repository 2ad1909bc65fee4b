#include "launcher/about_placement.h"

#include <algorithm>

namespace tovik::launcher {

namespace {

// One axis. A box wider than the room left of the cursor stops at the desktop's edge instead of
// hanging off it.
int place(int cursor, int box, int desktop) {
    if (cursor + box <= desktop) return cursor;
    return std::max(cursor - box, 0);
}

}  // namespace

Point aboutBoxPosition(Point cursor, Size box, Size desktop) {
    return {place(cursor.x, box.width, desktop.width), place(cursor.y, box.height, desktop.height)};
}

}  // namespace tovik::launcher
