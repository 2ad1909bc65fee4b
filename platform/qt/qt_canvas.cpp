#include "platform/qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImageReader>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QResource>

#include <cmath>
#include <map>
#include <mutex>
#include <utility>

#include "platform/qt/raw_image.h"

namespace tovik::qt {

namespace {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Faces of the other desktop and the installed faces with their metrics (fonts-liberation2,
// the IPA fonts). fontconfig knows some of these aliases too; saying them here makes every
// machine agree.
void installFaceSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        const std::pair<const char*, QStringList> faces[] = {
            {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
            {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
            {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
            {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
            {"MS Gothic", {"IPAGothic"}},
            {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
             {"IPAGothic"}},  // the Japanese spelling of MS Gothic
            {"MS \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
             {"IPAGothic"}},  // the same with the letters M and S as stored by Rotela's display
            {"MS PGothic", {"IPAPGothic"}},
            {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
             {"IPAPGothic"}},  // MS PGothic
            {"MS UI Gothic", {"IPAPGothic"}},
            {"MS Mincho", {"IPAMincho"}},
            {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D", {"IPAMincho"}},  // MS Mincho
            {"MS PMincho", {"IPAPMincho"}},
            {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE6\x98\x8E\xE6\x9C\x9D", {"IPAPMincho"}},  // MS PMincho
        };
        for (const auto& [face, installed] : faces) {
            QFont::insertSubstitutions(QString::fromUtf8(face), installed);
        }
    });
}

// Ascent + descent of the face at a pixel size of 100, to turn a cell height into an em size.
qreal cellPer100(const QFont& font) {
    static std::map<std::pair<QString, int>, qreal> cache;
    auto key = std::make_pair(font.family(), font.weight() * 2 + (font.italic() ? 1 : 0));
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QFont probe = font;
    probe.setPixelSize(100);
    QFontMetricsF metrics(probe);
    qreal cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) cell = 100;
    cache.emplace(key, cell);
    return cell;
}

}  // namespace

// --- skin images ---

SkinImages::SkinImages(QString folder) : folder_(std::move(folder)) {}

namespace {

// A compiled-in image kept as pixels (NAME.img beside NAME.png): drawn from the program's own
// mapped file, nothing decoded. Null when there is none.
QImage compiledInPixels(const QString& pngFile) {
    if (!pngFile.startsWith(':') || !pngFile.endsWith(QStringLiteral(".png"))) return {};
    QResource raw(pngFile.chopped(4) + QStringLiteral(".img"));
    if (!raw.isValid() || raw.compressionAlgorithm() != QResource::NoCompression) return {};
    return rawImageView(raw.data(), raw.size());
}

}  // namespace

QImage SkinImages::load(const QString& file) const {
    auto it = images_.find(file);
    if (it != images_.end()) return *it;
    QImage image = compiledInPixels(file);
    if (image.isNull()) image = QImage(file, "PNG");  // the skin is PNG: no other format is tried
    if (!image.isNull()) image.setDevicePixelRatio(1);  // ratios are set where they are drawn
    images_.insert(file, image);
    return image;
}

QSize SkinImages::size(std::string_view name) const {
    const QString file = folder_ + '/' + toQString(name) + QStringLiteral(".png");
    if (auto decoded = images_.find(file); decoded != images_.end()) return decoded->size();
    auto it = sizes_.find(file);
    if (it == sizes_.end()) {
        const QImage pixels = compiledInPixels(file);
        it = sizes_.insert(file, pixels.isNull() ? QImageReader(file, "PNG").size() : pixels.size());
    }
    return it->isValid() ? *it : QSize();
}

QImage SkinImages::image(std::string_view name) const {
    return load(folder_ + '/' + toQString(name) + QStringLiteral(".png"));
}

QPixmap SkinImages::pixmap(std::string_view name, qreal ratio) const {
    const bool sharp = ratio > 1.0;
    const QString key = toQString(name) + (sharp ? QStringLiteral("@2x") : QString());
    auto it = pixmaps_.find(key);
    if (it != pixmaps_.end()) return *it;
    QPixmap pixmap;
    if (sharp) {
        QImage twice = load(folder_ + '/' + key + QStringLiteral(".png"));
        if (!twice.isNull()) {
            pixmap = QPixmap::fromImage(twice);
            pixmap.setDevicePixelRatio(2);
        }
    }
    if (pixmap.isNull()) {
        QImage once = image(name);
        if (!once.isNull()) pixmap = QPixmap::fromImage(once);
    }
    pixmaps_.insert(key, pixmap);
    return pixmap;
}

QPixmap SkinImages::transparent(std::string_view name, qreal ratio, Rgb colour) const {
    const QString key = toQString(name) + QStringLiteral("#%1/%2").arg(ratio > 1.0 ? 2 : 1).arg(
                            (colour.r << 16) | (colour.g << 8) | colour.b);
    auto it = pixmaps_.find(key);
    if (it != pixmaps_.end()) return *it;
    QPixmap source = pixmap(name, ratio);
    QPixmap result;
    if (!source.isNull()) {
        QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb drop = qRgb(colour.r, colour.g, colour.b);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0x00FFFFFF) == (drop & 0x00FFFFFF)) line[x] = 0;
            }
        }
        result = QPixmap::fromImage(image);
        result.setDevicePixelRatio(source.devicePixelRatio());
    }
    pixmaps_.insert(key, result);
    return result;
}

