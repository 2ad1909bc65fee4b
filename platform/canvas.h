#pragma once
// The one drawing interface of the suite. Everything whose geometry the programs fix (the level
// meter's segments, the display's fields and lamps, the track list rows, the label layout) is
// drawn through a Canvas, so the same code paints the screen, the print preview, the printer, a
// PDF, and a recording canvas in the tests.
//
// Coordinates are logical units. In MapMode::Pixels one unit is one device pixel and y grows
// downward; in MapMode::LoMetric one unit is 0.1 mm and y grows upward (a point below another
// has a smaller y), as the label editor draws. The viewport origin is the device point where the
// logical origin lies.
//
// Texts are UTF-8. Code-page byte strings (disc names, label texts) are converted by the caller.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovik {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
               static_cast<std::uint8_t>(b)};
}

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0, cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Edges as given; in LoMetric the top edge has the larger y, so height() is negative for a
// rectangle given upper edge first. Use normalized() where the sign must not matter.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    Rect normalized() const;
    Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Contains its left and top edges, not its right and bottom ones (of the normalized
    // rectangle: in y-up coordinates that is the lower edge in, the upper edge out).
    bool contains(Point p) const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A font as the programs describe it. The face is the family name in UTF-8 ("Arial", or the
// Japanese gothic face); the adapter substitutes an installed face the same way everywhere.
struct FontSpec {
    std::string face;
    // Logical units. Negative: the character height (the em size without internal leading);
    // positive: the cell height (ascent + descent); 0: the adapter's default size.
    int height = 0;
    int weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;  // 0 ANSI, 1 default, 128 Shift-JIS: the script the face is for
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct Pen {
    Rgb color;
    int width = 1;      // logical units; 0 or 1 is one device pixel
    bool null = false;  // no outline at all
    static Pen none() { return Pen{{}, 0, true}; }
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    Rgb color;
    bool hollow = false;  // no fill at all
    static Brush none() { return Brush{{}, true}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct TextStyle {
    FontSpec font;
    Rgb color;
    // Set: an opaque background of this colour behind the text's cell; empty: transparent.
    std::optional<Rgb> background;
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

struct TextOptions {
    std::optional<Rect> clip;    // the text is cut at this rectangle
    std::optional<Rect> opaque;  // with an opaque background, fill this whole rectangle first
    friend bool operator==(const TextOptions&, const TextOptions&) = default;
};

enum class MapMode { Pixels, LoMetric };

// The desktop's own colours, for controls that draw like the system's (list rows).
enum class SystemColor { Window, WindowText, Highlight, HighlightText, GrayText, ButtonFace };

class Canvas {
public:
    virtual ~Canvas() = default;

    // --- mapping ---
    virtual void setMapMode(MapMode mode) = 0;
    virtual MapMode mapMode() const = 0;
    virtual void setViewportOrigin(Point device) = 0;
    virtual Point logicalToDevice(Point p) const = 0;
    virtual Point deviceToLogical(Point p) const = 0;

    // --- state: save() and restore() bracket clip changes ---
    virtual void save() = 0;
    virtual void restore() = 0;
    // Narrows the clip region to the rectangle (logical units).
    virtual void clipTo(const Rect& r) = 0;

    // --- shapes ---
    // Fills left/top inclusive, right/bottom exclusive.
    virtual void fillRect(const Rect& r, Rgb color) = 0;
    // A border one device pixel wide just inside the rectangle.
    virtual void frameRect(const Rect& r, Rgb color) = 0;
    // Outline with the pen (on the rectangle's edges) and inside filled with the brush.
    virtual void rectangle(const Rect& r, const Pen& pen, const Brush& brush) = 0;
    virtual void line(Point from, Point to, const Pen& pen) = 0;
    // A one-pixel 3-D edge: top and left in one colour, bottom and right in the other.
    virtual void edge(const Rect& r, Rgb topLeft, Rgb bottomRight) = 0;
    // The desktop's dotted focus rectangle.
    virtual void focusRect(const Rect& r) = 0;

    // --- bitmaps, by the names the programs give them ---
    // {0, 0} for a bitmap that does not exist.
    virtual Size bitmapSize(std::string_view name) const = 0;
    // The whole bitmap in its own size, its top-left corner at dst.
    virtual void drawBitmap(std::string_view name, Point dst) = 0;
    // A part of the bitmap (source pixels) in its own size, at dst.
    virtual void drawBitmapPart(std::string_view name, Point dst, const Rect& source) = 0;
    // The whole bitmap, leaving out every pixel of the transparent colour.
    virtual void drawBitmapTransparent(std::string_view name, Point dst, Rgb transparent) = 0;
    virtual std::optional<Rgb> bitmapPixel(std::string_view name, Point p) const = 0;

    // --- text ---
    // Width and height (ascent + descent) of the text in logical units; positive in both modes.
    virtual Size textExtent(const FontSpec& font, std::string_view utf8) const = 0;
    // Draws the text with its upper-left corner at topLeft (in LoMetric the text hangs down
    // from there).
    virtual void drawText(Point topLeft, std::string_view utf8, const TextStyle& style,
                          const TextOptions& options = {}) = 0;

    virtual Rgb systemColor(SystemColor which) const = 0;
};

}  // namespace tovik
