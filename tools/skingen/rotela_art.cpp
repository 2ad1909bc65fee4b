// Rotela's images: the panel, the name plate, the display, its lamps, the keys and the captions.
#include "tools/skingen/rotela_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>
#include <map>

#include "resources/skin/skin_catalog.h"

namespace tovik::skingen {

namespace {

using Paint = std::function<void(Art&)>;

// --- keys ---

KeyState stateOf(std::string_view suffix) {
    if (suffix == "D" || suffix == "RD") return KeyState::Down;
    if (suffix == "X") return KeyState::Disabled;
    return KeyState::Up;
}

void caption(Art& art, KeyState state, const QString& text, const QFont& font, QRectF box = {}) {
    if (box.isNull()) box = art.rect().adjusted(1, 0, -2, -1);
    engravedText(art, box, text, font, keyInk(state));
}

void twoLines(Art& art, KeyState state, const QString& top, const QString& bottom, QRectF box = {}) {
    if (box.isNull()) box = art.rect().adjusted(1, 0, -2, -1);
    QFont font = condensedFont(8.5);
    const qreal mid = box.center().y();
    engravedText(art, QRectF(box.left(), mid - 9.5, box.width(), 9.5), top, font, keyInk(state),
                 Qt::AlignHCenter | Qt::AlignBottom);
    engravedText(art, QRectF(box.left(), mid - 0.5, box.width(), 10), bottom, font, keyInk(state),
                 Qt::AlignHCenter | Qt::AlignTop);
}

// The symbols of the track and search keys: two triangles, with a bar for a track step.
void searchSymbol(Art& art, KeyState state, int direction, bool toTrack) {
    const QColor ink = keyInk(state);
    const QPointF c = art.rect().adjusted(0, 0, -1, -1).center();
    const qreal w = 7, h = 9;
    const int sign = direction == 0 ? 1 : -1;
    const qreal shift = toTrack ? -1.5 * sign : 0;
    triangle(art, QPointF(c.x() - 3.5 + shift, c.y()), w, h, direction, ink);
    triangle(art, QPointF(c.x() + 3.5 + shift, c.y()), w, h, direction, ink);
    if (toTrack) {
        const qreal x = direction == 0 ? c.x() + 7 + shift : c.x() - 8.6 + shift;
        art.p.fillRect(QRectF(x, c.y() - h / 2, 1.6, h), ink);
    }
}

void powerSymbol(Art& art, QPointF c, qreal r, QColor ink) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ink, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 120 * 16, -240 * 16);
    p.drawLine(QPointF(c.x(), c.y() - r - 1), QPointF(c.x(), c.y() - 0.5));
    p.restore();
}

void crossSymbol(Art& art, QPointF c, qreal r, QColor ink, qreal width) {
    art.p.save();
    art.p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ink, width);
    pen.setCapStyle(Qt::FlatCap);
    art.p.setPen(pen);
    art.p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    art.p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
    art.p.restore();
}

// The MD emblem: a round key holding a disc with the letters MD.
void mdLogo(Art& art, KeyState state) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(19.5, 19);
    const qreal r = 17.5;
    if (state != KeyState::Down) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(c + QPointF(0.8, 1.2), r, r);
    }
    // Silver rim.
    QLinearGradient rim(c - QPointF(0, r), c + QPointF(0, r));
    rim.setColorAt(0, state == KeyState::Down ? QColor(150, 154, 160) : QColor(245, 246, 248));
    rim.setColorAt(1, state == KeyState::Down ? QColor(205, 208, 212) : QColor(150, 154, 160));
    p.setPen(QPen(state == KeyState::Disabled ? QColor(150, 154, 160) : QColor(70, 74, 80), 1));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    keyContent(art, state);
    // The disc: deep blue with a sheen, greyed when there is no disc.
    const bool off = state == KeyState::Disabled;
    QRadialGradient face(c - QPointF(5, 6), r * 1.2);
    face.setColorAt(0, off ? QColor(170, 174, 182) : QColor(70, 110, 220));
    face.setColorAt(0.55, off ? QColor(140, 144, 152) : QColor(18, 42, 140));
    face.setColorAt(1, off ? QColor(120, 124, 130) : QColor(8, 18, 70));
    p.setPen(QPen(QColor(20, 24, 30, off ? 80 : 200), 0.8));
    p.setBrush(face);
    p.drawEllipse(c, r - 3.2, r - 3.2);
    // Grooves of the disc and its hub.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, off ? 40 : 55), 0.6));
    p.drawEllipse(c, r - 6, r - 6);
    p.setPen(QPen(QColor(255, 255, 255, off ? 30 : 40), 0.6));
    p.drawEllipse(c, r - 8.5, r - 8.5);
    QFont font = captionFont(13);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, off ? 40 : 120));
    p.drawText(QRectF(c.x() - 15, c.y() - 9, 30, 18).translated(0.6, 0.8), Qt::AlignCenter, "MD");
    p.setPen(off ? QColor(225, 227, 230) : QColor(255, 255, 255));
    p.drawText(QRectF(c.x() - 15, c.y() - 9, 30, 18), Qt::AlignCenter, "MD");
    p.restore();
}

