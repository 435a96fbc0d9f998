#include "view/pixel_lines.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cstdlib>

#include "support/one_pixel_match.h"

namespace korvane {
namespace {

int countColour(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == colour;
    return n;
}

TEST(PixelPolyline, DrawsEveryPixelOfEachSegmentIncludingEnds) {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    drawPixelPolyline(img, QPolygon{QPoint(2, 2), QPoint(12, 2), QPoint(12, 7)},
                      qRgb(255, 255, 255));
    EXPECT_EQ(countColour(img, qRgb(255, 255, 255)), 11 + 5);
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(12, 7), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(13, 2), qRgb(0, 0, 0));
}

TEST(PixelPolyline, ClipsSegmentsThatLeaveTheImage) {
    QImage img(50, 40, QImage::Format_RGB32);
    img.fill(Qt::black);
    // Crosses the image diagonally from far outside, and one misses it entirely.
    drawPixelPolyline(img, QPolygon{QPoint(-1000000, -1000000), QPoint(1000000, 1000000)},
                      qRgb(255, 0, 0));
    drawPixelPolyline(img, QPolygon{QPoint(-500, 100), QPoint(500, 100)}, qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(39, 39), qRgb(255, 0, 0));
    EXPECT_EQ(countColour(img, qRgb(255, 0, 0)), 40);
    EXPECT_EQ(countColour(img, qRgb(0, 255, 0)), 0);
}

TEST(PixelPolyline, SegmentsThroughTheEdgesStayWithinOnePixelOfQPainter) {
    // Random segments, most of them crossing the image's edges at every
    // slope, each against QPainter's one-pixel line.
    constexpr int kSize = 40;
    std::srand(3);
    for (int n = 0; n < 400; ++n) {
        const QPoint a(std::rand() % 120 - 40, std::rand() % 120 - 40);
        const QPoint b(std::rand() % 120 - 40, std::rand() % 120 - 40);
        QImage fast(kSize, kSize, QImage::Format_ARGB32_Premultiplied), plain = fast;
        fast.fill(Qt::transparent);
        plain.fill(Qt::transparent);
        drawPixelPolyline(fast, QPolygon{a, b}, qRgb(0, 0, 0));
        QPainter p(&plain);
        p.setPen(QPen(Qt::black, 1));
        p.drawPolyline(QPolygon{a, b});
        p.end();
        const auto m =
            testing::compareWithinOnePixel(testing::drawnPixels(fast), testing::drawnPixels(plain));
        EXPECT_EQ(m.total(), 0) << "segment " << n;
    }
}

TEST(PixelPolyline, TakesOnlyThirtyTwoBitImages) {
    EXPECT_TRUE(acceptsPixelLines(QImage(4, 4, QImage::Format_RGB32)));
    EXPECT_FALSE(acceptsPixelLines(QImage(4, 4, QImage::Format_RGB16)));
    EXPECT_FALSE(acceptsPixelLines(QImage()));
}

}  // namespace
}  // namespace korvane
