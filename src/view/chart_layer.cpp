#include "view/chart_layer.h"

#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvane {

namespace {

constexpr double kPi = std::numbers::pi;
// Mercator has no tile beyond these latitudes.
constexpr double kMaxMercatorLatDegrees = 85.0511;
constexpr int kAttributionMargin = 4;

double tileX(double lonDegrees, int z) {
    return (lonDegrees + 180) / 360 * std::ldexp(1.0, z);
}

double tileY(double latDegrees, int z) {
    const double lat =
        std::clamp(latDegrees, -kMaxMercatorLatDegrees, kMaxMercatorLatDegrees) * kPi / 180;
    return (1 - std::asinh(std::tan(lat)) / kPi) / 2 * std::ldexp(1.0, z);
}

void drawTiles(QPainter& p, const Viewport& v, TileSource& source, int zoom,
               const std::vector<TileKey>& keys) {
    // Four corners: a polygon from a rectangle would be closed with a fifth.
    const QPolygonF square{QPointF(0, 0), QPointF(kTilePixels, 0),
                           QPointF(kTilePixels, kTilePixels), QPointF(0, kTilePixels)};
    for (const TileKey& key : keys) {
        const QImage* image = source.tile(key);
        if (!image || image->isNull()) continue;
        QPolygonF corners;
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
            const GeoPoint g = tileCorner(zoom, key.x + dx, key.y + dy);
            const ScreenPoint s = v.toScreen(g.latMinutes, g.lonMinutes);
            corners << QPointF(s.x, s.y);
        }
        QTransform t;
        if (!QTransform::quadToQuad(square, corners, t)) continue;
        p.setTransform(t);
        // A tile of another size is stretched onto the same square.
        p.drawImage(QRectF(0, 0, kTilePixels, kTilePixels), *image);
    }
    p.resetTransform();
}

}  // namespace

int chartZoomFor(const Viewport& v) {
    // Screen pixels per degree of longitude against a tile's at zoom 0.
    const double ratio = v.lonScale * 60 * 360 / kTilePixels;
    if (!(ratio > 0) || !std::isfinite(ratio)) return 0;
    return std::clamp(static_cast<int>(std::lround(std::log2(ratio))), 0, kMaxChartZoom);
}

GeoPoint tileCorner(int z, double x, double y) {
    const double n = std::ldexp(1.0, z);
    const double lon = x / n * 360 - 180;
    const double lat = std::atan(std::sinh(kPi * (1 - 2 * y / n))) * 180 / kPi;
    return {lat * 60, lon * 60};
}

std::vector<TileKey> tilesInView(const Viewport& v, int zoom) {
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (const auto& [sx, sy] :
         {std::pair{0, 0}, {v.width, 0}, {v.width, v.height}, {0, v.height}}) {
        const GeoPoint g = v.fromScreen(sx, sy);
        const double x = tileX(g.lonMinutes / 60, zoom);
        const double y = tileY(g.latMinutes / 60, zoom);
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    const double n = std::ldexp(1.0, zoom);
    if (!std::isfinite(minX + maxX + minY + maxY)) return {};
    const auto first = [](double a) { return static_cast<int>(std::max(0.0, std::floor(a))); };
    const auto last = [n](double a) { return static_cast<int>(std::min(n - 1, std::floor(a))); };
    const int x0 = first(minX), x1 = last(maxX), y0 = first(minY), y1 = last(maxY);
    if (x1 < x0 || y1 < y0) return {};
    if (static_cast<double>(x1 - x0 + 1) * (y1 - y0 + 1) > 4 * kMaxTilesInView) return {};
    // A turned view's box holds tiles that only touch its corners' box.
    const QRectF screen(0, 0, v.width, v.height);
    std::vector<TileKey> keys;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            QPolygonF corners;
            for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
                const GeoPoint g = tileCorner(zoom, x + dx, y + dy);
                const ScreenPoint s = v.toScreen(g.latMinutes, g.lonMinutes);
                corners << QPointF(s.x, s.y);
            }
            if (corners.intersects(QPolygonF(screen))) keys.push_back({zoom, x, y});
        }
    if (static_cast<int>(keys.size()) > kMaxTilesInView) return {};
    return keys;
}

void drawChartLayer(QPainter& p, const Viewport& v, const ChartInput& chart) {
    if (!chart.chart) return;
    const int zoom = chartZoomFor(v);
    const std::vector<TileKey> keys = tilesInView(v, zoom);
    if (keys.empty()) return;
    p.save();
    // Unsmoothed: a turned, smoothed chart would cost more than the rest of
    // the frame, and the tile zoom keeps the stretch near one.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    drawTiles(p, v, *chart.chart, zoom, keys);
    if (chart.seamarks) drawTiles(p, v, *chart.seamarks, zoom, keys);
    p.restore();
}

void drawChartAttribution(QPainter& p, const Viewport& v, const ChartInput& chart) {
    if (!chart.chart || chart.attribution.isEmpty()) return;
    const QFontMetrics metrics = p.fontMetrics();
    const int w = metrics.horizontalAdvance(chart.attribution) + 2 * kAttributionMargin;
    const int h = metrics.height();
    const QRect box((v.width - w) / 2, v.height - h - kAttributionMargin, w, h);
    p.fillRect(box, QColor(255, 255, 255, 180));
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, chart.attribution);
}

}  // namespace korvane