void paintKey(Art& art, std::string_view caption_, std::string_view suffix) {
    const QString name = QString::fromLatin1(caption_.data(), static_cast<int>(caption_.size()));
    const KeyState state = stateOf(suffix);
    if (name == "MDLOGO") {
        mdLogo(art, state);
        return;
    }
    const bool tiny = art.size.height() <= 14;
    keyCap(art, art.rect(), state, tiny ? 2.5 : 3.5);
    art.p.save();
    keyContent(art, state);
    const QColor ink = keyInk(state);
    const QPointF c = art.rect().adjusted(0, 0, -1, -1).center();
    QPainter& p = art.p;

    if (name == "MDPLAY") {
        triangle(art, QPointF(c.x() - 5, c.y()), 9, 11, 0, keyInk(state, colour::play));
        bars(art, QPointF(c.x() + 8, c.y()), 10, ink);
    } else if (name == "MDSTOP") {
        p.fillRect(QRectF(c.x() - 4.5, c.y() - 4.5, 9, 9), ink);
    } else if (name == "REC") {
        disc(art, QPointF(11.5, c.y()), 4.6, keyInk(state, colour::rec), state != KeyState::Disabled);
        caption(art, state, "REC", captionFont(10), QRectF(17, 0, 25, art.size.height() - 1));
    } else if (name == "SYNC_REC") {
        disc(art, QPointF(c.x() - 12, c.y()), 3.6, keyInk(state, colour::rec), state != KeyState::Disabled);
        twoLines(art, state, "SYNC", "REC", QRectF(c.x() - 7, 0, 25, art.size.height() - 1));
    } else if (name == "TIME") {
        caption(art, state, "TIME", captionFont(10));
    } else if (name == "RECMODE") {
        twoLines(art, state, "REC", "MODE");
    } else if (name == "AUTOMARK") {
        twoLines(art, state, "AUTO", "MARK");
    } else if (name == "AUTOMODE") {
        twoLines(art, state, "AUTO", "MODE");
    } else if (name == "FF") {
        searchSymbol(art, state, 0, false);
    } else if (name == "REV") {
        searchSymbol(art, state, 2, false);
    } else if (name == "UP") {
        searchSymbol(art, state, 0, true);
    } else if (name == "DOWN") {
        searchSymbol(art, state, 2, true);
    } else if (name == "ACCESS") {
        const bool lit = suffix == "RU" || suffix == "RD";
        led(art, QPointF(10, c.y()), 2.6, lit && state != KeyState::Disabled);
        caption(art, state, "ACCESS", captionFont(9), QRectF(16, 0, 42, art.size.height() - 1));
    } else if (name == "POWER") {
        powerSymbol(art, QPointF(12, c.y() + 0.5), 4.6, keyInk(state, QColor(200, 40, 30)));
        caption(art, state, "POWER", captionFont(10), QRectF(19, 0, 46, art.size.height() - 1));
    } else if (name == "TOCEDIT") {
        QFont font = captionFont(10);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
        caption(art, state, "TOC EDIT", font);
    } else if (name == "SLEEVON") {
        QFont font = captionFont(10);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
        caption(art, state, "SLEEVON", font);
    } else if (name == "CLOSE") {
        crossSymbol(art, c, 2.8, ink, 1.5);
    } else if (name == "MIN") {
        p.fillRect(QRectF(c.x() - 3.5, c.y() + 1.5, 7, 1.8), ink);
    } else if (name == "QUESTION") {
        caption(art, state, "?", captionFont(10.5), art.rect().adjusted(0, -1, -1, -1));
    } else if (name == "VUP" || name == "MOVEUP") {
        const bool big = name == "MOVEUP";
        triangle(art, c, big ? 13 : 9, big ? 9 : 6, 3, ink);
    } else if (name == "VDOWN" || name == "MOVEDOWN") {
        const bool big = name == "MOVEDOWN";
        triangle(art, c, big ? 13 : 9, big ? 9 : 6, 1, ink);
    } else if (name == "DEL") {
        caption(art, state, "DEL", captionFont(10.5));
    } else {
        // OK, CANCEL, ENTRY, MIXER, INIT: the caption as it reads.
        caption(art, state, name, captionFont(10));
    }
    art.p.restore();
}

