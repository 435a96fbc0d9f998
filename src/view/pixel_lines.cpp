#include "view/pixel_lines.h"

#include <cmath>
#include <cstdlib>

namespace korvane {

namespace {

// Liang-Barsky: clips the segment to [0, w-1] x [0, h-1]; false when it
// misses the image.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, int w, int h) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, (w - 1) - x0, y0, (h - 1) - y0};
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
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    return true;
}

void drawSegment(QImage& image, QPoint a, QPoint b, QRgb colour) {
    const int w = image.width(), h = image.height();
    int x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    const bool inside =
        x0 >= 0 && x0 < w && y0 >= 0 && y0 < h && x1 >= 0 && x1 < w && y1 >= 0 && y1 < h;
    if (!inside) {
        double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
        if (!clipSegment(fx0, fy0, fx1, fy1, w, h)) return;
        x0 = static_cast<int>(std::lround(fx0));
        y0 = static_cast<int>(std::lround(fy0));
        x1 = static_cast<int>(std::lround(fx1));
        y1 = static_cast<int>(std::lround(fy1));
    }
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (x0 >= 0 && x0 < w && y0 >= 0 && y0 < h)
            reinterpret_cast<QRgb*>(bits + y0 * stride)[x0] = colour;
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
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
