// Images kept as pixels: what is written comes back pixel for pixel without a copy, and bytes
// that are not such an image give no image rather than a read past their end.
#include "platform/qt/raw_image.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace tovik::qt {
namespace {

QImage sample(bool transparent) {
    QImage image(7, 5, QImage::Format_ARGB32_Premultiplied);
    image.fill(transparent ? Qt::transparent : Qt::white);
    {
        QPainter p(&image);
        p.fillRect(1, 1, 3, 2, QColor(200, 30, 40, transparent ? 128 : 255));
    }
    return transparent ? image : image.convertToFormat(QImage::Format_RGB32);
}

TEST(RawImage, WrittenPixelsComeBackAsTheyWereWithoutACopy) {
    for (bool transparent : {false, true}) {
        const QImage original = sample(transparent);
        const QByteArray bytes = encodeRawImage(original);
        const QImage view = rawImageView(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
        ASSERT_FALSE(view.isNull());
        EXPECT_EQ(view.format(), transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)
            << "an image without transparency is drawn without blending";
        EXPECT_EQ(view.convertToFormat(QImage::Format_ARGB32), original.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar*>(bytes.constData()) + 16);
    }
}

TEST(RawImage, BytesThatAreNoImageGiveNone) {
    const QByteArray good = encodeRawImage(sample(false));
    auto view = [](const QByteArray& b) {
        return rawImageView(reinterpret_cast<const uchar*>(b.constData()), b.size());
    };
    EXPECT_TRUE(view(good.left(good.size() - 1)).isNull()) << "one pixel byte short";
    EXPECT_TRUE(view(good.left(15)).isNull()) << "no whole header";
    QByteArray mark = good;
    mark[0] = 'X';
    EXPECT_TRUE(view(mark).isNull());
    QByteArray format = good;
    format[12] = char(QImage::Format_Indexed8);
    EXPECT_TRUE(view(format).isNull()) << "only the two 32-bit formats are drawn as they are";
    QByteArray huge = good;
    huge[7] = char(0x7F);  // a width far past the bytes there are
    EXPECT_TRUE(view(huge).isNull());
    EXPECT_TRUE(rawImageView(nullptr, 100).isNull());
}

}  // namespace
}  // namespace tovik::qt