// --- the panel ---

void panelBackground(Art& art) {
    QPainter& p = art.p;
    brushedMetal(art, art.rect(), colour::body, 147);
    const QRectF r = art.rect();
    // A dark rim, a bright chamfer above and left, a shadowed one below and right.
    p.fillRect(QRectF(0, 0, r.width(), 1), QColor(60, 63, 68));
    p.fillRect(QRectF(0, 0, 1, r.height()), QColor(60, 63, 68));
    p.fillRect(QRectF(0, r.height() - 1, r.width(), 1), QColor(40, 42, 46));
    p.fillRect(QRectF(r.width() - 1, 0, 1, r.height()), QColor(40, 42, 46));
    QRectF inner = r.adjusted(1, 1, -1, -1);
    bevel(art, inner, QColor(255, 255, 255, 200), QColor(90, 94, 100, 200), 1);
    bevel(art, inner.adjusted(1, 1, -1, -1), QColor(255, 255, 255, 90), QColor(120, 124, 130, 120), 1);
    // Two fine grooves along the top and the bottom of the body.
    for (qreal y : {5.0, r.height() - 7.0}) {
        p.fillRect(QRectF(4, y, r.width() - 8, 1), QColor(120, 124, 130, 150));
        p.fillRect(QRectF(4, y + 1, r.width() - 8, 1), QColor(255, 255, 255, 150));
    }
}

void screw(Art& art, QPointF c, qreal r) {
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient head(c - QPointF(r * 0.4, r * 0.4), r * 1.6);
    head.setColorAt(0, QColor(235, 237, 240));
    head.setColorAt(1, QColor(110, 114, 120));
    p.setPen(QPen(QColor(30, 32, 36), 0.6));
    p.setBrush(head);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(50, 52, 58), 0.9));
    p.drawLine(c + QPointF(-r * 0.6, r * 0.3), c + QPointF(r * 0.6, -r * 0.3));
    p.restore();
}

void namePlate(Art& art) {
    QPainter& p = art.p;
    const QRectF r = art.rect();
    brushedMetal(art, r, QColor(58, 62, 68), 154);
    bevel(art, r, QColor(170, 174, 180), QColor(20, 22, 26), 1);
    bevel(art, r.adjusted(1, 1, -1, -1), QColor(100, 104, 110), QColor(34, 36, 40), 1);
    screw(art, QPointF(8, r.height() / 2), 2.6);
    screw(art, QPointF(r.width() - 8.5, r.height() / 2), 2.6);

    // The maker's name in bright chrome letters, the product's name beside it.
    QFont brand = captionFont(22);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    brand.setWeight(QFont::Black);
    QRectF brandBox(17, 7, 92, 34);
    p.setFont(brand);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(brandBox.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, "TOVIK");
    QLinearGradient chrome(brandBox.topLeft(), brandBox.bottomLeft());
    chrome.setColorAt(0.25, QColor(250, 251, 252));
    chrome.setColorAt(0.55, QColor(178, 184, 192));
    chrome.setColorAt(0.8, QColor(236, 238, 241));
    p.setPen(QPen(QBrush(chrome), 1));
    p.drawText(brandBox, Qt::AlignLeft | Qt::AlignVCenter, "TOVIK");

    p.fillRect(QRectF(110, 11, 1, 26), QColor(20, 22, 26));
    p.fillRect(QRectF(111, 11, 1, 26), QColor(110, 114, 120));

    QFont small = captionFont(8, false);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(small);
    p.setPen(QColor(188, 192, 198));
    p.drawText(QRectF(117, 10, 113, 11), Qt::AlignLeft | Qt::AlignVCenter, "DIGITAL SOUND CARD");
    QFont product = captionFont(11);
    product.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    p.setFont(product);
    p.setPen(QColor(236, 238, 241));
    p.drawText(QRectF(117, 22, 113, 15), Qt::AlignLeft | Qt::AlignVCenter, "MD CONTROLLER");
}

// --- the display ---

