#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tovik::qt {
namespace {

QImage blank(int w, int h, int dpi = 96, qreal ratio = 1) {
    QImage image(static_cast<int>(w * ratio), static_cast<int>(h * ratio), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDevicePixelRatio(ratio);
    return image;
}

QRgb px(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF, kBlack = 0x000000;

// Rows (device y) that hold at least one dark pixel, with the count of dark pixels in each.
std::map<int, int> inkRows(const QImage& image) {
    std::map<int, int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) ++rows[y];
        }
    }
    return rows;
}

TEST(QtCanvasTest, PixelShapesKeepTheirEdgesAndFollowTheViewportOrigin) {
    QImage image = blank(40, 30);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setViewportOrigin({5, 5});
        canvas.fillRect({0, 0, 10, 4}, rgb(255, 0, 0));         // device 5..14 x 5..8
        canvas.frameRect({20, 0, 30, 10}, rgb(0, 0, 255));      // device 25..34 x 5..14
        canvas.edge({0, 10, 10, 20}, rgb(0, 0, 0), rgb(255, 0, 0));  // device 5..14 x 15..24
        EXPECT_EQ(canvas.logicalToDevice({1, 2}), (Point{6, 7}));
        EXPECT_EQ(canvas.deviceToLogical({6, 7}), (Point{1, 2}));
    }
    EXPECT_EQ(px(image, 5, 5), kRed);
    EXPECT_EQ(px(image, 14, 8), kRed);
    EXPECT_EQ(px(image, 15, 8), kWhite);  // right edge left out
    EXPECT_EQ(px(image, 14, 9), kWhite);  // bottom edge left out
    EXPECT_EQ(px(image, 25, 5), kBlue);
    EXPECT_EQ(px(image, 34, 14), kBlue);  // the frame lies just inside
    EXPECT_EQ(px(image, 35, 14), kWhite);
    EXPECT_EQ(px(image, 30, 10), kWhite);
    EXPECT_EQ(px(image, 5, 15), kBlack);   // top-left of the edge
    EXPECT_EQ(px(image, 14, 24), kRed);    // bottom-right
    EXPECT_EQ(px(image, 5, 24), kRed);     // the bottom row belongs to the lower edge
}

TEST(QtCanvasTest, LoMetricPutsYUpAndScalesByTheDeviceResolution) {
    // 254 dpi: one 0.1 mm unit is one pixel; 127 dpi: half a pixel.
    for (int dpi : {254, 127}) {
        QImage image = blank(100, 100, dpi);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter);
            canvas.setMapMode(MapMode::LoMetric);
            canvas.setViewportOrigin({0, 80});
            canvas.fillRect({20, 40, 60, 0}, rgb(255, 0, 0));  // upper edge first
            EXPECT_EQ(canvas.logicalToDevice({20, 40}), (Point{20 * dpi / 254, 80 - 40 * dpi / 254}));
        }
        const int k = dpi == 254 ? 1 : 2;
        EXPECT_EQ(px(image, 20 / k, 80 - 40 / k), kRed) << dpi;
        EXPECT_EQ(px(image, 59 / k, 79), kRed) << dpi;
        EXPECT_EQ(px(image, 59 / k, 80), kWhite) << dpi;  // the logical origin's row is below
        EXPECT_EQ(px(image, 20 / k, 80 - 40 / k - 1), kWhite) << dpi;
    }
}

TEST(QtCanvasTest, LoMetricTextHangsDownFromItsCornerUnmirrored) {
    QImage image = blank(200, 200, 254);
    TextStyle style{FontSpec{"Arial", -60, 400}, rgb(0, 0, 0), std::nullopt};
    Size extent;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setMapMode(MapMode::LoMetric);
        canvas.setViewportOrigin({0, 200});
        canvas.drawText({20, 150}, "L", style);  // device corner (20, 50)
        extent = canvas.textExtent(style.font, "L");
    }
    auto rows = inkRows(image);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.begin()->first, 50);
    EXPECT_LT(rows.rbegin()->first, 50 + extent.cy);
    // An upright L has its foot at the bottom: the lowest row of ink is the widest.
    EXPECT_GT(rows.rbegin()->second, rows.begin()->second * 3);
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 60);
}

TEST(QtCanvasTest, FontHeightsAreCharacterOrCellHeights) {
    QFont character = toQFont(FontSpec{"Arial", -15, 400});
    EXPECT_EQ(character.pixelSize(), 15);
    EXPECT_EQ(QFontInfo(character).family(), "Liberation Sans");

    QImage image = blank(10, 10);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    for (int cell : {12, 16, 26}) {
        Size extent = canvas.textExtent(FontSpec{"Arial", cell, 700}, "Xg");
        EXPECT_NEAR(extent.cy, cell, 1) << cell;
        EXPECT_LT(toQFont(FontSpec{"Arial", cell, 700}).pixelSize(), cell) << cell;
    }
    // The same 0.1 mm text measures the same on a screen and on a fine device.
    QImage fine = blank(10, 10, 1200);
    QPainter finePainter(&fine);
    QtCanvas fineCanvas(finePainter);
    canvas.setMapMode(MapMode::LoMetric);
    fineCanvas.setMapMode(MapMode::LoMetric);
    Size screen = canvas.textExtent(FontSpec{"Arial", -42, 400}, "Track 12 name");
    Size printer = fineCanvas.textExtent(FontSpec{"Arial", -42, 400}, "Track 12 name");
    EXPECT_NEAR(screen.cx, printer.cx, 2);
    EXPECT_NEAR(screen.cy, printer.cy, 1);
}

