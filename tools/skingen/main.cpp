// skingen: draws a program's skin.
//
//   skingen --program rotela --out DIR      every image as DIR/NAME.img (1x, its pixels ready
//                                           to draw, platform/qt/raw_image.h) and
//                                           DIR/NAME@2x.png, and DIR/skin.qrc listing them
//                                           under ":/skin"
//   skingen --program rotela --sheet FILE   a contact sheet of every image at 1x and 2x
//   skingen --program icons --theme DIR     the desktop's icons as DIR/hicolor/SIZExSIZE/NAME.png
//
// The build runs the first form and compiles the images into the program; sizes come from the
// program's catalog, so an image the catalog names and the program's drawing file does not
// draw stops the build.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/qt/raw_image.h"
#include "tools/skingen/programs.h"

namespace tovik::skingen {
namespace {

const Program* findProgram(std::string_view name) {
    for (const auto& program : kPrograms) {
        if (program.name == name) return &program;
    }
    return nullptr;
}

std::optional<QImage> render(const Program& program, const skin::Image& image, int scale) {
    QImage out(image.size.cx * scale, image.size.cy * scale, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    Art art{painter, QSize(image.size.cx, image.size.cy), scale};
    if (!program.paint(image.name, art)) return std::nullopt;
    painter.end();
    // An image without a transparent pixel is stored opaque: the programs then draw it without
    // converting it (and without a second copy of it in memory).
    for (int y = 0; y < out.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(out.constScanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) != 255) return out;
    }
    return out.convertToFormat(QImage::Format_RGB32);
}

bool saveAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

int writeSkin(const Program& program, const QString& folder) {
    QString qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/skin\">\n";
    for (const auto& image : program.images()) {
        for (int scale : {1, 2}) {
            auto drawn = render(program, image, scale);
            if (!drawn) {
                std::fprintf(stderr, "skingen: %s has no drawing for %s\n", program.name.data(),
                             image.name.c_str());
                return 1;
            }
            // 1x is drawn at start: kept as pixels; 2x, for dense screens only, as PNG.
            const QString file = QString::fromStdString(image.name) + (scale == 2 ? "@2x.png" : ".img");
            const bool written = scale == 2 ? drawn->save(folder + '/' + file, "PNG")
                                            : saveAtomically(folder + '/' + file, qt::encodeRawImage(*drawn));
            if (!written) {
                std::fprintf(stderr, "skingen: cannot write %s/%s\n", qPrintable(folder), qPrintable(file));
                return 1;
            }
            qrc += "  <file>" + file + "</file>\n";
        }
    }
    qrc += "</qresource>\n</RCC>\n";
    if (!saveAtomically(folder + "/skin.qrc", qrc.toUtf8())) {
        std::fprintf(stderr, "skingen: cannot write %s/skin.qrc\n", qPrintable(folder));
        return 1;
    }
    return 0;
}

// An icon theme's tree: each image at its own size under hicolor/WxH/, its name giving the
// context folder ("apps/rotela" -> hicolor/48x48/apps/rotela.png).
int writeIconTheme(const Program& program, const QString& folder) {
    for (const auto& image : program.images()) {
        auto drawn = render(program, image, 1);
        const QString size = QString("%1x%2").arg(image.size.cx).arg(image.size.cy);
        const QString file = folder + "/hicolor/" + size + '/' + QString::fromStdString(image.name) + ".png";
        if (!drawn || !QDir().mkpath(QFileInfo(file).path()) || !drawn->save(file, "PNG")) {
            std::fprintf(stderr, "skingen: cannot draw %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

// The contact sheet: every image's states side by side at 1x, then the same at 2x, on the
// panel's silver, labelled with their names.
int writeSheet(const Program& program, const QString& path) {
    struct Cell {
        QString label;
        std::vector<QImage> once, twice;
        int width() const {
            int a = 0, b = 0;
            for (const auto& i : once) a += i.width() + 6;
            for (const auto& i : twice) b += i.width() + 6;
            return std::max(a + 10 + b, 90);
        }
        int height() const {
            int h = 0;
            for (const auto& i : twice) h = std::max(h, i.height());
            return h + 16;
        }
    };
    // A button's states share a cell; every other image has its own.
    std::vector<Cell> cells;
    std::map<std::string, std::size_t> byCaption;
    for (const auto& image : program.images()) {
        std::string key = image.name, state;
        for (const auto& button : program.buttons()) {
            for (auto s : skin::statesOf(button)) {
                if (image.name == std::string(button.caption) + std::string(s)) {
                    key = button.caption;
                    state = s;
                }
            }
        }
        auto once = render(program, image, 1);
        auto twice = render(program, image, 2);
        if (!once || !twice) return 1;
        auto [it, fresh] = byCaption.emplace(key, cells.size());
        if (fresh) cells.push_back({QString::fromStdString(key) + (state.empty() ? "" : " "), {}, {}});
        Cell& cell = cells[it->second];
        if (!state.empty()) cell.label += ' ' + QString::fromStdString(state);
        cell.once.push_back(*once);
        cell.twice.push_back(*twice);
    }
    const int width = 1840;
    int x = 10, y = 10, rowHeight = 0;
    std::vector<QPoint> at;
    for (const auto& cell : cells) {
        if (x + cell.width() > width - 10) {
            x = 10;
            y += rowHeight + 14;
            rowHeight = 0;
        }
        at.push_back({x, y});
        x += cell.width() + 24;
        rowHeight = std::max(rowHeight, cell.height());
    }
    QImage sheet(width, y + rowHeight + 10, QImage::Format_RGB32);
    sheet.fill(QColor(196, 199, 203));
    QPainter p(&sheet);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    p.setFont(font);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        p.setPen(QColor(30, 34, 40));
        p.drawText(at[i] + QPoint(0, 11), cell.label);
        int cx = at[i].x();
        for (const auto& image : cell.once) {
            p.drawImage(QPoint(cx, at[i].y() + 16), image);
            cx += image.width() + 6;
        }
        cx += 10;
        for (const auto& image : cell.twice) {
            p.drawImage(QPoint(cx, at[i].y() + 16), image);
            cx += image.width() + 6;
        }
    }
    p.end();
    return sheet.save(path, "PNG") ? 0 : 1;
}

// The faces the skin is drawn with; a missing one changes the look, so say so.
void checkFaces() {
    for (const char* face : {"Liberation Sans", "DejaVu Sans"}) {
        QFont font{QString::fromLatin1(face)};
        if (QFontInfo(font).family() != QLatin1String(face)) {
            std::fprintf(stderr, "skingen: warning: font \"%s\" is not installed (scripts/install-deps.sh)\n", face);
        }
    }
}

}  // namespace
}  // namespace tovik::skingen

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    std::string program, out, sheet, theme;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--program") program = argv[i + 1];
        else if (option == "--out") out = argv[i + 1];
        else if (option == "--sheet") sheet = argv[i + 1];
        else if (option == "--theme") theme = argv[i + 1];
    }
    const auto* found = tovik::skingen::findProgram(program);
    if (!found || !out.empty() + !sheet.empty() + !theme.empty() != 1) {
        std::fprintf(stderr, "usage: skingen --program NAME (--out FOLDER | --sheet FILE.png | --theme FOLDER)\n");
        return 2;
    }
    tovik::skingen::checkFaces();
    if (!out.empty()) return tovik::skingen::writeSkin(*found, QString::fromStdString(out));
    if (!theme.empty()) return tovik::skingen::writeIconTheme(*found, QString::fromStdString(theme));
    return tovik::skingen::writeSheet(*found, QString::fromStdString(sheet));
}
