#pragma once
// Where the editing dialogs appear: always wholly on the screen. The track list editor goes just
// below the panel (above it when the screen has no room below), so that the panel's display
// stays in sight; the small dialogs (the name dialog, the wait box) go over the window in front.

class QWidget;

namespace tovik::ui {

void placeBelow(QWidget* dialog, const QWidget* anchor);
void placeOver(QWidget* dialog, const QWidget* anchor);

}  // namespace tovik::ui
