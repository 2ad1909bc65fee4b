#include "labeleditor/ui/qt_log_font.h"

#include <QApplication>
#include <QFontInfo>

#include <cmath>
#include <cstdlib>

namespace tovik::label {

namespace {

std::uint8_t familyBits(const QFont& font) {
    switch (font.styleHint()) {
        case QFont::Serif: return FF_ROMAN;
        case QFont::SansSerif: return FF_SWISS;
        case QFont::TypeWriter:
        case QFont::Monospace: return FF_MODERN;
        case QFont::Cursive: return FF_SCRIPT;
        case QFont::Fantasy:
        case QFont::Decorative: return FF_DECORATIVE;
        default: return 0;
    }
}

QFont::StyleHint styleHintOf(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
        case FF_ROMAN: return QFont::Serif;
        case FF_SWISS: return QFont::SansSerif;
        case FF_MODERN: return QFont::TypeWriter;
        case FF_SCRIPT: return QFont::Cursive;
        case FF_DECORATIVE: return QFont::Decorative;
        default: return QFont::AnyStyle;
    }
}

// The character height in pixels of a font at `logPixelsY`.
int pixelHeight(const QFont& font, int logPixelsY) {
    if (font.pixelSize() > 0) return font.pixelSize();
    return static_cast<int>(std::lround(font.pointSizeF() * logPixelsY / 72.0));
}

QFont baseQFont(const LogFont& font, const CodePage& codePage) {
    QFont q(QString::fromStdString(codePage.toUtf8(font.face())));
    q.setStyleHint(styleHintOf(font.pitchAndFamily));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? 400 : font.weight, 1, 1000)));
    q.setItalic(font.italic != 0);
    q.setUnderline(font.underline != 0);
    q.setStrikeOut(font.strikeOut != 0);
    return q;
}

}  // namespace

QFont toQFont(const LogFont& font, const CodePage& codePage) {
    QFont q = baseQFont(font, codePage);
    q.setPixelSize(std::max(1, std::abs(font.height == INT32_MIN ? INT32_MAX : font.height)));
    return q;
}

QFont toPointSizedQFont(const LogFont& font, const CodePage& codePage, int logPixelsY) {
    QFont q = baseQFont(font, codePage);
    double pixels = std::abs(static_cast<double>(font.height));
    if (pixels == 0) pixels = 15;
    q.setPointSizeF(std::max(1.0, pixels * 72.0 / std::max(1, logPixelsY)));
    return q;
}

LogFont fromQFont(const QFont& font, const CodePage& codePage, int logPixelsY, const LogFont& base) {
    LogFont record = base;
    record.height = -pixelHeight(font, logPixelsY);
    record.width = 0;
    record.escapement = 0;
    record.orientation = 0;
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    record.outPrecision = 3;  // as the system's font dialog hands its choice back
    record.clipPrecision = 2;
    record.quality = 1;
    record.pitchAndFamily = static_cast<std::uint8_t>((QFontInfo(font).fixedPitch() ? FIXED_PITCH : VARIABLE_PITCH) |
                                                      familyBits(font));
    // A face whose name has no code-page form keeps the old face.
    if (auto face = codePage.fromUtf8(font.family().toStdString())) record.setFace(*face);
    return record;
}

LogFont defaultGuiFontRecord(const CodePage& codePage, int logPixelsY) {
    QFont gui = QApplication::font();
    LogFont record;
    record.height = -pixelHeight(gui, logPixelsY);
    record.weight = 400;
    record.charSet = codePage.isJapanese() ? SHIFTJIS_CHARSET : ANSI_CHARSET;
    record.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    if (auto face = codePage.fromUtf8(gui.family().toStdString())) record.setFace(*face);
    return record;
}

}  // namespace tovik::label