const SkinImages& programSkin() {
    static const SkinImages skin;
    return skin;
}

// --- fonts ---

QFont toQFont(const FontSpec& fontSpec) {
    installFaceSubstitutions();
    QFont font = fontSpec.face.empty() ? QGuiApplication::font() : QFont(QString::fromStdString(fontSpec.face));
    // A Japanese font whose face this machine lacks takes the Japanese gothic face for kana and
    // Latin alike, as a Japanese desktop would, rather than whatever face has the glyphs.
    constexpr std::uint8_t kShiftJisCharSet = 128;
    if (fontSpec.charSet == kShiftJisCharSet) font.setFamilies(font.families() << QStringLiteral("IPAGothic"));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(fontSpec.weight == 0 ? 400 : fontSpec.weight, 1, 1000)));
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    font.setStrikeOut(fontSpec.strikeOut);
    if (fontSpec.height < 0) {
        font.setPixelSize(-fontSpec.height);
    } else if (fontSpec.height > 0) {
        int pixels = static_cast<int>(std::lround(fontSpec.height * 100.0 / cellPer100(font)));
        font.setPixelSize(std::max(1, pixels));
    }
    return font;
}

// --- the canvas ---

QtCanvas::QtCanvas(QPainter& painter, const SkinImages& images)
    : painter_(painter), images_(images), base_(painter.transform()) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

QtCanvas::~QtCanvas() {
    while (painterSaves_ > 0) {
        painter_.restore();
        --painterSaves_;
    }
    painter_.restore();
}

qreal QtCanvas::scaleX() const {
    if (state_.mode == MapMode::Pixels) return 1.0;
    return painter_.device()->logicalDpiX() / 254.0;
}

qreal QtCanvas::scaleY() const {
    if (state_.mode == MapMode::Pixels) return 1.0;
    return painter_.device()->logicalDpiY() / 254.0;
}

QTransform QtCanvas::logicalTransform() const {
    QTransform t = QTransform::fromTranslate(state_.origin.x, state_.origin.y);
    if (state_.mode == MapMode::LoMetric) t.scale(scaleX(), -scaleY());
    return t;
}

void QtCanvas::useDeviceCoordinates() { painter_.setTransform(base_); }

void QtCanvas::useLogicalCoordinates() { painter_.setTransform(logicalTransform() * base_); }

QRect QtCanvas::deviceRect(const Rect& r) const {
    QRectF mapped = logicalTransform().mapRect(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)));
    QPoint topLeft(static_cast<int>(std::lround(mapped.left())), static_cast<int>(std::lround(mapped.top())));
    QPoint bottomRight(static_cast<int>(std::lround(mapped.right())),
                       static_cast<int>(std::lround(mapped.bottom())));
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

void QtCanvas::setMapMode(MapMode mode) { state_.mode = mode; }

void QtCanvas::setViewportOrigin(Point device) { state_.origin = device; }

Point QtCanvas::logicalToDevice(Point p) const {
    QPointF d = logicalTransform().map(QPointF(p.x, p.y));
    return {static_cast<int>(std::lround(d.x())), static_cast<int>(std::lround(d.y()))};
}

Point QtCanvas::deviceToLogical(Point p) const {
    QPointF l = logicalTransform().inverted().map(QPointF(p.x, p.y));
    return {static_cast<int>(std::lround(l.x())), static_cast<int>(std::lround(l.y()))};
}

void QtCanvas::save() {
    saved_.push_back(state_);
    painter_.save();
    ++painterSaves_;
}

void QtCanvas::restore() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
    painter_.restore();
    --painterSaves_;
}

void QtCanvas::clipTo(const Rect& r) {
    // Qt keeps a clip in device space, so later mapping changes leave it where it was set.
    useDeviceCoordinates();
    painter_.setClipRect(deviceRect(r.normalized()), Qt::IntersectClip);
}

