#include "view/pixel_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace korvane {

namespace {

// Liang-Barsky: the part [t0, t1] of the segment inside [left, right] x
// [top, bottom]; false when it misses the box.
bool clipParameters(double x0, double y0, double x1, double y1, double left, double top,
                    double right, double bottom, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) return false;
            if (r > t0) t0 = r;
        } else {
            if (r < t0) return false;
            if (r < t1) t1 = r;
        }
    }
    return true;
}

// Ends farther out than this are first pulled in along the segment, so the
// step arithmetic below cannot overflow; such a segment may then lie a
// fraction of a pixel off its true slope.
constexpr std::int64_t kFarPixels = std::int64_t{1} << 29;

void pullIn(std::int64_t& x0, std::int64_t& y0, std::int64_t& x1, std::int64_t& y1) {
    const auto far = [](std::int64_t v) { return v < -kFarPixels || v > kFarPixels; };
    if (!far(x0) && !far(y0) && !far(x1) && !far(y1)) return;
    const double f = static_cast<double>(kFarPixels);
    double t0 = 0, t1 = 1;
    const double ax = x0, ay = y0, bx = x1, by = y1;
    if (!clipParameters(ax, ay, bx, by, -f, -f, f, f, t0, t1)) t0 = t1 = 0;
    x0 = std::llround(ax + t0 * (bx - ax));
    y0 = std::llround(ay + t0 * (by - ay));
    x1 = std::llround(ax + t1 * (bx - ax));
    y1 = std::llround(ay + t1 * (by - ay));
}

// The segment's pixels are those of the Bresenham line between its ends:
// at major-axis step i the minor axis has moved round(i * minor / major),
// halves rounded on. The closed form lets a segment that leaves the image
// start at its edge on the pixels the whole line has there, where clipping
// the segment and rounding its new ends would tilt it by up to half a pixel.
void drawSegment(QImage& image, QPoint a, QPoint b, QRgb colour) {
    const int w = image.width(), h = image.height();
    std::int64_t x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    pullIn(x0, y0, x1, y1);
    const std::int64_t adx = std::abs(x1 - x0), ady = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const bool xMajor = adx >= ady;
    const std::int64_t major = std::max(adx, ady), minor = std::min(adx, ady);

    const bool inside =
        x0 >= 0 && x0 < w && y0 >= 0 && y0 < h && x1 >= 0 && x1 < w && y1 >= 0 && y1 < h;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    if (inside) {
        // Most segments of a track are a few pixels long and inside: one
        // pixel index stepped along, no division, no bounds.
        auto* pixels = reinterpret_cast<QRgb*>(bits);
        const qsizetype row = stride / static_cast<qsizetype>(sizeof(QRgb));
        const qsizetype majorStep = xMajor ? sx : sy * row, minorStep = xMajor ? sy * row : sx;
        qsizetype at = y0 * row + x0;
        std::int64_t remainder = major;
        for (std::int64_t i = 0; i <= major; ++i) {
            pixels[at] = colour;
            at += majorStep;
            remainder += 2 * minor;
            if (remainder >= 2 * major) {
                remainder -= 2 * major;
                at += minorStep;
            }
        }
        return;
    }

    // A drawn pixel lies within half a pixel of the line, so the steps that
    // can reach the image are those of the line inside the image grown by a
    // pixel, and one step more each way for rounding.
    double t0 = 0, t1 = 1;
    if (!clipParameters(x0, y0, x1, y1, -1, -1, w, h, t0, t1)) return;
    const std::int64_t first =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(t0 * major)) - 1);
    const std::int64_t last =
        std::min<std::int64_t>(major, static_cast<std::int64_t>(std::ceil(t1 * major)) + 1);

    // The minor axis at step `first` as a quotient and remainder of
    // (2 * minor * step + major) / (2 * major), then carried step by step.
    const std::int64_t twiceMajor = 2 * std::max<std::int64_t>(major, 1);
    const std::int64_t start = 2 * minor * first + major;
    std::int64_t minorSteps = start / twiceMajor, remainder = start % twiceMajor;
    std::int64_t x = x0 + sx * (xMajor ? first : minorSteps);
    std::int64_t y = y0 + sy * (xMajor ? minorSteps : first);
    const int majorX = xMajor ? sx : 0, majorY = xMajor ? 0 : sy;
    const int minorX = xMajor ? 0 : sx, minorY = xMajor ? sy : 0;

    // QPainter lights, at each major step, the pixel n whose cell [n, n + 1)
    // holds the line half a pixel further on along the major axis. Inside
    // the image that is at most a pixel from the rounding above, but on an
    // edge row the two cut a steep line's run at different places, pixels
    // apart; so the edge rows take QPainter's pixel.
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const std::int64_t minorSize = xMajor ? h : w;
    const int minorSign = xMajor ? sy : sx, majorSign = xMajor ? sx : sy;
    const auto painterMinor = [&](std::int64_t i) {
        // Not past the segment's ends, where QPainter draws no pixel.
        const std::int64_t num = minor * std::clamp<std::int64_t>(2 * i + majorSign, 0, 2 * major);
        const std::int64_t moved =
            minorSign > 0 ? num / twiceMajor : -((num + twiceMajor - 1) / twiceMajor);
        return minorStart + moved;
    };

    for (std::int64_t i = first; i <= last; ++i) {
        std::int64_t px = x, py = y;
        std::int64_t& across = xMajor ? py : px;
        if (across == 0 || across == minorSize - 1 || across == minorSize) across = painterMinor(i);
        if (px >= 0 && px < w && py >= 0 && py < h)
            reinterpret_cast<QRgb*>(bits + py * stride)[px] = colour;
        x += majorX;
        y += majorY;
        remainder += 2 * minor;
        if (remainder >= twiceMajor) {
            remainder -= twiceMajor;
            x += minorX;
            y += minorY;
        }
    }
}

}  // namespace

bool acceptsPixelLines(const QImage& image) {
    return !image.isNull() &&
           (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
            image.format() == QImage::Format_ARGB32_Premultiplied);
}

void drawPixelPolyline(QImage& image, const QPolygon& points, QRgb colour) {
    for (int i = 1; i < points.size(); ++i) drawSegment(image, points[i - 1], points[i], colour);
    if (points.size() == 1) drawSegment(image, points[0], points[0], colour);
}

}  // namespace korvane
