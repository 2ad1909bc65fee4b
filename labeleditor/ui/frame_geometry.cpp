#include "labeleditor/ui/frame_geometry.h"

#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

FrameGeometry loadFrameGeometry(const Profile& profile, ScreenSize fullScreen) {
    FrameGeometry g;
    g.window.x = profile.getInt(kSizeSection, "x", fullScreen.cx / 8);
    g.window.y = profile.getInt(kSizeSection, "y", fullScreen.cy / 8);
    g.window.cx = profile.getInt(kSizeSection, "cx", fullScreen.cx * 6 / 8);
    g.window.cy = profile.getInt(kSizeSection, "cy", fullScreen.cy * 6 / 8);
    // The splitters' defaults follow the window size just read, stored or not.
    g.colX = profile.getInt(kSizeSection, "col x", g.window.cx / 2);
    g.colY = profile.getInt(kSizeSection, "col y", g.window.cy / 4);
    return g;
}

void saveFrameGeometry(Profile& profile, const FrameGeometry& geometry) {
    profile.setInt(kSizeSection, "x", geometry.window.x);
    profile.setInt(kSizeSection, "y", geometry.window.y);
    profile.setInt(kSizeSection, "cx", geometry.window.cx);
    profile.setInt(kSizeSection, "cy", geometry.window.cy);
    profile.setInt(kSizeSection, "col x", geometry.colX);
    profile.setInt(kSizeSection, "col y", geometry.colY);
}

}  // namespace tovik::label
