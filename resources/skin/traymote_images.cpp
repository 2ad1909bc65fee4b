// Traymote's images: the notification icon's two pictures, card ready (300, also the About box's
// icon) and card not ready (301), each at 32 x 32 and at the notification area's 16 x 16.
#include "resources/skin/skin_catalog.h"

namespace tovik::skin {

const std::vector<Image>& traymoteImages() {
    static const std::vector<Image> images = {
        {"300", {32, 32}},
        {"300-16", {16, 16}},
        {"301", {32, 32}},
        {"301-16", {16, 16}},
    };
    return images;
}

std::span<const ButtonImages> traymoteButtons() { return {}; }

}  // namespace tovik::skin
