// The committed sample coastline files, read the way a race reads them: the
// tiles (old datum) must land on the same shore as the user file (GPS
// datum) cut from the same shoreline data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/file_io.h"
#include "coast/coast_loader.h"
#include "coast/corridor_mask.h"
#include "coast/user_coast.h"

namespace korvane {
namespace {

const std::filesystem::path kCoastFolder =
    std::filesystem::path(KORVANE_SOURCE_DIR) / "sample" / "coastline";

CoastArea areaAround(double south, double north, double west, double east) {
    CoastArea a;
    a.known = true;
    a.trackBox = {north, south, east, west};
    a.centreLat = (north + south) / 2;
    a.centreLon = (east + west) / 2;
    a.cosLat = std::cos(a.centreLat / 60 * std::numbers::pi / 180);
    a.latSpan = std::max((north - south) * 1.2, (east - west) * 1.2 * a.cosLat);
    a.lonSpan = a.latSpan / a.cosLat;
    return a;
}

// Metres from p to the nearest segment of the coastline.
double metresToShore(const GeoPoint& p, const Coastline& shore, double cosLat) {
    double best = std::numeric_limits<double>::max();
    for (const auto& line : shore.polylines)
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const double ax = (line[i].lonMinutes - p.lonMinutes) * cosLat;
            const double ay = line[i].latMinutes - p.latMinutes;
            const double bx = (line[i + 1].lonMinutes - p.lonMinutes) * cosLat;
            const double by = line[i + 1].latMinutes - p.latMinutes;
            const double dx = bx - ax, dy = by - ay;
            const double len2 = dx * dx + dy * dy;
            const double t = len2 > 0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0;
            best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
        }
    return best * 1852;
}

TEST(SampleCoast, TilesLandOnTheUserFileShore) {
    // The demo race off Enoshima: tiles 5239 and 5339.
    const CoastArea area = areaAround(2110, 2117, 8364, 8373);
    const CoastData tiles = loadCoastline(kCoastFolder, {}, area, {});
    ASSERT_EQ(tiles.files, (std::vector<std::string>{"5239", "5339"}));
    ASSERT_GT(tiles.coastline.pointCount(), 500u);

    const auto userText = readFileBytes(kCoastFolder / "shonan.cst");
    ASSERT_TRUE(userText);
    Coastline user;
    readUserCoast(*userText, user);
    ASSERT_GT(user.pointCount(), 500u);

    // The user file covers 35°00'-35°30' N, 139°12'-139°48' E; compare the
    // tile points well inside it.
    double worst = 0;
    std::size_t compared = 0;
    for (const auto& line : tiles.coastline.polylines)
        for (const GeoPoint& p : line) {
            if (p.latMinutes < 2101 || p.latMinutes > 2129 || p.lonMinutes < 8353 ||
                p.lonMinutes > 8387)
                continue;
            worst = std::max(worst, metresToShore(p, user, area.cosLat));
            ++compared;
        }
    EXPECT_GT(compared, 300u);
    EXPECT_LT(worst, 10.0);
    RecordProperty("worstMetres", std::to_string(worst));
}

TEST(SampleCoast, WholeCountryFileKeepsTheShoreAlongAnOffshoreTrack) {
    // Enoshima to the south of Izu Oshima and back: over 60 minutes.
    std::vector<GeoPoint> track;
    for (int i = 0; i <= 600; ++i)
        track.push_back({2116 - i * 0.065, 8368 - std::sin(i / 190.0) * 8});
    for (int i = 600; i >= 0; --i)
        track.push_back({2116 - i * 0.065, 8370 + std::sin(i / 190.0) * 4});
    const CoastArea area = areaAround(2077, 2116, 8360, 8374);
    ASSERT_GT(area.sizeMinutes(), 60);
    const CoastData data = loadCoastline(kCoastFolder, {}, area, {corridorPath(track)});
    ASSERT_EQ(data.files, std::vector<std::string>{"jcoast"});
    ASSERT_GT(data.coastline.pointCount(), 100u);

    // Every kept polyline begins inside the corridor.
    const CorridorMask mask(area, {corridorPath(track)});
    bool oshima = false;
    for (const auto& line : data.coastline.polylines) {
        EXPECT_TRUE(mask.isRed(line.front().latMinutes, line.front().lonMinutes));
        for (const GeoPoint& p : line)
            oshima = oshima || (p.latMinutes > 2080 && p.latMinutes < 2088 && p.lonMinutes > 8361 &&
                                p.lonMinutes < 8367);
    }
    EXPECT_TRUE(oshima);

    // The whole file holds much more than the corridor keeps.
    const auto bytes = readFileBytes(kCoastFolder / "jcoast.cst");
    ASSERT_TRUE(bytes);
    EXPECT_LT(data.coastline.pointCount(), bytes->size() / 8);
}

TEST(SampleCoast, LightsNearTheDemoRace) {
    const CoastData data = loadCoastline(kCoastFolder, {}, areaAround(2110, 2117, 8364, 8373), {});
    std::vector<std::string> names;
    for (const Landmark& l : data.landmarks) names.push_back(l.name);
    EXPECT_NE(std::find(names.begin(), names.end(), "江の島灯台"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "城ヶ島灯台"), names.end());
    // Kannonzaki lies more than 5' east of the tracks.
    EXPECT_EQ(std::find(names.begin(), names.end(), "観音埼灯台"), names.end());
}

}  // namespace
}  // namespace korvane
