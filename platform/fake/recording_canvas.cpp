#include "platform/fake/recording_canvas.h"

#include <cstdlib>

namespace tovik::fake {

int utf8Length(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

RecordingCanvas::RecordingCanvas() {
    measure = [](const FontSpec& font, std::string_view text) {
        int h = font.height == 0 ? 12 : std::abs(font.height);
        int w = h / 2 > 0 ? h / 2 : 1;
        return Size{w * utf8Length(text), h};
    };
    systemColors = {
        {SystemColor::Window, rgb(255, 255, 255)},     {SystemColor::WindowText, rgb(0, 0, 0)},
        {SystemColor::Highlight, rgb(0, 0, 128)},      {SystemColor::HighlightText, rgb(255, 255, 255)},
        {SystemColor::GrayText, rgb(128, 128, 128)},   {SystemColor::ButtonFace, rgb(192, 192, 192)},
    };
}

std::vector<CanvasOp> RecordingCanvas::opsOf(CanvasOp::Kind kind) const {
    std::vector<CanvasOp> out;
    for (const auto& op : ops) {
        if (op.kind == kind) out.push_back(op);
    }
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const auto& op : ops) {
        if (op.kind == CanvasOp::Kind::Text) out.push_back(op.text);
    }
    return out;
}

CanvasOp& RecordingCanvas::add(CanvasOp::Kind kind) {
    ops.push_back(CanvasOp{kind, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, mode_});
    return ops.back();
}

void RecordingCanvas::setMapMode(MapMode mode) {
    mode_ = mode;
    add(CanvasOp::Kind::SetMapMode);
}

void RecordingCanvas::setViewportOrigin(Point device) {
    origin_ = device;
    add(CanvasOp::Kind::SetViewportOrigin).point = device;
}

// The recording canvas maps one logical unit to one device pixel, flipping y in LoMetric.
Point RecordingCanvas::logicalToDevice(Point p) const {
    return mode_ == MapMode::LoMetric ? Point{origin_.x + p.x, origin_.y - p.y}
                                      : Point{origin_.x + p.x, origin_.y + p.y};
}

Point RecordingCanvas::deviceToLogical(Point p) const {
    return mode_ == MapMode::LoMetric ? Point{p.x - origin_.x, origin_.y - p.y}
                                      : Point{p.x - origin_.x, p.y - origin_.y};
}

void RecordingCanvas::save() { add(CanvasOp::Kind::Save); }
void RecordingCanvas::restore() { add(CanvasOp::Kind::Restore); }
void RecordingCanvas::clipTo(const Rect& r) { add(CanvasOp::Kind::ClipTo).rect = r; }

void RecordingCanvas::fillRect(const Rect& r, Rgb color) {
    auto& op = add(CanvasOp::Kind::FillRect);
    op.rect = r;
    op.color = color;
}

void RecordingCanvas::frameRect(const Rect& r, Rgb color) {
    auto& op = add(CanvasOp::Kind::FrameRect);
    op.rect = r;
    op.color = color;
}

void RecordingCanvas::rectangle(const Rect& r, const Pen& pen, const Brush& brush) {
    auto& op = add(CanvasOp::Kind::Rectangle);
    op.rect = r;
    op.pen = pen;
    op.brush = brush;
}

void RecordingCanvas::line(Point from, Point to, const Pen& pen) {
    auto& op = add(CanvasOp::Kind::Line);
    op.point = from;
    op.to = to;
    op.pen = pen;
}

void RecordingCanvas::edge(const Rect& r, Rgb topLeft, Rgb bottomRight) {
    auto& op = add(CanvasOp::Kind::Edge);
    op.rect = r;
    op.color = topLeft;
    op.color2 = bottomRight;
}

void RecordingCanvas::focusRect(const Rect& r) { add(CanvasOp::Kind::FocusRect).rect = r; }

Size RecordingCanvas::bitmapSize(std::string_view name) const {
    auto it = bitmaps.find(name);
    return it == bitmaps.end() ? Size{} : it->second;
}

void RecordingCanvas::drawBitmap(std::string_view name, Point dst) {
    if (!bitmaps.contains(name)) return;
    auto& op = add(CanvasOp::Kind::Bitmap);
    op.name = std::string(name);
    op.point = dst;
}

void RecordingCanvas::drawBitmapPart(std::string_view name, Point dst, const Rect& source) {
    if (!bitmaps.contains(name)) return;
    auto& op = add(CanvasOp::Kind::BitmapPart);
    op.name = std::string(name);
    op.point = dst;
    op.rect = source;
}

void RecordingCanvas::drawBitmapTransparent(std::string_view name, Point dst, Rgb transparent) {
    if (!bitmaps.contains(name)) return;
    auto& op = add(CanvasOp::Kind::BitmapTransparent);
    op.name = std::string(name);
    op.point = dst;
    op.color = transparent;
}

std::optional<Rgb> RecordingCanvas::bitmapPixel(std::string_view name, Point p) const {
    auto size = bitmaps.find(name);
    if (size == bitmaps.end() || p.x < 0 || p.y < 0 || p.x >= size->second.cx ||
        p.y >= size->second.cy) {
        return std::nullopt;
    }
    auto bitmap = pixels.find(name);
    if (bitmap != pixels.end()) {
        auto pixel = bitmap->second.find({p.x, p.y});
        if (pixel != bitmap->second.end()) return pixel->second;
    }
    return defaultPixel;
}

Size RecordingCanvas::textExtent(const FontSpec& font, std::string_view utf8) const {
    return measure(font, utf8);
}

void RecordingCanvas::drawText(Point topLeft, std::string_view utf8, const TextStyle& style,
                               const TextOptions& options) {
    auto& op = add(CanvasOp::Kind::Text);
    op.point = topLeft;
    op.text = std::string(utf8);
    op.style = style;
    op.options = options;
}

Rgb RecordingCanvas::systemColor(SystemColor which) const {
    auto it = systemColors.find(which);
    return it == systemColors.end() ? Rgb{} : it->second;
}

}  // namespace tovik::fake
