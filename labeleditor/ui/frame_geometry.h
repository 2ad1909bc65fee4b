#pragma once
// Where the main window and its splitters start, and how they are kept between runs: section
// "SIZE" of the profile, values "x", "y", "cx", "cy" (the window rectangle in screen pixels),
// "col x" (the preview column's width) and "col y" (the title list's height).

#include "platform/profile.h"

namespace tovik::label {

struct WindowRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    bool operator==(const WindowRect&) const = default;
};

struct FrameGeometry {
    WindowRect window;
    int colX = 0;
    int colY = 0;
    bool operator==(const FrameGeometry&) const = default;
};

// The size of the screen's work area, as a full-screen window's client area would have it.
struct ScreenSize {
    int cx = 0;
    int cy = 0;
};

// Stored values are used as they are, even off screen. Missing ones default to the middle three
// quarters of the work area, a preview column of half the window's width and a title list of a
// quarter of its height (all divisions truncating).
FrameGeometry loadFrameGeometry(const Profile& profile, ScreenSize fullScreen);
void saveFrameGeometry(Profile& profile, const FrameGeometry& geometry);

}  // namespace tovik::label
