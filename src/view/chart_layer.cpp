#include "view/chart_layer.h"

#include <QPolygonF>
#include <QThread>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

namespace korvane {

namespace {

constexpr double kPi = std::numbers::pi;
// Mercator has no tile beyond these latitudes.
constexpr double kMaxMercatorLatDegrees = 85.0511;
constexpr int kAttributionMargin = 4;
// More bands than this buy nothing at a map's size.
constexpr int kMostChartBands = 4;

double tileX(double lonDegrees, int z) {
    return (lonDegrees + 180) / 360 * std::ldexp(1.0, z);
}

double tileY(double latDegrees, int z) {
    const double lat =
        std::clamp(latDegrees, -kMaxMercatorLatDegrees, kMaxMercatorLatDegrees) * kPi / 180;
    return (1 - std::asinh(std::tan(lat)) / kPi) / 2 * std::ldexp(1.0, z);
}

// One tile placed on the screen.
struct PlacedTile {
    const QImage* image = nullptr;
    QTransform transform;
    QRectF screenBox;
};

void placeTiles(const Viewport& v, TileSource& source, int zoom, const std::vector<TileKey>& keys,
                std::vector<PlacedTile>& out) {
    for (const TileKey& key : keys) {
        const QImage* image = source.tile(key);
        if (!image || image->isNull()) continue;
        // A tile's edges are a meridian and a parallel each, and the view is
        // linear in both, so a tile is a parallelogram on screen: an affine
        // map from three corners is exact and keeps the raster engine on its
        // fast paths, where a projective one would not.
        const auto corner = [&](int dx, int dy) {
            const GeoPoint g = tileCorner(zoom, key.x + dx, key.y + dy);
            const ScreenPoint s = v.toScreen(g.latMinutes, g.lonMinutes);
            return QPointF(s.x, s.y);
        };
        const QPointF origin = corner(0, 0);
        // A tile of another size is stretched onto the same square.
        const QPointF across = (corner(1, 0) - origin) / image->width();
        const QPointF down = (corner(0, 1) - origin) / image->height();
        const QTransform t(across.x(), across.y(), down.x(), down.y(), origin.x(), origin.y());
        out.push_back({image, t, t.mapRect(QRectF(image->rect()))});
    }
}

void drawPlaced(QPainter& p, const std::vector<PlacedTile>& tiles, const QRectF& band) {
    for (const PlacedTile& tile : tiles) {
        if (!tile.screenBox.intersects(band)) continue;
        p.setTransform(tile.transform * QTransform::fromTranslate(-band.x(), -band.y()));
        p.drawImage(QPointF(0, 0), *tile.image);
    }
    p.resetTransform();
}

// Stretching the tiles onto the screen is most of the chart's cost, and
// each pixel is independent: split the image into bands, one a core.
void drawInBands(QImage& image, const std::vector<PlacedTile>& tiles) {
    const int cores = std::clamp(QThread::idealThreadCount(), 1, kMostChartBands);
    const int rows = image.height();
    const int bandRows = (rows + cores - 1) / cores;
    const auto drawBand = [&](int first) {
        const int count = std::min(bandRows, rows - first);
        // A band is the image's own rows; no pixel is copied.
        QImage band(image.scanLine(first), image.width(), count,
                    static_cast<qsizetype>(image.bytesPerLine()), image.format());
        QPainter p(&band);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        drawPlaced(p, tiles, QRectF(0, first, image.width(), count));
    };
    std::vector<std::jthread> helpers;
    for (int first = bandRows; first < rows; first += bandRows)
        helpers.emplace_back(drawBand, first);
    drawBand(0);
}

// Every screen corner within the latitudes that have tiles and short of
// the date line, where the tile numbers would wrap.
bool withinTiledWorld(const Viewport& v) {
    for (const auto& [sx, sy] :
         {std::pair{0, 0}, {v.width, 0}, {v.width, v.height}, {0, v.height}}) {
        const GeoPoint g = v.fromScreen(sx, sy);
        if (!(std::abs(g.latMinutes) < kMaxMercatorLatDegrees * 60) ||
            !(std::abs(g.lonMinutes) < 180 * 60))
            return false;
    }
    return true;
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

void drawChartLayer(QPainter& p, const Viewport& v, const ChartInput& chart,
                    std::optional<QColor> sea) {
    if (!chart.chart) {
        if (sea) p.fillRect(QRect(0, 0, v.width, v.height), *sea);
        return;
    }
    const int zoom = chartZoomFor(v);
    const std::vector<TileKey> keys = tilesInView(v, zoom);
    // Asked for here, on the painter's thread, as a source need not be
    // safe to ask from others.
    std::vector<PlacedTile> tiles;
    placeTiles(v, *chart.chart, zoom, keys, tiles);
    // The tiles in view tile the screen when every one is here and the
    // screen lies within the tiled world.
    if (sea && (keys.empty() || tiles.size() != keys.size() || !withinTiledWorld(v)))
        p.fillRect(QRect(0, 0, v.width, v.height), *sea);
    if (chart.seamarks) placeTiles(v, *chart.seamarks, zoom, keys, tiles);
    if (tiles.empty()) return;
    // Bands write to the image underneath the painter, which is only sound
    // while the painter itself neither clips, moves nor blends differently.
    QPaintDevice* device = p.device();
    if (device && device->devType() == QInternal::Image && !p.hasClipping() &&
        p.transform().isIdentity() && p.opacity() == 1 &&
        p.compositionMode() == QPainter::CompositionMode_SourceOver) {
        auto* image = static_cast<QImage*>(device);
        if (image->width() == v.width && image->height() == v.height) {
            drawInBands(*image, tiles);
            return;
        }
    }
    p.save();
    // Unsmoothed: a turned, smoothed chart would cost more than the rest of
    // the frame, and the tile zoom keeps the stretch near one.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    drawPlaced(p, tiles, QRectF(0, 0, v.width, v.height));
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
