// Traymote's images: an MD in its clear navy shell with a green "ready" badge (300), and the
// same disc greyed with a red "not ready" badge (301). The 16 x 16 pictures are the
// same drawing with a larger badge, so the state still reads at the notification area's size.
#include "tools/skingen/traymote_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace tovik::skingen {

namespace {

void cartridge(Art& art, bool ready) {
    QPainter& p = art.p;
    // The shell, its top-left corner cut as a MiniDisc's is.
    QPainterPath shell;
    shell.moveTo(8, 2.5);
    shell.lineTo(28, 2.5);
    shell.quadTo(29.5, 2.5, 29.5, 4);
    shell.lineTo(29.5, 28);
    shell.quadTo(29.5, 29.5, 28, 29.5);
    shell.lineTo(4, 29.5);
    shell.quadTo(2.5, 29.5, 2.5, 28);
    shell.lineTo(2.5, 8);
    shell.closeSubpath();
    QLinearGradient body(QPointF(0, 2), QPointF(0, 30));
    body.setColorAt(0, ready ? QColor(64, 104, 224) : QColor(176, 180, 186));
    body.setColorAt(1, ready ? QColor(14, 26, 110) : QColor(104, 108, 114));
    p.setPen(QPen(ready ? QColor(6, 12, 60) : QColor(70, 74, 80), 1));
    p.setBrush(body);
    p.drawPath(shell);

    // The disc behind the clear shell: silver with a rainbow sheen when ready, dull when not.
    const QPointF c(15.5, 15.5);
    QRadialGradient face(c - QPointF(3, 4), 12);
    face.setColorAt(0, ready ? QColor(250, 252, 255) : QColor(226, 228, 231));
    face.setColorAt(0.6, ready ? QColor(176, 214, 236) : QColor(176, 179, 184));
    face.setColorAt(1, ready ? QColor(118, 148, 200) : QColor(138, 141, 146));
    p.setPen(QPen(ready ? QColor(6, 12, 60) : QColor(70, 74, 80), 0.8));
    p.setBrush(face);
    p.drawEllipse(c, 10.5, 10.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ready ? QColor(0, 200, 224, 170) : QColor(255, 255, 255, 110), 1.2));
    p.drawArc(QRectF(c.x() - 7, c.y() - 7, 14, 14), 100 * 16, 70 * 16);
    p.drawArc(QRectF(c.x() - 7, c.y() - 7, 14, 14), 280 * 16, 70 * 16);
    // The hub.
    p.setPen(QPen(QColor(40, 44, 52), 0.6));
    p.setBrush(QColor(70, 76, 88));
    p.drawEllipse(c, 3.4, 3.4);
    p.setBrush(QColor(230, 232, 236));
    p.drawEllipse(c, 1.3, 1.3);
}

void badge(Art& art, bool ready, bool small) {
    QPainter& p = art.p;
    const qreal r = small ? 8.5 : 6.5;
    const QPointF c = small ? QPointF(22.5, 22.5) : QPointF(24, 24);
    p.setPen(QPen(Qt::white, small ? 2.4 : 1.4));
    p.setBrush(ready ? colour::play : colour::rec);
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    if (ready) {
        // A play mark: the unit is ready to play.
        const qreal h = r * 1.05;
        QPolygonF mark;
        mark << QPointF(c.x() - h * 0.38, c.y() - h / 2) << QPointF(c.x() + h * 0.55, c.y())
             << QPointF(c.x() - h * 0.38, c.y() + h / 2);
        p.drawPolygon(mark);
    } else {
        // A bar across: no card.
        p.drawRect(QRectF(c.x() - r * 0.6, c.y() - r * 0.17, r * 1.2, r * 0.34));
    }
}

void trayPicture(Art& art, bool ready) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = art.size.width() / 32.0;
    p.scale(s, s);
    cartridge(art, ready);
    badge(art, ready, art.size.width() < 24);
    p.restore();
}

}  // namespace

bool paintTraymote(std::string_view name, Art& art) {
    const std::string_view number = name.substr(0, name.find('-'));
    if (number != "300" && number != "301") return false;
    trayPicture(art, number == "300");
    return true;
}

}  // namespace tovik::skingen