// The display's frame: a dark bezel around the glass, the same lit or dark.
void displayBezel(Art& art) {
    QPainter& p = art.p;
    const QRectF r = art.rect();
    QLinearGradient frame(r.topLeft(), r.bottomLeft());
    frame.setColorAt(0, QColor(46, 50, 58));
    frame.setColorAt(1, QColor(22, 24, 30));
    p.fillRect(r, frame);
    bevel(art, r, QColor(120, 124, 130), QColor(230, 232, 236), 1);  // set into the panel
    bevel(art, r.adjusted(1, 1, -1, -1), QColor(16, 18, 22), QColor(80, 84, 92), 1);
    bevel(art, r.adjusted(4, 4, -4, -4), QColor(8, 9, 12), QColor(70, 74, 84), 1);
}

const QRectF kGlass(5, 5, 307, 113);

void displayLit(Art& art) {
    QPainter& p = art.p;
    displayBezel(art);
    // The glass is exactly the navy the fields are drawn on, so a redrawn field leaves no seam.
    p.fillRect(kGlass, colour::navy);

    // Names of the fields in the band above them, and of the name boxes at their left.
    struct Legend {
        QRectF box;
        const char* text;
        qreal pixels;
    };
    const Legend legends[] = {
        {{113, 7, 45, 9}, "TRACK", 7.5}, {{166, 7, 74, 9}, "MIN  SEC", 7.5},
        {{8, 59, 43, 10}, "DISC", 8},    {{8, 69, 43, 10}, "NAME", 8},
        {{8, 87, 43, 10}, "TRACK", 8},   {{8, 97, 43, 10}, "NAME", 8},
    };
    p.setPen(colour::legend);
    for (const auto& legend : legends) {
        QFont font = condensedFont(legend.pixels);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
        p.setFont(font);
        p.drawText(legend.box, Qt::AlignRight | Qt::AlignVCenter, legend.text);
    }
    // The rule between the status lines and the names.
    p.fillRect(QRectF(10, 53, 297, 1), QColor(0, 110, 170));
    // A faint sheen across the top of the glass, above everything the display draws.
    QLinearGradient sheen(QPointF(0, 5), QPointF(0, 12));
    sheen.setColorAt(0, QColor(120, 140, 255, 70));
    sheen.setColorAt(1, QColor(120, 140, 255, 0));
    p.fillRect(QRectF(5, 5, 307, 7), sheen);
}

void displayDark(Art& art) {
    QPainter& p = art.p;
    displayBezel(art);
    QLinearGradient glass(kGlass.topLeft(), kGlass.bottomRight());
    glass.setColorAt(0, QColor(16, 20, 46));
    glass.setColorAt(1, QColor(6, 8, 24));
    p.fillRect(kGlass, glass);
    // A reflection across the unlit glass.
    QPainterPath band;
    band.moveTo(kGlass.left() + 40, kGlass.top());
    band.lineTo(kGlass.left() + 110, kGlass.top());
    band.lineTo(kGlass.left() + 60, kGlass.bottom());
    band.lineTo(kGlass.left() - 10, kGlass.bottom());
    band.closeSubpath();
    p.save();
    p.setClipRect(kGlass);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillPath(band, QColor(255, 255, 255, 10));
    p.restore();
}

// Lamps are drawn lit, on the display's navy.
void lampWord(Art& art, const QString& word) {
    art.p.fillRect(art.rect(), colour::navy);
    QFont font = condensedFont(9.5);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    art.p.setFont(font);
    art.p.setPen(colour::cyan);
    // A little room on the left keeps the words clear of the lamps beside them.
    art.p.drawText(art.rect().adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, word);
}

void lampSymbol(Art& art, const std::function<void()>& draw) {
    art.p.fillRect(art.rect(), colour::navy);
    draw();
}

// --- small pieces ---

void trackMark(Art& art) {
    // Pixel art, no blending: the list copies it leaving out every pixel of the corner's green.
    QPainter& p = art.p;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(art.rect(), QColor(0, 128, 0));
    const QColor yellow(255, 255, 0);
    const QColor edge(180, 150, 0);
    // A right-pointing arrow: shaft rows 5-7, head from column 5 to 9.
    p.fillRect(QRectF(1, 5, 5, 3), yellow);
    for (int col = 0; col < 5; ++col) {
        const int half = 4 - col;
        p.fillRect(QRectF(5 + col, 6 - half, 1, 2 * half + 1), yellow);
    }
    p.fillRect(QRectF(1, 8, 5, 1), edge);
    for (int col = 0; col < 5; ++col) p.fillRect(QRectF(5 + col, 6 + (4 - col) + 1, 1, 1), edge);
    p.restore();
}

