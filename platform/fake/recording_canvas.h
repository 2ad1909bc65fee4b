#pragma once
// A canvas that draws nothing and remembers every call, so tests can check what a control or a
// layout draws, where, and with what. Bitmaps exist when the test names them with their sizes;
// text is measured by a rule the test can replace.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tovik::fake {

struct CanvasOp {
    enum class Kind {
        SetMapMode,
        SetViewportOrigin,
        Save,
        Restore,
        ClipTo,
        FillRect,
        FrameRect,
        Rectangle,
        Line,
        Edge,
        FocusRect,
        Bitmap,
        BitmapPart,
        BitmapTransparent,
        Text,
    };
    Kind kind;
    Rect rect;           // the rectangle drawn, filled, clipped to; a bitmap part's source
    Point point;         // a line's start, a bitmap's or text's destination, the viewport origin
    Point to;            // a line's end
    Rgb color;           // fill, frame, edge top-left, transparent colour
    Rgb color2;          // edge bottom-right
    Pen pen;
    Brush brush;
    std::string name;    // bitmap name
    std::string text;    // UTF-8
    TextStyle style;
    TextOptions options;
    MapMode mode = MapMode::Pixels;
};

class RecordingCanvas : public Canvas {
public:
    using Measure = std::function<Size(const FontSpec&, std::string_view)>;

    RecordingCanvas();

    // Known bitmaps and their sizes; any other name does not exist.
    std::map<std::string, Size, std::less<>> bitmaps;
    // Colour of every pixel of a known bitmap unless listed in pixels.
    Rgb defaultPixel{};
    std::map<std::string, std::map<std::pair<int, int>, Rgb>, std::less<>> pixels;
    // Text measurement. The default: each code point is |height| / 2 wide (at least 1), the
    // height is |height| (12 for a font of height 0).
    Measure measure;
    std::map<SystemColor, Rgb> systemColors;

    std::vector<CanvasOp> ops;

    std::vector<CanvasOp> opsOf(CanvasOp::Kind kind) const;
    std::vector<std::string> texts() const;  // every drawn text, in order
    void clear() { ops.clear(); }

    void setMapMode(MapMode mode) override;
    MapMode mapMode() const override { return mode_; }
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
                  const TextOptions& options) override;
    Rgb systemColor(SystemColor which) const override;

private:
    CanvasOp& add(CanvasOp::Kind kind);
    MapMode mode_ = MapMode::Pixels;
    Point origin_;
};

// Counts the code points of a UTF-8 text (what the default measure rule uses).
int utf8Length(std::string_view utf8);

}  // namespace tovik::fake
