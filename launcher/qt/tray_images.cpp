#include "launcher/qt/tray_images.h"

#include <string>

#include "platform/qt/qt_canvas.h"
#include "resources/skin/skin_resources.h"

namespace tovik::launcher {

QIcon trayImage(unsigned imageId) {
    // The skin draws each picture at 32 x 32 and at the notification area's 16 x 16, both also
    // at twice the size; the icon picks what fits where it is shown.
    skin::traymote::registerSkin();
    const qt::SkinImages& skin = qt::programSkin();
    const std::string name = std::to_string(imageId);
    QIcon icon;
    for (const std::string& size : {name + "-16", name}) {
        for (qreal ratio : {1.0, 2.0}) icon.addPixmap(skin.pixmap(size, ratio));
    }
    return icon;
}

}  // namespace tovik::launcher
