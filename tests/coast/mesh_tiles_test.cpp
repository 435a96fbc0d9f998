#include "coast/mesh_tiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace korvane {
namespace {

CoastArea areaOf(double south, double north, double west, double east, double margin,
                 double latSpan, double lonSpan) {
    CoastArea a;
    a.known = true;
    a.trackBox = {north, south, east, west};
    a.centreLat = (north + south) / 2;
    a.centreLon = (east + west) / 2;
    a.latSpan = latSpan;
    a.lonSpan = lonSpan;
    a.marginMinutes = margin;
    return a;
}

struct TileCase {
    const char* label;
    CoastArea area;
    std::vector<std::string> expected;
};

class ChooseCoastFiles : public ::testing::TestWithParam<TileCase> {};

TEST_P(ChooseCoastFiles, ListsTilesSouthToNorthThenWestToEast) {
    EXPECT_EQ(chooseCoastFiles(GetParam().area), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, ChooseCoastFiles,
    ::testing::Values(
        // 35°00'-35°30' N, 139°30'-140°10' E: area size √(30² + 0.64 × 40²) = 43.9.
        TileCase{"FourTiles",
                 areaOf(2100, 2130, 8370, 8410, 0, 30, 40),
                 {"5239", "5240", "5339", "5340"}},
        // The margin reaches into the tile to the north (2120 = 53 × 40) and, 1.4
        // times wider, into the one to the west (8340 = 139 × 60).
        TileCase{"MarginWidensEastWest",
                 areaOf(2113, 2116, 8342, 8345, 5, 4, 5),
                 {"5238", "5239", "5338", "5339"}},
        TileCase{"OneTile", areaOf(2090, 2100, 8370, 8380, 1, 10, 12), {"5239"}},
        // √(50² + 0.64 × 40²) = 58.4 stays with tiles; 61 lat span goes over 60.
        TileCase{"JustTiles", areaOf(2090, 2100, 8370, 8380, 0, 50, 40), {"5239"}},
        TileCase{"WholeCountry", areaOf(2090, 2100, 8370, 8380, 0, 61, 0), {"jcoast.cst"}},
        TileCase{"UnknownArea", CoastArea{}, {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CoastBaseName, CutsBeforeCstInAnyCase) {
    EXPECT_EQ(coastBaseName("5339.cst"), "5339");
    EXPECT_EQ(coastBaseName("Sagami.CST"), "Sagami");
    EXPECT_EQ(coastBaseName("jcoast.cst"), "jcoast");
    EXPECT_EQ(coastBaseName("bay"), "bay");
}

struct CellCase {
    const char* code;
    bool valid;
    double lat;
    double lon;
};

class MeshCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(MeshCell, CornerIsSouthWest) {
    const auto corner = meshCellCorner(GetParam().code);
    ASSERT_EQ(corner.has_value(), GetParam().valid);
    if (!corner) return;
    EXPECT_DOUBLE_EQ(corner->latMinutes, GetParam().lat);
    EXPECT_DOUBLE_EQ(corner->lonMinutes, GetParam().lon);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MeshCell,
    ::testing::Values(CellCase{"533945", true, 2140, 8377.5}, CellCase{"523900", true, 2080, 8340},
                      CellCase{"523977", true, 2115, 8392.5}, CellCase{"53394", false, 0, 0},
                      CellCase{"53394x", false, 0, 0}, CellCase{" 33945", false, 0, 0}));

// Fixed-column records as the tile files hold them.
std::string mRecord(const char* code) {
    return std::string("M ") + code + "\n";
}

std::string lRecord(const std::string& count) {
    std::string line = "L" + std::string(48, ' ') + count;
    return line + "\n";
}

std::string dataRecord(const std::vector<std::pair<int, int>>& pairs) {
    std::string line;
    char buf[16];
    for (const auto& [x, y] : pairs) {
        std::snprintf(buf, sizeof buf, "%5d%5d", x, y);
        line += buf;
    }
    return line + "\n";
}

// Cell 523945: south-west corner 2100', 8377.5'.
constexpr double kCellLat = 2100;
constexpr double kCellLon = 8377.5;
const LatLonBox kWide{2200, 2000, 8450, 8300};

TEST(MeshTile, ReadsPointsInsideTheCellWithTheShift) {
    const std::string tile =
        mRecord("523945") + lRecord("    3") + dataRecord({{0, 0}, {10000, 5000}, {5000, 10000}});
    Coastline coast;
    readMeshTile(tile, kWide, DatumShift{0.2, -0.1}, coast);
    ASSERT_EQ(coast.polylines.size(), 1u);
    const auto& line = coast.polylines[0];
    ASSERT_EQ(line.size(), 3u);
    EXPECT_DOUBLE_EQ(line[0].latMinutes, kCellLat + 0.2);
    EXPECT_DOUBLE_EQ(line[0].lonMinutes, kCellLon - 0.1);
    EXPECT_DOUBLE_EQ(line[1].latMinutes, kCellLat + 2.5 + 0.2);
    EXPECT_DOUBLE_EQ(line[1].lonMinutes, kCellLon + 7.5 - 0.1);
    EXPECT_DOUBLE_EQ(line[2].latMinutes, kCellLat + 5 + 0.2);
    EXPECT_DOUBLE_EQ(line[2].lonMinutes, kCellLon + 3.75 - 0.1);
}

TEST(MeshTile, AnnouncedCountLimitsPointsAcrossRecords) {
    // Nine points announced over two records, the rest of the second record
    // ignored; the next "L" starts a second polyline.
    std::vector<std::pair<int, int>> seven(7, {100, 100});
    const std::string tile = mRecord("523945") + lRecord("9") + dataRecord(seven) +
                             dataRecord(seven) + lRecord("2") + dataRecord(seven);
    Coastline coast;
    readMeshTile(tile, kWide, {}, coast);
    ASSERT_EQ(coast.polylines.size(), 2u);
    EXPECT_EQ(coast.polylines[0].size(), 9u);
    EXPECT_EQ(coast.polylines[1].size(), 2u);
}

TEST(MeshTile, UnreadableCountMeansOnePoint) {
    const std::string tile =
        mRecord("523945") + lRecord("abc") + dataRecord({{1, 1}, {2, 2}, {3, 3}});
    Coastline coast;
    readMeshTile(tile, kWide, {}, coast);
    EXPECT_EQ(coast.pointCount(), 1u);
}

TEST(MeshTile, SkipsCellsOutsideTheArea) {
    // 533945 lies at 2140', north of the extended area's north edge 2130'.
    const LatLonBox ext{2130, 2090, 8400, 8360};
    const std::string tile = mRecord("533945") + lRecord("1") + dataRecord({{1, 1}}) +
                             mRecord("523945") + lRecord("1") + dataRecord({{2, 2}});
    Coastline coast;
    readMeshTile(tile, ext, {}, coast);
    ASSERT_EQ(coast.pointCount(), 1u);
    EXPECT_DOUBLE_EQ(coast.polylines[0][0].latMinutes, kCellLat + 2 * 5.0 / 10000);
}

TEST(MeshTile, SurvivesBrokenRecords) {
    // Data before any cell or polyline, a short "M", a bad pair, a line cut
    // in the middle of a pair, and a tile that announces more than it has.
    const std::string tile = dataRecord({{1, 1}}) + "M 52\n" + dataRecord({{1, 1}}) +
                             mRecord("523945") + dataRecord({{5, 5}}) + lRecord("50") +
                             "  abc  100   10   10   20   20\n" + "   30   3\n";
    Coastline coast;
    readMeshTile(tile, kWide, {}, coast);
    ASSERT_EQ(coast.polylines.size(), 1u);
    // The unreadable first pair is skipped and the next point opens the line.
    ASSERT_EQ(coast.polylines[0].size(), 3u);
    EXPECT_DOUBLE_EQ(coast.polylines[0][0].lonMinutes, kCellLon + 10 * 7.5 / 10000);
    EXPECT_DOUBLE_EQ(coast.polylines[0][2].latMinutes, kCellLat + 3 * 5.0 / 10000);
}

TEST(MeshTile, ClipSplitsPolylinesAtTheWindowEdge) {
    // Window: latitudes (2095, 2130), longitudes (8352.5, 8400).
    const LatLonBox ext{2130, 2100, 8400, 8360};
    Coastline coast;
    coast.startPolyline({2110, 8370});
    for (double lat : {2111.0, 2140.0, 2141.0, 2112.0, 2113.0}) coast.append({lat, 8370});
    coast.startPolyline({2096, 8353});
    for (int i = 0; i < 5; ++i) coast.append({2097, 8354.0 + i});
    clipTilePoints(coast, ext);
    ASSERT_EQ(coast.polylines.size(), 3u);
    EXPECT_EQ(coast.polylines[0].size(), 2u);
    EXPECT_EQ(coast.polylines[1].size(), 2u);
    EXPECT_DOUBLE_EQ(coast.polylines[1][0].latMinutes, 2112);
    EXPECT_EQ(coast.polylines[2].size(), 6u);
}

TEST(MeshTile, ClipLeavesTenPointsAlone) {
    Coastline coast;
    coast.startPolyline({0, 0});
    for (int i = 0; i < 9; ++i) coast.append({1, 1});
    clipTilePoints(coast, LatLonBox{2130, 2100, 8400, 8360});
    EXPECT_EQ(coast.pointCount(), 10u);
}

}  // namespace
}  // namespace korvane
