#include "tools/skingen/icons_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "resources/skin/skin_catalog.h"
#include "tools/skingen/rotela_art.h"

namespace tovik::skingen {

namespace {

QLinearGradient vertical(qreal top, qreal bottom, QColor from, QColor to) {
    QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}

// A rounded body with its outline, lit from above.
void body(QPainter& p, const QRectF& r, qreal radius, QColor outline, QColor top, QColor bottom) {
    p.setPen(QPen(outline, 1));
    p.setBrush(vertical(r.top(), r.bottom(), top, bottom));
    p.drawRoundedRect(r, radius, radius);
}

// The printed label: a navy title band with the disc's ring, and lines of track names.
void label(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(150, 154, 160), 0.5));
    p.setBrush(QColor(252, 252, 250));
    p.drawRect(r);
    const QRectF band(r.left(), r.top(), r.width(), r.height() * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(band.top(), band.bottom(), QColor(30, 50, 170), colour::navy));
    p.drawRect(band);
    const qreal ring = band.height() * 0.32;
    p.setPen(QPen(colour::cyan, ring * 0.45));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(band.right() - band.height() * 0.55, band.center().y()), ring, ring);
    p.setPen(QPen(colour::ink, r.height() * 0.07, Qt::SolidLine, Qt::RoundCap));
    const qreal step = (r.bottom() - band.bottom()) / 4;
    const qreal lengths[] = {0.78, 0.58, 0.68};
    for (int i = 0; i < 3; ++i) {
        const qreal y = band.bottom() + step * (i + 1);
        p.drawLine(QPointF(r.left() + r.width() * 0.12, y), QPointF(r.left() + r.width() * (0.12 + lengths[i]), y));
    }
}

// Sleevon: a MiniDisc case with its printed label, the disc showing beside it.
void sleevonIcon(Art& art) {
    QPainter& p = art.p;
    body(p, QRectF(2.5, 2.5, 27, 27), 3, QColor(70, 74, 80), QColor(236, 238, 241), QColor(150, 155, 162));
    // The disc inside the case, seen through its window.
    QRadialGradient glass(QPointF(22, 9), 10);
    glass.setColorAt(0, QColor(80, 120, 230));
    glass.setColorAt(1, QColor(6, 12, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(QPointF(21, 11), 7, 7);
    label(p, QRectF(5, 9, 17, 18));
}

// Traymote: the PC card, its LED lit because the card is ready.
void traymoteIcon(Art& art) {
    QPainter& p = art.p;
    body(p, QRectF(3.5, 5.5, 25, 21), 2.5, QColor(20, 22, 26), QColor(96, 102, 112), QColor(40, 44, 50));
    // The connector along the card's edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 170, 60));
    for (int i = 0; i < 6; ++i) p.drawRect(QRectF(6 + i * 3.6, 6.5, 2, 2.2));
    // Its silver label with the disc.
    p.setPen(QPen(QColor(70, 74, 80), 0.6));
    p.setBrush(vertical(11, 24, QColor(246, 247, 249), QColor(170, 175, 182)));
    p.drawRoundedRect(QRectF(6.5, 11, 15, 12.5), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::navy);
    p.drawEllipse(QPointF(14, 17.25), 4.4, 4.4);
    p.setBrush(QColor(225, 228, 232));
    p.drawEllipse(QPointF(14, 17.25), 1.3, 1.3);
    led(art, QPointF(25, 21.5), 2.2, true);
}

// The label file: a page with its corner folded, the label printed on it.
void labelFileIcon(Art& art) {
    QPainter& p = art.p;
    QPainterPath page;
    page.moveTo(5.5, 1.5);
    page.lineTo(20.5, 1.5);
    page.lineTo(26.5, 7.5);
    page.lineTo(26.5, 30.5);
    page.lineTo(5.5, 30.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(110, 114, 120), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(20.5, 1.5);
    fold.lineTo(20.5, 7.5);
    fold.lineTo(26.5, 7.5);
    p.setBrush(QColor(214, 216, 220));
    p.drawPath(fold);
    label(p, QRectF(8.5, 10, 15, 16));
}

}  // namespace

bool paintIcon(std::string_view name, Art& art) {
    if (name == "apps/rotela") return paintRotela(skin::bitmap::kProgramIcon, art);
    void (*paint)(Art&) = name == "apps/sleevon"                            ? sleevonIcon
                          : name == "apps/traymote"                         ? traymoteIcon
                          : name == "mimetypes/application-x-sleevon-label" ? labelFileIcon
                                                                            : nullptr;
    if (!paint) return false;
    // On the 32-unit grid the icons are drawn on.
    art.p.save();
    art.p.setRenderHint(QPainter::Antialiasing, true);
    art.p.scale(art.size.width() / 32.0, art.size.height() / 32.0);
    paint(art);
    art.p.restore();
    return true;
}

}  // namespace tovik::skingen
