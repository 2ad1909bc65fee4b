#pragma once
// The drawing kit of the skin: brushed metal, key caps in their states, engraved and printed
// captions, the symbols of a deck's keys. Every program's drawing file builds on it, so the
// suite's images share one look.
//
// An image is drawn in its own pixel coordinates (the size the catalog gives) on a painter that
// is already scaled to the output's scale (1 or 2); textures that must be fine at every scale
// are made per device pixel.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <string_view>

namespace tovik::skingen {

// One image being drawn.
struct Art {
    QPainter& p;
    QSize size;  // in image pixels (the 1x size)
    int scale;   // 1 or 2
    QRectF rect() const { return QRectF(0, 0, size.width(), size.height()); }
};

// Draws the named image of a program; false when the program has no such image.
using PaintImage = bool (*)(std::string_view name, Art& art);

enum class KeyState { Up, Down, Disabled };

// The suite's palette.
namespace colour {
inline const QColor body(196, 199, 203);         // brushed silver of the panel
inline const QColor ink(35, 38, 43);             // engraved captions
inline const QColor inkDisabled(150, 154, 160);
inline const QColor navy(0, 0, 128);             // the LCD's glass
inline const QColor cyan(0, 255, 255);           // the LCD's text
inline const QColor legend(0, 200, 224);         // captions printed on the LCD
inline const QColor play(22, 178, 62);
inline const QColor rec(222, 30, 30);
inline const QColor ledOn(60, 230, 90);
inline const QColor ledOff(70, 86, 72);
}  // namespace colour

// Faces installed by scripts/install-deps.sh: Liberation Sans (Arial's metrics) and the
// DejaVu Sans families (a condensed face for long captions on small keys).
QFont captionFont(qreal pixels, bool bold = true);
QFont condensedFont(qreal pixels, bool bold = true);

// Fills r with brushed metal of the base colour; the grain runs horizontally, one streak per
// device pixel row. The same seed gives the same grain.
void brushedMetal(Art& art, const QRectF& r, QColor base, std::uint32_t seed);

// A raised frame: light top and left, dark bottom and right, `width` pixels.
void bevel(Art& art, const QRectF& r, QColor light, QColor dark, int width = 1);

// A key cap filling r (with room for its shadow), in the state; radius of its corners. After
// this, draw the key's symbol with keyContent() so a pressed key's face moves with it.
void keyCap(Art& art, const QRectF& r, KeyState state, qreal radius = 3.5);
// Moves the painter to where a key's content goes in the state (down: one pixel right and down).
void keyContent(Art& art, KeyState state);
// The ink of a key's symbols and captions in the state, or the colour of a coloured symbol.
QColor keyInk(KeyState state, QColor ink = colour::ink);

// Text centred in r, engraved: the ink with a one-pixel light line under it.
void engravedText(Art& art, const QRectF& r, const QString& text, const QFont& font, QColor ink,
                  int flags = Qt::AlignCenter);

// Symbols, centred on c, h high.
void triangle(Art& art, QPointF c, qreal w, qreal h, int direction, QColor fill);  // 0 right, 1 down, 2 left, 3 up
void bars(Art& art, QPointF c, qreal h, QColor fill);                              // pause
void disc(Art& art, QPointF c, qreal radius, QColor fill, bool glossy = true);    // record dot, LEDs

// A small LED in a dark bezel, lit or not.
void led(Art& art, QPointF c, qreal radius, bool lit, QColor on = colour::ledOn);

}  // namespace tovik::skingen
