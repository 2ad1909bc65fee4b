// Sleevon's images: the format bar's five buttons (bold, italic, underline, save the style as
// the default, return to the default), the face list's glyphs (a printer font, a TrueType font)
// and the tool bar's two buttons (Print, Help Topics).
#include "tools/skingen/sleevon_art.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <functional>

#include "resources/skin/skin_catalog.h"

namespace tovik::skingen {

namespace {

namespace ink {
const QColor letter(24, 26, 30);
const QColor disk(38, 72, 156);
const QColor diskEdge(18, 34, 86);
const QColor shutter(206, 212, 220);
const QColor label(250, 250, 246);
const QColor arrow(22, 140, 62);
const QColor arrowEdge(10, 90, 38);
const QColor glyphBack(140, 144, 150);
const QColor glyphFront(20, 48, 132);
const QColor printerEdge(58, 62, 70);
const QColor printerTop(226, 228, 232);
const QColor printerFace(176, 180, 188);
const QColor printerShade(132, 136, 144);
const QColor paperEdge(120, 124, 132);
const QColor lamp(40, 190, 70);
const QColor helpRing(22, 64, 150);
const QColor helpFace(46, 108, 210);
const QColor helpFaceLight(120, 170, 240);
}  // namespace ink

// A letter of a classic book face, as the word processors' format buttons show them. On a
// 16-pixel button the letters are drawn whole pixels only, which keeps them crisp.
QFont letterFont(qreal pixels, bool italic, bool crisp) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(true);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (crisp) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// One button being drawn, on a 16-unit grid whatever its pixel size.
struct Button {
    QPainter& p;
    bool crisp;  // drawn at 16 x 16 device pixels

    void letter(const QRectF& box, const QString& text, qreal pixels, bool italic = false) {
        p.setFont(letterFont(pixels, italic, crisp));
        p.setPen(ink::letter);
        p.drawText(box, Qt::AlignCenter, text);
    }
};

void boldButton(Button& b) { b.letter(QRectF(0, 0, 16, 16), "B", 14); }

void italicButton(Button& b) {
    if (!b.crisp) {
        b.letter(QRectF(0.5, 0, 16, 16), "I", 14, true);
        return;
    }
    // Whole pixels straighten a small italic letter: the slant is drawn by hand.
    for (int row = 0; row < 10; ++row) b.p.fillRect(QRectF(8 - (row + 1) / 4, 3 + row, 2, 1), ink::letter);
    b.p.fillRect(QRectF(7, 3, 4, 1), ink::letter);
    b.p.fillRect(QRectF(5, 12, 4, 1), ink::letter);
}

void underlineButton(Button& b) {
    b.letter(QRectF(0, -1.5, 16, 16), "U", 13);
    b.p.fillRect(QRectF(3, 13, 10, 1), ink::letter);
}

// A floppy disk: the style is kept.
void saveDefaultButton(Button& b) {
    QPainter& p = b.p;
    p.setRenderHint(QPainter::Antialiasing, !b.crisp);
    const QRectF body(1.5, 1.5, 13, 13);
    QPainterPath disk;
    disk.moveTo(body.topLeft());
    disk.lineTo(body.right() - 2, body.top());
    disk.lineTo(body.right(), body.top() + 2);
    disk.lineTo(body.bottomRight());
    disk.lineTo(body.bottomLeft());
    disk.closeSubpath();
    p.setPen(QPen(ink::diskEdge, 1));
    p.setBrush(ink::disk);
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::shutter);
    p.drawRect(QRectF(4, 2, 7, 4));
    p.setBrush(ink::disk);
    p.drawRect(QRectF(8, 3, 2, 2));
    p.setBrush(ink::label);
    p.drawRect(QRectF(3, 8, 10, 6));
    // The label names a font; on the smallest button it is just written on.
    if (b.crisp) {
        p.fillRect(QRectF(4, 10, 8, 1), ink::glyphBack);
        p.fillRect(QRectF(4, 12, 6, 1), ink::glyphBack);
    } else {
        p.setFont(letterFont(6.5, false, false));
        p.setPen(ink::letter);
        p.drawText(QRectF(3, 8, 10, 6.5), Qt::AlignCenter, "Aa");
    }
}

// A letter with an arrow turning back over it.
void returnDefaultButton(Button& b) {
    QPainter& p = b.p;
    b.letter(QRectF(-0.5, 4.5, 10, 12), "A", 11.5);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ink::arrow, 1.7);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF turn(7.6, 1.6, 7, 7.4);
    p.drawArc(turn, -80 * 16, 250 * 16);
    // The head at the arc's open end, pointing down towards the letter.
    const QPointF tip(turn.left() + 0.6, turn.center().y() + 3.9);
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-2.6, -3.6));
    head.lineTo(tip + QPointF(2.8, -3.4));
    head.closeSubpath();
    p.setPen(QPen(ink::arrowEdge, 0.5));
    p.setBrush(ink::arrow);
    p.drawPath(head);
}

