#include "platform/qt/raw_image.h"

#include <QtEndian>

#include <cstring>

namespace tovik::qt {

namespace {

constexpr char kMark[4] = {'T', 'V', 'K', 'I'};
constexpr qsizetype kHeaderSize = 16;
constexpr quint32 kMaxSide = 16384;

bool drawable(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

QByteArray encodeRawImage(const QImage& source) {
    const QImage image = source.convertToFormat(
        source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const qsizetype row = qsizetype(image.width()) * 4;
    QByteArray out(kHeaderSize + row * image.height(), Qt::Uninitialized);
    auto* p = reinterpret_cast<uchar*>(out.data());
    std::memcpy(p, kMark, 4);
    qToLittleEndian<quint32>(quint32(image.width()), p + 4);
    qToLittleEndian<quint32>(quint32(image.height()), p + 8);
    qToLittleEndian<quint32>(quint32(image.format()), p + 12);
    for (int y = 0; y < image.height(); ++y) std::memcpy(p + kHeaderSize + y * row, image.constScanLine(y), row);
    return out;
}

QImage rawImageView(const uchar* data, qsizetype size) {
    if (!data || size < kHeaderSize || std::memcmp(data, kMark, 4) != 0) return {};
    const quint32 width = qFromLittleEndian<quint32>(data + 4);
    const quint32 height = qFromLittleEndian<quint32>(data + 8);
    const auto format = QImage::Format(qFromLittleEndian<quint32>(data + 12));
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || !drawable(format)) return {};
    const qsizetype row = qsizetype(width) * 4;
    if (size - kHeaderSize < row * qsizetype(height)) return {};
    return QImage(data + kHeaderSize, int(width), int(height), row, format);
}

}  // namespace tovik::qt