void QtCanvas::fillRect(const Rect& r, Rgb color) {
    Rect n = r.normalized();
    if (n.empty()) return;
    useDeviceCoordinates();
    painter_.fillRect(deviceRect(n), toQColor(color));
}

void QtCanvas::frameRect(const Rect& r, Rgb color) {
    QRect d = deviceRect(r.normalized());
    if (d.isEmpty()) return;
    useDeviceCoordinates();
    QColor c = toQColor(color);
    painter_.fillRect(QRect(d.left(), d.top(), d.width(), 1), c);
    painter_.fillRect(QRect(d.left(), d.bottom(), d.width(), 1), c);
    painter_.fillRect(QRect(d.left(), d.top(), 1, d.height()), c);
    painter_.fillRect(QRect(d.right(), d.top(), 1, d.height()), c);
}

void QtCanvas::edge(const Rect& r, Rgb topLeft, Rgb bottomRight) {
    QRect d = deviceRect(r.normalized());
    if (d.isEmpty()) return;
    useDeviceCoordinates();
    QColor light = toQColor(topLeft), dark = toQColor(bottomRight);
    painter_.fillRect(QRect(d.left(), d.top(), d.width() - 1, 1), light);
    painter_.fillRect(QRect(d.left(), d.top(), 1, d.height() - 1), light);
    painter_.fillRect(QRect(d.left(), d.bottom(), d.width(), 1), dark);
    painter_.fillRect(QRect(d.right(), d.top(), 1, d.height()), dark);
}

void QtCanvas::focusRect(const Rect& r) {
    QRect d = deviceRect(r.normalized());
    if (d.isEmpty()) return;
    useDeviceCoordinates();
    // Every other pixel of the border, inverted where the device can (so it shows on any
    // background), black elsewhere (printers, PDF).
    QVector<QPoint> dots;
    for (int x = d.left(); x <= d.right(); ++x) {
        if ((x + d.top()) % 2 == 0) dots << QPoint(x, d.top());
        if ((x + d.bottom()) % 2 == 0 && d.bottom() != d.top()) dots << QPoint(x, d.bottom());
    }
    for (int y = d.top() + 1; y < d.bottom(); ++y) {
        if ((d.left() + y) % 2 == 0) dots << QPoint(d.left(), y);
        if ((d.right() + y) % 2 == 0 && d.right() != d.left()) dots << QPoint(d.right(), y);
    }
    painter_.save();
    const bool invert = painter_.paintEngine() &&
                        painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (invert) painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(invert ? QColor(Qt::white) : QColor(Qt::black), 0);
    painter_.setPen(pen);
    painter_.drawPoints(dots.data(), static_cast<int>(dots.size()));
    painter_.restore();
}

void QtCanvas::rectangle(const Rect& r, const Pen& pen, const Brush& brush) {
    Rect n = r.normalized();
    if (n.empty()) return;
    if (!brush.hollow) fillRect(n, brush.color);
    if (pen.null) return;
    useLogicalCoordinates();
    QPen qpen(toQColor(pen.color));
    if (pen.width <= 1) {
        // One device pixel just inside the right and bottom edges, like the frame.
        QRect d = deviceRect(n);
        useDeviceCoordinates();
        qpen.setWidth(0);
        painter_.setPen(qpen);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(QRect(d.left(), d.top(), d.width() - 1, d.height() - 1));
        return;
    }
    qpen.setWidthF(pen.width);
    qpen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(qpen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(QPointF(n.left, n.top), QPointF(n.right, n.bottom)));
}

