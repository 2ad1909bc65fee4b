#include "tools/skingen/art.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace tovik::skingen {

namespace {

// A small deterministic generator: the skin is the same on every machine and every build.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    double uniform() { return (next() & 0xFFFFFF) / double(0x1000000); }  // [0, 1)
    double signedUnit() { return uniform() * 2.0 - 1.0; }                 // [-1, 1)

private:
    std::uint32_t state_;
};

int clampByte(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

}  // namespace

QFont captionFont(qreal pixels, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont condensedFont(qreal pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStretch(QFont::Condensed);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void brushedMetal(Art& art, const QRectF& r, QColor base, std::uint32_t seed) {
    const int w = static_cast<int>(std::ceil(r.width() * art.scale));
    const int h = static_cast<int>(std::ceil(r.height() * art.scale));
    if (w <= 0 || h <= 0) return;
    QImage grain(w, h, QImage::Format_RGB32);
    Random random(seed);
    const double height = std::max(1, h - 1);
    for (int y = 0; y < h; ++y) {
        // Each row is one streak: its own brightness, with a slow swell along it and a fine
        // scratch texture; the light falls from above.
        const double row = random.signedUnit() * 7.0 + random.signedUnit() * 3.0;
        const double phase = random.uniform() * 6.283;
        const double wave = 2.0 + random.uniform() * 3.0;
        const double light = 10.0 - 18.0 * (y / height);
        auto* line = reinterpret_cast<QRgb*>(grain.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double swell = std::sin(phase + x * wave / std::max(1, w) * 6.283) * 2.5;
            const double scratch = random.signedUnit() * 2.2;
            const double v = row + swell + scratch + light;
            line[x] = qRgb(clampByte(base.red() + v), clampByte(base.green() + v),
                           clampByte(base.blue() + v * 1.1));
        }
    }
    art.p.save();
    art.p.resetTransform();
    art.p.drawImage(QPointF(r.left() * art.scale, r.top() * art.scale), grain);
    art.p.restore();
}

void bevel(Art& art, const QRectF& r, QColor light, QColor dark, int width) {
    for (int i = 0; i < width; ++i) {
        QRectF e = r.adjusted(i, i, -i, -i);
        art.p.fillRect(QRectF(e.left(), e.top(), e.width(), 1), light);
        art.p.fillRect(QRectF(e.left(), e.top(), 1, e.height()), light);
        art.p.fillRect(QRectF(e.left(), e.bottom() - 1, e.width(), 1), dark);
        art.p.fillRect(QRectF(e.right() - 1, e.top(), 1, e.height()), dark);
    }
}

void keyCap(Art& art, const QRectF& r, KeyState state, qreal radius) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // The cap stands one pixel above the panel: a soft shadow below it, none when pressed in.
    QRectF cap = r.adjusted(0.5, 0.5, -1.5, -1.5);
    if (state != KeyState::Down) {
        QPainterPath shadow;
        shadow.addRoundedRect(cap.translated(1, 1.2), radius, radius);
        p.fillPath(shadow, QColor(0, 0, 0, state == KeyState::Disabled ? 35 : 70));
    }
    QPainterPath outline;
    outline.addRoundedRect(cap, radius, radius);

    QLinearGradient face(cap.topLeft(), cap.bottomLeft());
    switch (state) {
        case KeyState::Up:
            face.setColorAt(0.0, QColor(246, 247, 249));
            face.setColorAt(0.45, QColor(218, 221, 225));
            face.setColorAt(1.0, QColor(178, 182, 188));
            break;
        case KeyState::Down:
            face.setColorAt(0.0, QColor(150, 154, 160));
            face.setColorAt(0.5, QColor(176, 180, 186));
            face.setColorAt(1.0, QColor(196, 200, 205));
            break;
        case KeyState::Disabled:
            face.setColorAt(0.0, QColor(226, 228, 230));
            face.setColorAt(1.0, QColor(204, 206, 209));
            break;
    }
    p.fillPath(outline, face);

    if (state == KeyState::Down) {
        // Pressed in: the upper edge throws a shadow onto the face.
        p.save();
        p.setClipPath(outline);
        QLinearGradient inner(cap.topLeft(), cap.topLeft() + QPointF(0, 4));
        inner.setColorAt(0, QColor(0, 0, 0, 90));
        inner.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(cap, inner);
        QLinearGradient side(cap.topLeft(), cap.topLeft() + QPointF(3, 0));
        side.setColorAt(0, QColor(0, 0, 0, 60));
        side.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(cap, side);
        p.restore();
    } else {
        // A highlight along the upper edge.
        QPainterPath shine;
        shine.addRoundedRect(cap.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
        p.setPen(QPen(QColor(255, 255, 255, state == KeyState::Up ? 200 : 120), 1));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.setClipRect(QRectF(cap.left(), cap.top(), cap.width(), cap.height() * 0.5));
        p.drawPath(shine);
        p.restore();
    }
    QColor rim = state == KeyState::Disabled ? QColor(150, 154, 160) : QColor(70, 74, 80);
    p.setPen(QPen(rim, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.restore();
}

void keyContent(Art& art, KeyState state) {
    if (state == KeyState::Down) art.p.translate(1, 1);
}

QColor keyInk(KeyState state, QColor ink) {
    if (state == KeyState::Disabled) {
        // Greyed: the colour's light with most of its hue gone, faded toward the face.
        int grey = qGray(ink.rgb());
        int v = std::clamp(grey / 3 + 128, 0, 255);
        return QColor((v * 3 + ink.red()) / 4 + 10, (v * 3 + ink.green()) / 4 + 10,
                      (v * 3 + ink.blue()) / 4 + 12);
    }
    if (state == KeyState::Down) return ink.darker(112);
    return ink;
}

void engravedText(Art& art, const QRectF& r, const QString& text, const QFont& font, QColor ink,
                  int flags) {
    QPainter& p = art.p;
    p.save();
    p.setFont(font);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(QColor(255, 255, 255, 150));
    p.drawText(r.translated(0, 1.0 / art.scale + (art.scale > 1 ? 0.5 : 0)), flags, text);
    p.setPen(ink);
    p.drawText(r, flags, text);
    p.restore();
}

void triangle(Art& art, QPointF c, qreal w, qreal h, int direction, QColor fill) {
    QPolygonF shape;
    switch (direction) {
        case 0: shape << QPointF(c.x() - w / 2, c.y() - h / 2) << QPointF(c.x() + w / 2, c.y())
                      << QPointF(c.x() - w / 2, c.y() + h / 2); break;
        case 1: shape << QPointF(c.x() - w / 2, c.y() - h / 2) << QPointF(c.x() + w / 2, c.y() - h / 2)
                      << QPointF(c.x(), c.y() + h / 2); break;
        case 2: shape << QPointF(c.x() + w / 2, c.y() - h / 2) << QPointF(c.x() - w / 2, c.y())
                      << QPointF(c.x() + w / 2, c.y() + h / 2); break;
        default: shape << QPointF(c.x() - w / 2, c.y() + h / 2) << QPointF(c.x() + w / 2, c.y() + h / 2)
                       << QPointF(c.x(), c.y() - h / 2); break;
    }
    art.p.save();
    art.p.setRenderHint(QPainter::Antialiasing, true);
    art.p.setPen(Qt::NoPen);
    art.p.setBrush(fill);
    art.p.drawPolygon(shape);
    art.p.restore();
}

void bars(Art& art, QPointF c, qreal h, QColor fill) {
    const qreal w = std::max(1.5, h * 0.28);
    const qreal gap = std::max(1.5, h * 0.25);
    art.p.fillRect(QRectF(c.x() - gap / 2 - w, c.y() - h / 2, w, h), fill);
    art.p.fillRect(QRectF(c.x() + gap / 2, c.y() - h / 2, w, h), fill);
}

void disc(Art& art, QPointF c, qreal radius, QColor fill, bool glossy) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    if (glossy) {
        QRadialGradient g(c - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
        g.setColorAt(0.0, fill.lighter(150));
        g.setColorAt(0.5, fill);
        g.setColorAt(1.0, fill.darker(150));
        p.setBrush(g);
    } else {
        p.setBrush(fill);
    }
    p.drawEllipse(c, radius, radius);
    p.restore();
}

void led(Art& art, QPointF c, qreal radius, bool lit, QColor on) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 42, 46));
    p.drawEllipse(c, radius + 1, radius + 1);
    if (lit) {
        QRadialGradient glow(c, radius + 1);
        glow.setColorAt(0.0, on.lighter(160));
        glow.setColorAt(0.6, on);
        glow.setColorAt(1.0, on.darker(130));
        p.setBrush(glow);
    } else {
        p.setBrush(colour::ledOff);
    }
    p.drawEllipse(c, radius, radius);
    p.setBrush(QColor(255, 255, 255, lit ? 170 : 60));
    p.drawEllipse(c - QPointF(radius * 0.35, radius * 0.35), radius * 0.35, radius * 0.3);
    p.restore();
}

}  // namespace tovik::skingen
