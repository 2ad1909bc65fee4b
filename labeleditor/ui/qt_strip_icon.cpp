#include "labeleditor/ui/qt_strip_icon.h"

#include <QImage>
#include <QPixmap>

#include "platform/qt/qt_canvas.h"
#include "resources/skin/skin_resources.h"

namespace tovik::label {

QIcon stripIcon(std::string_view strip, int index, QSize cell) {
    skin::sleevon::registerSkin();
    const qt::SkinImages& skin = qt::programSkin();
    QIcon icon;
    const QImage once = skin.image(strip);
    if (!once.isNull()) icon.addPixmap(QPixmap::fromImage(once.copy(index * cell.width(), 0, cell.width(), cell.height())));
    const QPixmap twice = skin.pixmap(strip, 2.0);
    if (!twice.isNull() && twice.devicePixelRatio() == 2) {
        QPixmap image = twice.copy(index * cell.width() * 2, 0, cell.width() * 2, cell.height() * 2);
        image.setDevicePixelRatio(2);
        icon.addPixmap(image);
    }
    return icon;
}

}  // namespace tovik::label