TEST(QtCanvasTest, OpaqueTextFillsItsRectangleAndClipsWhereAsked) {
    QImage image = blank(120, 30);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        TextStyle style{FontSpec{"Arial", -12}, rgb(255, 255, 255), rgb(0, 0, 255)};
        canvas.drawText({2, 2}, "WWWWWWWWWWWW", style, TextOptions{Rect{0, 0, 40, 20}, Rect{0, 0, 40, 20}});
    }
    EXPECT_EQ(px(image, 0, 19), kBlue);   // the opaque rectangle, corner to corner
    EXPECT_EQ(px(image, 39, 0), kBlue);
    EXPECT_EQ(px(image, 40, 5), kWhite);  // nothing past the clip
    EXPECT_EQ(px(image, 60, 8), kWhite);
}

class QtCanvasBitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QImage once(4, 3, QImage::Format_RGB32);
        once.fill(QColor(255, 0, 0));
        once.setPixel(0, 0, qRgb(0, 255, 0));  // the transparent colour of the mark
        ASSERT_TRUE(once.save(folder.filePath("MARK.png")));
        QImage twice(8, 6, QImage::Format_RGB32);
        twice.fill(QColor(0, 0, 255));
        twice.setPixel(0, 0, qRgb(0, 255, 0));
        twice.setPixel(1, 0, qRgb(0, 255, 0));
        ASSERT_TRUE(twice.save(folder.filePath("MARK@2x.png")));
        ASSERT_TRUE(once.save(folder.filePath("PLAIN.png")));
    }
    QTemporaryDir folder;
};

TEST_F(QtCanvasBitmapTest, DrawsTheSharpImageWhereTheDeviceAsksForIt) {
    SkinImages skin(folder.path());
    QImage normal = blank(10, 10);
    QImage retina = blank(10, 10, 96, 2);
    for (QImage* image : {&normal, &retina}) {
        QPainter painter(image);
        QtCanvas canvas(painter, skin);
        EXPECT_EQ(canvas.bitmapSize("MARK"), (Size{4, 3}));
        EXPECT_EQ(canvas.bitmapSize("NONE"), (Size{}));
        canvas.drawBitmap("MARK", {2, 2});
        canvas.drawBitmap("NONE", {0, 0});
        canvas.drawBitmap("PLAIN", {6, 6});  // no sharp image: the 1x one, scaled
    }
    EXPECT_EQ(px(normal, 3, 3), kRed);
    EXPECT_EQ(px(normal, 6, 5), kWhite);  // 4 x 3 in its own size
    EXPECT_EQ(px(retina, 5, 4), 0x00FF00u);  // device pixels of the @2x image
    EXPECT_EQ(px(retina, 6, 5), kBlue);
    EXPECT_EQ(px(retina, 11, 9), kBlue);
    EXPECT_EQ(px(retina, 12, 9), kWhite);
    EXPECT_EQ(px(retina, 19, 17), kRed);
}

TEST_F(QtCanvasBitmapTest, TransparentCopyLeavesOutTheTopLeftColour) {
    SkinImages skin(folder.path());
    QImage image = blank(10, 10);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, skin);
        auto key = canvas.bitmapPixel("MARK", {0, 0});
        ASSERT_EQ(key, rgb(0, 255, 0));
        EXPECT_EQ(canvas.bitmapPixel("MARK", {4, 0}), std::nullopt);
        canvas.drawBitmapTransparent("MARK", {1, 1}, *key);
        canvas.drawBitmapPart("PLAIN", {6, 6}, Rect{1, 1, 9, 9});  // cut at the bitmap's edge
    }
    EXPECT_EQ(px(image, 1, 1), kWhite);
    EXPECT_EQ(px(image, 2, 1), kRed);
    EXPECT_EQ(px(image, 8, 7), kRed);
    EXPECT_EQ(px(image, 9, 7), kWhite);
    EXPECT_EQ(px(image, 8, 8), kWhite);
}

TEST(QtCanvasPdfTest, AQuarterInchFromTheCornerLandsThereOnPaper) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    const QString file = dir.filePath("page.pdf");
    {
        QPdfWriter writer(file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QtCanvas canvas(painter);
        canvas.setMapMode(MapMode::LoMetric);
        canvas.drawText({250, -250}, "Corner", TextStyle{FontSpec{"Arial", -50}, rgb(0, 0, 0), std::nullopt});
    }
    QProcess run;
    run.start(pdftotext, {"-bbox", file, "-"});
    ASSERT_TRUE(run.waitForFinished(20000));
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    QRegularExpression word(R"re(xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>Corner<)re");
    auto match = word.match(html);
    ASSERT_TRUE(match.hasMatch()) << html.toStdString();
    const double mm = 72.0 / 25.4;
    EXPECT_NEAR(match.captured(1).toDouble() / mm, 25.0, 0.5);  // the glyph's own side bearing
    EXPECT_NEAR(match.captured(2).toDouble() / mm, 25.0, 0.5);
}

}  // namespace
}  // namespace tovik::qt
