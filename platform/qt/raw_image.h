#pragma once
// Images kept as their pixels, ready to draw: a 16-byte header ("TVKI", width, height, QImage
// format, little-endian 32-bit each) and then the rows, 4 bytes a pixel. The skin's 1x images
// are compiled in this way, uncompressed, so a program draws them straight from its own
// mapped file: nothing to decode at start and no second copy in memory.

#include <QByteArray>
#include <QImage>

namespace tovik::qt {

// The image at 32 bits a pixel: premultiplied when its format has an alpha channel, else RGB32.
QByteArray encodeRawImage(const QImage& image);

// An image over the bytes, without copying them: they must outlive it and every copy of it.
// Null when the bytes are not such an image (too short, wrong mark, unknown format).
QImage rawImageView(const uchar* data, qsizetype size);

}  // namespace tovik::qt
