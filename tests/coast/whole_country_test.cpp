#include "coast/whole_country.h"

#include "coast/corridor_mask.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

namespace korvane {
namespace {

// Tracks from (2100', 8370') to (2160', 8430'): the drawn area is 72' of
// latitude high, area size 100.9', so h = 30' and y-scale = 150 / 72.
CoastArea diagonalArea() {
    CoastArea a;
    a.known = true;
    a.trackBox = {2160, 2100, 8430, 8370};
    a.centreLat = 2130;
    a.centreLon = 8400;
    a.cosLat = std::cos(2130.0 / 60 * std::numbers::pi / 180);
    a.latSpan = 72;
    a.lonSpan = 72 / a.cosLat;
    return a;
}

// The tracks as the race opening hands them to the corridor.
std::vector<std::vector<GeoPoint>> paths(const std::vector<std::vector<GeoPoint>>& tracks) {
    std::vector<std::vector<GeoPoint>> out;
    for (const auto& t : tracks) out.push_back(corridorPath(t));
    return out;
}

std::vector<std::vector<GeoPoint>> diagonalTrack() {
    std::vector<GeoPoint> track;
    for (int i = 0; i <= 200; ++i) track.push_back({2100 + i * 0.3, 8370 + i * 0.3});
    return {track};
}

void putRecord(std::string& bytes, float lat, float lon) {
    for (float v : {lat, lon}) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>(bits >> (8 * b) & 0xFF));
    }
}

TEST(CorridorMask, PenIsTwiceTheHalfWidthInPixels) {
    const CorridorMask mask(diagonalArea(), paths(diagonalTrack()));
    EXPECT_DOUBLE_EQ(mask.halfWidthMinutes(), 30);
    EXPECT_EQ(mask.penWidth(), static_cast<int>(std::trunc(30 * 150.0 / 72 * 2)));
    int x = 0, y = 0;
    ASSERT_TRUE(mask.pixelOf(2130, 8400, x, y));
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 150);
    EXPECT_FALSE(mask.pixelOf(2130, 8600, x, y));
}

TEST(CorridorMask, RedAlongTheTrackOnly) {
    const CorridorMask mask(diagonalArea(), paths(diagonalTrack()));
    EXPECT_TRUE(mask.isRed(2100, 8370));
    EXPECT_TRUE(mask.isRed(2160, 8430));
    EXPECT_TRUE(mask.isRed(2130, 8440));   // 40' east of the line's middle
    EXPECT_FALSE(mask.isRed(2130, 8470));  // 70' east
    EXPECT_FALSE(mask.isRed(2080, 8450));
}

TEST(CorridorMask, NoTrackNoCorridor) {
    const CorridorMask mask(diagonalArea(), {{}});
    EXPECT_FALSE(mask.isRed(2130, 8400));
}

TEST(CorridorMask, ShortTracksAndTrackEndsCount) {
    // A one-fix track still marks its spot; a track of 150 fixes reaches
    // its last fix, not only fix 101.
    std::vector<GeoPoint> longTrack;
    for (int i = 0; i < 150; ++i) longTrack.push_back({2100 + i * 0.4, 8330});
    const CorridorMask mask(diagonalArea(), paths({{GeoPoint{2100, 8470}}, longTrack}));
    EXPECT_TRUE(mask.isRed(2100, 8470));
    EXPECT_FALSE(mask.isRed(2100, 8400));
    EXPECT_TRUE(mask.isRed(2159.6, 8330));
    EXPECT_TRUE(mask.isRed(2185, 8330));
}

TEST(WholeCountry, KeepsPolylinesThatTouchTheTracksFromWhereTheyEnter) {
    const CoastArea area = diagonalArea();
    const CorridorMask mask(area, paths(diagonalTrack()));
    std::string bytes;
    // Far from the tracks: dropped whole.
    putRecord(bytes, -2130, 8470);
    putRecord(bytes, 2131, 8475);
    // Approaches from the east: kept from the first point in the corridor,
    // then unchanged even where it leaves it again.
    putRecord(bytes, -2130, 8480);
    putRecord(bytes, 2130, 8470);
    putRecord(bytes, 2130, 8440);
    putRecord(bytes, 2130, 8480);
    // Starts on the tracks: kept whole.
    putRecord(bytes, -2100, 8370);
    putRecord(bytes, 2000, 8300);
    Coastline coast;
    filterWholeCountry(bytes, mask, area.trackBox, coast);
    ASSERT_EQ(coast.polylines.size(), 2u);
    ASSERT_EQ(coast.polylines[0].size(), 2u);
    EXPECT_DOUBLE_EQ(coast.polylines[0][0].lonMinutes, 8440);
    EXPECT_DOUBLE_EQ(coast.polylines[0][1].lonMinutes, 8480);
    ASSERT_EQ(coast.polylines[1].size(), 2u);
    EXPECT_DOUBLE_EQ(coast.polylines[1][0].latMinutes, 2100);
    EXPECT_DOUBLE_EQ(coast.polylines[1][1].latMinutes, 2000);
}

TEST(WholeCountry, OnlyStartRecordsMayEnterBeyondTheTrackBounds) {
    // 33' east of the tracks' end the round pen end is still red, but it is
    // beyond h = 30' of the track bounds.
    const CoastArea area = diagonalArea();
    const CorridorMask mask(area, paths(diagonalTrack()));
    ASSERT_TRUE(mask.isRed(2160, 8463));
    std::string inner;
    putRecord(inner, -2300, 8300);
    putRecord(inner, 2160, 8463);
    Coastline coast;
    filterWholeCountry(inner, mask, area.trackBox, coast);
    EXPECT_TRUE(coast.empty());

    std::string start;
    putRecord(start, -2160, 8463);
    filterWholeCountry(start, mask, area.trackBox, coast);
    EXPECT_EQ(coast.pointCount(), 1u);
}

TEST(WholeCountry, SkipsAPartialRecordAndNonFiniteValues) {
    const CoastArea area = diagonalArea();
    const CorridorMask mask(area, paths(diagonalTrack()));
    std::string bytes;
    putRecord(bytes, -2100, 8370);
    putRecord(bytes, std::numeric_limits<float>::quiet_NaN(), 8371);
    putRecord(bytes, 2101, std::numeric_limits<float>::infinity());
    putRecord(bytes, 2102, 8372);
    bytes += "\x01\x02\x03";
    Coastline coast;
    filterWholeCountry(bytes, mask, area.trackBox, coast);
    ASSERT_EQ(coast.polylines.size(), 1u);
    EXPECT_EQ(coast.polylines[0].size(), 2u);
}

}  // namespace
}  // namespace korvane
