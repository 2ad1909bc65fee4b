#pragma once
// The launcher's pictures by their resource ids: 300 (card ready, also the About box's icon)
// and 301 (card not ready).

#include <QIcon>

namespace tovik::launcher {

QIcon trayImage(unsigned imageId);

}  // namespace tovik::launcher
