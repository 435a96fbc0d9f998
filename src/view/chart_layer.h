// The chart under the map: square Web-Mercator tiles of an XYZ tile server,
// each projected through the viewport by its corners, so the same tiles lie
// right in the flat local map whether it is north up or turned to the wind.
// Where a tile is not (yet) here the sea colour simply shows.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <compare>
#include <optional>
#include <vector>

#include "view/viewport.h"

namespace korvane {

struct TileKey {
    int z = 0;
    int x = 0;
    int y = 0;
    auto operator<=>(const TileKey&) const = default;
};

// Where the tiles come from. Asking for one that is absent may start
// fetching it; the answer stays valid until the next call.
class TileSource {
  public:
    virtual ~TileSource() = default;
    virtual const QImage* tile(const TileKey& key) = 0;
};

struct ChartInput {
    TileSource* chart = nullptr;
    // Drawn over the chart; their pictures are mostly transparent.
    TileSource* seamarks = nullptr;
    // Shown on the map, as the tile servers' licences ask.
    QString attribution;
};

inline constexpr int kTilePixels = 256;
// Deeper tiles than this are not served by the public chart servers.
inline constexpr int kMaxChartZoom = 18;
// A view that would need more tiles than this is drawn without them, so an
// odd viewport never turns into a bulk download.
// A full-HD map turned to the wind needs about 60.
inline constexpr int kMaxTilesInView = 160;

// The tile zoom whose pixels come closest to the map's at its centre.
int chartZoomFor(const Viewport& view);
// The tiles covering the viewport at `zoom`; empty when they would be more
// than kMaxTilesInView.
std::vector<TileKey> tilesInView(const Viewport& view, int zoom);
// A tile corner (x, y in tiles at zoom z) as minutes of latitude/longitude.
GeoPoint tileCorner(int z, double x, double y);

// With `sea`, whatever no tile covers is painted that colour first, so a
// caller drawing a live map over the chart need not clear the image: a
// chart that covers the screen spares the frame one full write.
void drawChartLayer(QPainter& painter, const Viewport& view, const ChartInput& chart,
                    std::optional<QColor> sea = {});
void drawChartAttribution(QPainter& painter, const Viewport& view, const ChartInput& chart);

}  // namespace korvane