void engravedCaption(Art& art, const QString& text, qreal pixels, qreal spacing) {
    QFont font = captionFont(pixels);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    engravedText(art, art.rect(), text, font, colour::ink);
}

void levelCaption(Art& art) {
    QFont letters = captionFont(8.5);
    // L and R stand under the meter's two columns; LEVEL under both.
    engravedText(art, QRectF(0, 0, 23, 8), "L", letters, colour::ink);
    engravedText(art, QRectF(25, 0, 23, 8), "R", letters, colour::ink);
    QFont word = captionFont(7.5);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    engravedText(art, QRectF(0, 8, 48, 8), "LEVEL", word, colour::ink);
}

void programIcon(Art& art) {
    // A disc on the deck's silver: the program that plays and edits MDs.
    QPainter& p = art.p;
    const qreal s = art.size.width() / 32.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(s, s);
    QPainterPath face;
    face.addRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    QLinearGradient metal(QPointF(0, 1), QPointF(0, 31));
    metal.setColorAt(0, QColor(250, 251, 252));
    metal.setColorAt(1, QColor(150, 155, 162));
    p.setPen(QPen(QColor(70, 74, 80), 1));
    p.setBrush(metal);
    p.drawPath(face);
    const QPointF c(16, 16);
    QRadialGradient glass(c - QPointF(4, 5), 15);
    glass.setColorAt(0, QColor(80, 120, 230));
    glass.setColorAt(0.55, QColor(16, 36, 140));
    glass.setColorAt(1, QColor(6, 12, 60));
    p.setPen(QPen(QColor(10, 14, 40), 0.8));
    p.setBrush(glass);
    p.drawEllipse(c, 11.5, 11.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 255, 255, 150), 1.1));
    p.drawArc(QRectF(c.x() - 8.5, c.y() - 8.5, 17, 17), 100 * 16, 70 * 16);
    p.drawArc(QRectF(c.x() - 8.5, c.y() - 8.5, 17, 17), 280 * 16, 70 * 16);
    p.setPen(QPen(QColor(40, 44, 50), 0.6));
    p.setBrush(QColor(225, 228, 232));
    p.drawEllipse(c, 3.2, 3.2);
    p.setBrush(QColor(20, 24, 30));
    p.drawEllipse(c, 1.1, 1.1);
    p.restore();
}

const std::map<std::string_view, Paint>& numberedImages() {
    static const std::map<std::string_view, Paint> images = {
        {"147", panelBackground},
        {"154", namePlate},
        {"148", displayLit},
        {"181", displayDark},
        {"174", [](Art& a) { lampSymbol(a, [&] { triangle(a, QPointF(8, 7), 11, 12, 0, colour::ledOn); }); }},
        {"175", [](Art& a) { lampSymbol(a, [&] { bars(a, QPointF(5, 7), 12, colour::ledOn); }); }},
        {"176", [](Art& a) { lampSymbol(a, [&] { disc(a, QPointF(7, 7), 5.5, colour::rec); }); }},
        {"160", [](Art& a) { lampWord(a, "MONO LP"); }},
        {"161", [](Art& a) { lampWord(a, "AUTO MARK"); }},
        {"162", [](Art& a) { lampWord(a, "TOTAL"); }},
        {"163", [](Art& a) { lampWord(a, "REMAIN"); }},
        {"172", trackMark},
        {"156", [](Art& a) { engravedCaption(a, "VOLUME", 7.5, 0.4); }},
        {"173", levelCaption},
        {"178", [](Art& a) { triangle(a, QPointF(4.5, 4.5), 7, 6, 3, colour::ink); }},
        {"179", [](Art& a) { triangle(a, QPointF(4.5, 4.5), 7, 6, 1, colour::ink); }},
        {"180", [](Art& a) { triangle(a, QPointF(4.5, 4.5), 6, 7, 0, colour::ink); }},
        {"128", programIcon},
        {"128-16", programIcon},
        {"128-48", programIcon},
        {"128-128", programIcon},
    };
    return images;
}

}  // namespace

bool paintRotela(std::string_view name, Art& art) {
    const auto& numbered = numberedImages();
    if (auto it = numbered.find(name); it != numbered.end()) {
        it->second(art);
        return true;
    }
    for (const auto& button : skin::rotelaButtons()) {
        if (!name.starts_with(button.caption)) continue;
        std::string_view suffix = name.substr(button.caption.size());
        for (auto state : skin::statesOf(button)) {
            if (state == suffix) {
                paintKey(art, button.caption, suffix);
                return true;
            }
        }
    }
    return false;
}

}  // namespace tovik::skingen
