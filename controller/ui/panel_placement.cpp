#include "controller/ui/panel_placement.h"

#include "controller/ui/panel_controls.h"

namespace tovik::ui {

void restorePanelPosition(const Profile& profile, PanelPlacement& window) {
    window.setCaption(!window.hasCaption());
    const int x = profile.getInt(kPositionSection, "x", 0);
    const int y = profile.getInt(kPositionSection, "y", 0);
    window.place({x, y, kPanelWidth, kPanelHeight});
}

void savePanelPosition(Profile& profile, const PanelPlacement& window) {
    const WindowRect normal = window.normalRect();
    profile.setInt(kPositionSection, "x", normal.x);
    profile.setInt(kPositionSection, "y", normal.y);
    profile.setInt(kPositionSection, "Min", window.isMinimised() ? 1 : 0);
}

}  // namespace tovik::ui