void formatButtons(Art& art) {
    using Draw = void (*)(Button&);
    constexpr std::array<Draw, 5> kButtons = {boldButton, italicButton, underlineButton, saveDefaultButton,
                                              returnDefaultButton};
    const qreal cell = art.size.height();
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        art.p.save();
        art.p.translate(cell * static_cast<qreal>(i), 0);
        art.p.scale(cell / 16.0, cell / 16.0);
        Button button{art.p, cell * art.scale == 16};
        kButtons[i](button);
        art.p.restore();
    }
}

// The face list's glyphs sit on white: the list copies them with AND, so white leaves the
// item's background as it is and the ink darkens it.
void printerGlyph(QPainter& p) {
    p.fillRect(QRectF(4, 1, 8, 5), ink::label);
    p.fillRect(QRectF(4, 1, 8, 1), ink::glyphBack);
    p.fillRect(QRectF(4, 1, 1, 5), ink::glyphBack);
    p.fillRect(QRectF(11, 1, 1, 5), ink::glyphBack);
    p.fillRect(QRectF(1, 5, 14, 6), ink::glyphBack);
    p.fillRect(QRectF(2, 6, 12, 4), QColor(196, 200, 206));
    p.fillRect(QRectF(11, 7, 2, 1), ink::arrow);
    p.fillRect(QRectF(4, 10, 8, 4), ink::label);
    p.fillRect(QRectF(4, 13, 8, 1), ink::glyphBack);
    p.fillRect(QRectF(4, 10, 1, 4), ink::glyphBack);
    p.fillRect(QRectF(11, 10, 1, 4), ink::glyphBack);
}

// Two letters T, one behind the other.
void trueTypeGlyph(QPainter& p) {
    auto tee = [&](qreal x, qreal y, QColor colour) {
        p.fillRect(QRectF(x, y, 9, 2), colour);
        p.fillRect(QRectF(x, y, 1, 3), colour);
        p.fillRect(QRectF(x + 8, y, 1, 3), colour);
        p.fillRect(QRectF(x + 3.5, y, 2, 10), colour);
        p.fillRect(QRectF(x + 2.5, y + 9, 4, 1), colour);
    };
    tee(1, 1, ink::glyphBack);
    tee(6, 4, ink::glyphFront);
}

void fontTypeGlyphs(Art& art) {
    art.p.fillRect(art.rect(), Qt::white);
    printerGlyph(art.p);
    art.p.save();
    art.p.translate(16, 0);
    trueTypeGlyph(art.p);
    art.p.restore();
}

// Tool bar buttons, 16 x 15 each, drawn on whole pixels so they stay crisp at 1x.
void printButton(QPainter& p) {
    auto frame = [&](const QRectF& r, const QColor& edge, const QColor& fill) {
        p.fillRect(r, edge);
        p.fillRect(r.adjusted(1, 1, -1, -1), fill);
    };
    frame(QRectF(4, 0, 8, 6), ink::paperEdge, ink::label);                 // the sheet going in
    frame(QRectF(0, 5, 16, 7), ink::printerEdge, ink::printerFace);        // the body
    p.fillRect(QRectF(1, 6, 14, 1), ink::printerTop);                      // its lit top edge
    p.fillRect(QRectF(1, 10, 14, 1), ink::printerShade);                   // its shaded foot
    p.fillRect(QRectF(12, 7, 2, 1), ink::lamp);                            // the power lamp
    frame(QRectF(3, 9, 10, 6), ink::paperEdge, ink::label);                // the printed sheet
    p.fillRect(QRectF(5, 11, 6, 1), ink::glyphBack);                       // lines of print
    p.fillRect(QRectF(5, 13, 4, 1), ink::glyphBack);
}

// A blue disc with a question mark: the help's contents.
void helpTopicsButton(QPainter& p, bool crisp) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient face(QPointF(6, 4.5), 9);
    face.setColorAt(0, ink::helpFaceLight);
    face.setColorAt(1, ink::helpFace);
    p.setPen(QPen(ink::helpRing, 1));
    p.setBrush(face);
    p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (crisp) font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 0.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
    p.restore();
}

void toolBarButtons(Art& art) {
    printButton(art.p);
    art.p.save();
    art.p.translate(16, 0);
    helpTopicsButton(art.p, art.scale == 1);
    art.p.restore();
}

}  // namespace

bool paintSleevon(std::string_view name, Art& art) {
    if (name == skin::bitmap::kFormatButtons || name == skin::bitmap::kFormatButtonsLarge) {
        formatButtons(art);
        return true;
    }
    if (name == skin::bitmap::kFontTypeGlyphs) {
        fontTypeGlyphs(art);
        return true;
    }
    if (name == skin::bitmap::kSleevonToolBar) {
        toolBarButtons(art);
        return true;
    }
    return false;
}

}  // namespace tovik::skingen
