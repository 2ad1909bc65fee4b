#pragma once
// Rotela's compiled-in images, registered on first use: every widget of the controller draws
// its bitmaps from here (QtCanvas(painter, rotelaSkin())).

#include "platform/qt/qt_canvas.h"

namespace tovik::ui {

const qt::SkinImages& rotelaSkin();

}  // namespace tovik::ui