void QtCanvas::line(Point from, Point to, const Pen& pen) {
    if (pen.null) return;
    useLogicalCoordinates();
    QPen qpen(toQColor(pen.color));
    if (pen.width <= 1) {
        qpen.setWidth(0);
    } else {
        qpen.setWidthF(pen.width);
    }
    qpen.setCapStyle(Qt::FlatCap);
    painter_.setPen(qpen);
    painter_.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

// --- bitmaps ---

Size QtCanvas::bitmapSize(std::string_view name) const {
    const QSize size = images_.size(name);
    return size.isEmpty() ? Size{} : Size{size.width(), size.height()};
}

void QtCanvas::drawPixmapAt(Point dst, const QPixmap& pixmap, const QRectF& source, Size logicalSize) {
    if (pixmap.isNull() || logicalSize.cx <= 0 || logicalSize.cy <= 0) return;
    // The bitmap hangs down from dst in either mapping.
    Rect target = state_.mode == MapMode::LoMetric
                      ? Rect{dst.x, dst.y - logicalSize.cy, dst.x + logicalSize.cx, dst.y}
                      : Rect{dst.x, dst.y, dst.x + logicalSize.cx, dst.y + logicalSize.cy};
    useDeviceCoordinates();
    const qreal ratio = pixmap.devicePixelRatio();
    QRectF pixels(source.left() * ratio, source.top() * ratio, source.width() * ratio,
                  source.height() * ratio);
    painter_.drawPixmap(QRectF(deviceRect(target)), pixmap, pixels);
}

void QtCanvas::drawBitmap(std::string_view name, Point dst) {
    Size size = bitmapSize(name);
    drawPixmapAt(dst, images_.pixmap(name, painter_.device()->devicePixelRatioF()),
                 QRectF(0, 0, size.cx, size.cy), size);
}

void QtCanvas::drawBitmapPart(std::string_view name, Point dst, const Rect& source) {
    Size size = bitmapSize(name);
    QRect part = QRect(source.left, source.top, source.width(), source.height())
                     .intersected(QRect(0, 0, size.cx, size.cy));
    if (part.isEmpty()) return;
    // Cutting at the bitmap's edge moves the part's corner with it.
    Point at{dst.x + part.left() - source.left, dst.y + part.top() - source.top};
    drawPixmapAt(at, images_.pixmap(name, painter_.device()->devicePixelRatioF()), QRectF(part),
                 Size{part.width(), part.height()});
}

void QtCanvas::drawBitmapTransparent(std::string_view name, Point dst, Rgb transparent) {
    Size size = bitmapSize(name);
    drawPixmapAt(dst, images_.transparent(name, painter_.device()->devicePixelRatioF(), transparent),
                 QRectF(0, 0, size.cx, size.cy), size);
}

std::optional<Rgb> QtCanvas::bitmapPixel(std::string_view name, Point p) const {
    QImage image = images_.image(name);
    if (image.isNull() || !image.valid(p.x, p.y)) return std::nullopt;
    QRgb c = image.pixel(p.x, p.y);
    return rgb(qRed(c), qGreen(c), qBlue(c));
}

// --- text ---

QFont QtCanvas::logicalFont(const FontSpec& fontSpec) const {
    QFont font = toQFont(fontSpec);
    if (state_.mode == MapMode::LoMetric) {
        // The default size is a screen size: bring it to 0.1 mm. Hinting would fit the glyphs
        // to a pixel grid the text does not lie on.
        if (fontSpec.height == 0) {
            int pixels = QFontInfo(font).pixelSize();
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels / scaleY()))));
        }
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    return font;
}

Size QtCanvas::textExtent(const FontSpec& fontSpec, std::string_view utf8) const {
    QFontMetricsF metrics(logicalFont(fontSpec), painter_.device());
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(toQString(utf8)) - 0.01)),
            static_cast<int>(std::lround(metrics.ascent() + metrics.descent()))};
}

void QtCanvas::drawText(Point topLeft, std::string_view utf8, const TextStyle& style,
                        const TextOptions& options) {
    const QFont font = logicalFont(style.font);
    const QString text = toQString(utf8);

    painter_.save();
    if (options.clip) clipTo(*options.clip);
    if (style.background && options.opaque) fillRect(*options.opaque, *style.background);

    // Text space: the text's top-left corner at the origin, y down, one unit per logical unit.
    QPointF corner = logicalTransform().map(QPointF(topLeft.x, topLeft.y));
    QTransform textSpace = QTransform::fromTranslate(corner.x(), corner.y());
    textSpace.scale(scaleX(), scaleY());
    painter_.setTransform(textSpace * base_);
    painter_.setFont(font);
    QFontMetricsF metrics(font, painter_.device());
    if (style.background && !options.opaque) {
        painter_.fillRect(QRectF(0, 0, metrics.horizontalAdvance(text), metrics.ascent() + metrics.descent()),
                          toQColor(*style.background));
    }
    painter_.setPen(toQColor(style.color));
    painter_.drawText(QPointF(0, metrics.ascent()), text);
    painter_.restore();
}

Rgb QtCanvas::systemColor(SystemColor which) const {
    const QPalette palette = QGuiApplication::palette();
    QColor c;
    switch (which) {
        case SystemColor::Window: c = palette.color(QPalette::Active, QPalette::Base); break;
        case SystemColor::WindowText: c = palette.color(QPalette::Active, QPalette::Text); break;
        case SystemColor::Highlight: c = palette.color(QPalette::Active, QPalette::Highlight); break;
        case SystemColor::HighlightText:
            c = palette.color(QPalette::Active, QPalette::HighlightedText);
            break;
        case SystemColor::GrayText: c = palette.color(QPalette::Disabled, QPalette::Text); break;
        case SystemColor::ButtonFace: c = palette.color(QPalette::Active, QPalette::Button); break;
    }
    return rgb(c.red(), c.green(), c.blue());
}

}  // namespace tovik::qt
