#include "controller/ui/skin_button.h"

namespace tovik::ui {

ButtonImageNames buttonImages(std::string_view caption, bool alternate) {
    std::string c(caption);
    return {c + (alternate ? "RU" : "U"), c + (alternate ? "RD" : "D"), c + "F", c + "X"};
}

std::string chooseButtonImage(const ButtonImageNames& images, bool down, bool focused, bool enabled,
                              const std::function<bool(std::string_view)>& exists) {
    if (down && exists(images.down)) return images.down;
    if (focused && exists(images.focus)) return images.focus;
    if (!enabled && exists(images.disabled)) return images.disabled;
    return exists(images.up) ? images.up : std::string();
}

SkinButton::SkinButton(WindowSystem& windows, int controlId, std::string caption)
    : windows_(windows), window_(windows.createWindow(*this)), id_(controlId),
      caption_(std::move(caption)) {}

SkinButton::~SkinButton() { windows_.destroyWindow(window_); }

void SkinButton::paint(Canvas& canvas, bool focused, bool enabled) const {
    auto exists = [&](std::string_view name) { return canvas.bitmapSize(name) != Size{}; };
    std::string image = chooseButtonImage(images(), showsDown(), focused, enabled, exists);
    if (!image.empty()) canvas.drawBitmap(image, {0, 0});
}

Size SkinButton::size(const Canvas& canvas) const { return canvas.bitmapSize(images().up); }

LResult SkinButton::onMessage(Msg, WParam, LParam) { return 0; }

void SkinButton::sendToParent(Msg msg) {
    windows_.send(parent_, msg, static_cast<WParam>(id_), static_cast<LParam>(window_));
}

void SkinButton::changed() {
    if (onChanged) onChanged();
}

}  // namespace tovik::ui
