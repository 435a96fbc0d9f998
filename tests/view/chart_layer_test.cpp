// The chart's tiles on screen: each tile's pixels land where its corners
// project, north up and turned; the map drawn in bands on several threads
// is the very picture one painter draws; and asked to lay the sea, the
// chart leaves nothing of an uncleared image.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

#include "view/chart_layer.h"

namespace korvane {
namespace {

// Every tile a colour of its own, so a tile drawn in the wrong place or
// shifted by a band's offset shows.
class ColouredTiles : public TileSource {
  public:
    const QImage* tile(const TileKey& key) override {
        auto [it, added] = tiles_.try_emplace(key);
        if (added) {
            it->second = QImage(kTilePixels, kTilePixels, QImage::Format_RGB32);
            it->second.fill(colourOf(key));
        }
        return &it->second;
    }
    static QColor colourOf(const TileKey& key) {
        return QColor((key.x * 37) % 256, (key.y * 53) % 256, (key.x + key.y) % 2 ? 200 : 60);
    }

  private:
    std::map<TileKey, QImage> tiles_;
};

// A source that has every tile but one.
class AllButOne : public ColouredTiles {
  public:
    std::optional<TileKey> missing;
    const QImage* tile(const TileKey& key) override {
        return key == missing ? nullptr : ColouredTiles::tile(key);
    }
};

// Off Valencia at about tile zoom 12; 301 rows split into no even bands.
Viewport valenciaView(bool northUp) {
    Viewport v;
    v.width = 420;
    v.height = 301;
    v.centreLat = 39.45 * 60;
    v.centreLon = -0.30 * 60;
    v.lonScale = 4096.0 * 1.3 * kTilePixels / (60 * 360);
    v.latScale = v.lonScale / std::cos(39.45 * std::numbers::pi / 180);
    v.northUp = northUp;
    v.windDirectionDegrees = northUp ? 0 : 35;
    return v;
}

TEST(ChartLayer, TilesLieOnTheirCornersAndBandsDrawWhatOnePainterDraws) {
    for (const bool northUp : {true, false}) {
        SCOPED_TRACE(northUp ? "north up" : "turned");
        const Viewport v = valenciaView(northUp);
        ColouredTiles tiles;
        const ChartInput chart{&tiles, nullptr, QString()};
        QImage banded(v.width, v.height, QImage::Format_RGB32);
        banded.fill(Qt::black);
        QImage single = banded;
        {
            QPainter p(&banded);
            drawChartLayer(p, v, chart);
        }
        {
            QPainter p(&single);
            // A clipping painter is drawn on directly, never in bands.
            p.setClipRect(single.rect());
            drawChartLayer(p, v, chart);
        }
        EXPECT_EQ(banded, single);

        const int zoom = chartZoomFor(v);
        const std::vector<TileKey> keys = tilesInView(v, zoom);
        ASSERT_GT(keys.size(), 3u);
        int inside = 0;
        for (const TileKey& key : keys) {
            const GeoPoint mid = tileCorner(zoom, key.x + 0.5, key.y + 0.5);
            const ScreenPoint s = v.toScreen(mid.latMinutes, mid.lonMinutes);
            const QPoint at(static_cast<int>(std::lround(s.x)), static_cast<int>(std::lround(s.y)));
            if (!banded.rect().contains(at)) continue;
            ++inside;
            EXPECT_EQ(banded.pixelColor(at), ColouredTiles::colourOf(key)) << key.x << "," << key.y;
        }
        EXPECT_GT(inside, 0);
    }
}

TEST(ChartLayer, TheSeaFillsWhatNoTileCoversAndAnUnclearedImageLeavesNoTrace) {
    const QColor uncleared(255, 0, 255), sea(0, 0, 128);
    for (const bool northUp : {true, false}) {
        SCOPED_TRACE(northUp ? "north up" : "turned");
        const Viewport v = valenciaView(northUp);
        const std::vector<TileKey> keys = tilesInView(v, chartZoomFor(v));
        ASSERT_FALSE(keys.empty());
        const TileKey middle = keys[keys.size() / 2];
        const GeoPoint mid = tileCorner(middle.z, middle.x + 0.5, middle.y + 0.5);
        const ScreenPoint at = v.toScreen(mid.latMinutes, mid.lonMinutes);
        for (const bool oneMissing : {false, true}) {
            AllButOne tiles;
            if (oneMissing) tiles.missing = middle;
            QImage image(v.width, v.height, QImage::Format_RGB32);
            image.fill(uncleared);
            {
                QPainter p(&image);
                drawChartLayer(p, v, ChartInput{&tiles, nullptr, QString()}, sea);
            }
            int left = 0, seaPixels = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    left += image.pixelColor(x, y) == uncleared;
                    seaPixels += image.pixelColor(x, y) == sea;
                }
            EXPECT_EQ(left, 0);
            const QPoint centre(static_cast<int>(at.x), static_cast<int>(at.y));
            if (!oneMissing) {
                EXPECT_EQ(seaPixels, 0);
            } else if (image.rect().contains(centre)) {
                EXPECT_EQ(image.pixelColor(centre), sea);
            }
        }
    }
}

}  // namespace
}  // namespace korvane
