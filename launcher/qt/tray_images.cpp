#include "launcher/qt/tray_images.h"

#include <QApplication>
#include <QStyle>

#include "launcher/launcher_ids.h"

namespace tovik::launcher {

QIcon trayImage(unsigned imageId) {
    // Stand-ins from the widget style until the skin draws the launcher's own two images.
    QStyle* style = QApplication::style();
    return style->standardIcon(imageId == IDI_CARD_READY ? QStyle::SP_DriveCDIcon
                                                         : QStyle::SP_MessageBoxWarning);
}

}  // namespace tovik::launcher
