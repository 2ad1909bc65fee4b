#pragma once
// The canvas over a QPainter: one adapter for a widget, an off-screen QPixmap or QImage, the
// printer, a PDF and the print preview.
//
// Pixels: one logical unit is one unit of the painter's coordinates as the canvas found them
// (a widget's or pixmap's pixel, a printer's dot), y down. LoMetric: one unit is 0.1 mm, worked
// out from the paint device's logical DPI, y up. Text is always drawn upright: in LoMetric the
// glyphs get an unflipped scale of their own, since a flipped one mirrors them.
//
// Bitmaps come from a SkinImages folder by name; on a device whose pixel ratio is above 1 the
// "NAME@2x.png" image is drawn when the skin has one.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QTransform>

#include <string_view>
#include <vector>

#include "platform/canvas.h"

class QPainter;

namespace tovik::qt {

// A folder of PNG images looked up by name (compiled in, a 1x image may instead be kept as its
// pixels, NAME.img, see raw_image.h): ":/skin" (the program's compiled-in skin) or a
// folder on disk. Loaded images are kept for the life of the object.
class SkinImages {
public:
    explicit SkinImages(QString folder = QStringLiteral(":/skin"));

    bool contains(std::string_view name) const { return !size(name).isEmpty(); }
    // The 1x image's size, read from its header (nothing is decoded); empty when there is none.
    QSize size(std::string_view name) const;
    // The 1x image; null when the name has none.
    QImage image(std::string_view name) const;
    // The image for a device pixel ratio: the @2x one (with ratio 2) when ratio > 1 and it
    // exists, else the 1x one.
    QPixmap pixmap(std::string_view name, qreal ratio) const;
    // As pixmap(), with every pixel of the colour left out.
    QPixmap transparent(std::string_view name, qreal ratio, Rgb colour) const;

private:
    QImage load(const QString& file) const;

    QString folder_;
    mutable QHash<QString, QImage> images_;
    mutable QHash<QString, QSize> sizes_;
    mutable QHash<QString, QPixmap> pixmaps_;
};

// The compiled-in skin of the running program (":/skin").
const SkinImages& programSkin();

// The Qt font for a font description, its size in logical units. Family names of the other
// desktop ("Arial", the Japanese gothic face) map to installed faces with the same metrics.
QFont toQFont(const FontSpec& fontSpec);

class QtCanvas : public Canvas {
public:
    // The painter must be active and outlive the canvas. The canvas's logical origin starts at
    // the painter's origin as it is now (so a caller may translate the painter first).
    explicit QtCanvas(QPainter& painter, const SkinImages& images = programSkin());
    ~QtCanvas() override;

    void setMapMode(MapMode mode) override;
    MapMode mapMode() const override { return state_.mode; }
    void setViewportOrigin(Point device) override;
    Point logicalToDevice(Point p) const override;
    Point deviceToLogical(Point p) const override;

    void save() override;
    void restore() override;
    void clipTo(const Rect& r) override;

    void fillRect(const Rect& r, Rgb color) override;
    void frameRect(const Rect& r, Rgb color) override;
    void rectangle(const Rect& r, const Pen& pen, const Brush& brush) override;
    void line(Point from, Point to, const Pen& pen) override;
    void edge(const Rect& r, Rgb topLeft, Rgb bottomRight) override;
    void focusRect(const Rect& r) override;

    Size bitmapSize(std::string_view name) const override;
    void drawBitmap(std::string_view name, Point dst) override;
    void drawBitmapPart(std::string_view name, Point dst, const Rect& source) override;
    void drawBitmapTransparent(std::string_view name, Point dst, Rgb transparent) override;
    std::optional<Rgb> bitmapPixel(std::string_view name, Point p) const override;

    Size textExtent(const FontSpec& font, std::string_view utf8) const override;
    void drawText(Point topLeft, std::string_view utf8, const TextStyle& style,
                  const TextOptions& options = {}) override;

    Rgb systemColor(SystemColor which) const override;

    // Device units per logical unit (1 in Pixels).
    qreal scaleX() const;
    qreal scaleY() const;

private:
    struct State {
        MapMode mode = MapMode::Pixels;
        Point origin;
    };

    // Logical -> the painter's coordinates as the canvas found them.
    QTransform logicalTransform() const;
    // The device rectangle (in the painter's original coordinates) covered by a logical one.
    QRect deviceRect(const Rect& r) const;
    // Draws with the original coordinates (one unit = one device pixel, y down).
    void useDeviceCoordinates();
    void useLogicalCoordinates();
    // The font in logical units under the current mapping.
    QFont logicalFont(const FontSpec& fontSpec) const;
    void drawPixmapAt(Point dst, const QPixmap& pixmap, const QRectF& source, Size logicalSize);

    QPainter& painter_;
    const SkinImages& images_;
    QTransform base_;
    State state_;
    std::vector<State> saved_;
    int painterSaves_ = 0;
};

}  // namespace tovik::qt
