#include "platform/canvas.h"

#include <algorithm>

namespace tovik {

Rect Rect::normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

bool Rect::contains(Point p) const {
    Rect n = normalized();
    return p.x >= n.left && p.x < n.right && p.y >= n.top && p.y < n.bottom;
}

}  // namespace tovik
