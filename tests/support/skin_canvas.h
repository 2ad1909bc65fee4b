#pragma once
// A recording canvas that knows Rotela's bitmaps with their real sizes (from the skin catalog).

#include "platform/fake/recording_canvas.h"
#include "resources/skin/skin_catalog.h"

namespace tovik::test {

inline void addRotelaBitmaps(fake::RecordingCanvas& canvas) {
    for (const auto& image : skin::rotelaImages()) canvas.bitmaps[image.name] = image.size;
}

}  // namespace tovik::test
