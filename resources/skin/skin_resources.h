#pragma once
// The programs' compiled-in skins. A program registers its own once before it draws (a library
// linked statically keeps its images only when something calls into it); the images are then
// found under ":/skin" by the names of skin_catalog.h.

namespace tovik::skin {

namespace rotela {
void registerSkin();
}

namespace traymote {
void registerSkin();
}

namespace sleevon {
void registerSkin();
}

}  // namespace tovik::skin
