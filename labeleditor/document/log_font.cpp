#include "labeleditor/document/log_font.h"

#include <algorithm>

namespace tovik::label {

namespace {

void putI32(std::uint8_t* out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t getI32(const std::uint8_t* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::string LogFont::face() const {
    // Bounded even when someone filled the array by hand without a terminator.
    const char* end = std::find(faceName.begin(), faceName.end(), '\0');
    return std::string(faceName.data(), static_cast<std::size_t>(end - faceName.data()));
}

void LogFont::setFace(std::string_view name) {
    faceName.fill('\0');
    std::size_t n = std::min(name.find('\0'), name.size());
    n = std::min(n, kFaceSize - 1);
    std::copy_n(name.data(), n, faceName.data());
}

LogFontBytes LogFont::toBytes() const {
    LogFontBytes b{};
    putI32(&b[0], height);
    putI32(&b[4], width);
    putI32(&b[8], escapement);
    putI32(&b[12], orientation);
    putI32(&b[16], weight);
    b[20] = italic;
    b[21] = underline;
    b[22] = strikeOut;
    b[23] = charSet;
    b[24] = outPrecision;
    b[25] = clipPrecision;
    b[26] = quality;
    b[27] = pitchAndFamily;
    std::copy(faceName.begin(), faceName.end(), b.begin() + 28);
    return b;
}

LogFont LogFont::fromBytes(std::span<const std::uint8_t, kLogFontSize> b) {
    LogFont f;
    f.height = getI32(&b[0]);
    f.width = getI32(&b[4]);
    f.escapement = getI32(&b[8]);
    f.orientation = getI32(&b[12]);
    f.weight = getI32(&b[16]);
    f.italic = b[20];
    f.underline = b[21];
    f.strikeOut = b[22];
    f.charSet = b[23];
    f.outPrecision = b[24];
    f.clipPrecision = b[25];
    f.quality = b[26];
    f.pitchAndFamily = b[27];
    f.setFace(std::string_view(reinterpret_cast<const char*>(&b[28]), kFaceSize));
    return f;
}

}  // namespace tovik::label
