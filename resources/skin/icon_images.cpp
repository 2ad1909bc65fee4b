// The suite's icons for the desktop: each program's icon and the label file's icon at the sizes
// of the hicolor theme. Names are the theme's context and icon name.
#include "resources/skin/skin_catalog.h"

namespace tovik::skin {

std::span<const int> iconThemeSizes() {
    static constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
    return kSizes;
}

const std::vector<Image>& iconImages() {
    static const std::vector<Image> images = [] {
        std::vector<Image> all;
        for (const char* name : {"apps/rotela", "apps/sleevon", "apps/traymote",
                                 "mimetypes/application-x-sleevon-label"}) {
            for (int size : iconThemeSizes()) all.push_back({name, {size, size}});
        }
        return all;
    }();
    return images;
}

std::span<const ButtonImages> iconButtons() { return {}; }

}  // namespace tovik::skin
