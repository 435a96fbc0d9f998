#include "race/race_area.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

RaceModel twoBoatRace() {
    RaceModel m;
    m.race.timelineBegin = -190;
    m.race.timelineEnd = 1000;
    m.race.start = *toTimestamp({2007, 3, 24, 10, 0, 0, 0});  // day 83: equinox term is 0
    m.race.timeZoneHours = 9;
    Boat a, b;
    a.track = {{-500, 0, 0, 0, 0},
               {0, 2100, 8370, 0, 0},
               {100, 2110, 8380, 0, 0},
               {990, 2120, 8390, 0, 0}};
    b.track = {{0, 2105, 8372, 0, 0}, {200, 2102, 8375, 0, 0}, {1000, 2200, 8400, 0, 0}};
    m.boats.append(a);
    m.boats.append(b);
    return m;
}

TEST(RaceArea, BoxCountsOnlyFixesInsideTheTimeline) {
    const RaceArea area = computeRaceArea(twoBoatRace(), {});
    EXPECT_DOUBLE_EQ(area.box.maxLat, 2120);
    EXPECT_DOUBLE_EQ(area.box.minLat, 2100);
    EXPECT_DOUBLE_EQ(area.box.maxLon, 8390);
    EXPECT_DOUBLE_EQ(area.centreLat, 2110);
    EXPECT_NEAR(area.cosLat, std::cos(2110.0 / 60 * M_PI / 180), 1e-12);
    // Squared: 24' of latitude is wider on the ground than 24' of longitude,
    // so the longitude span grows to match it.
    EXPECT_DOUBLE_EQ(area.latSpan, 24);
    EXPECT_DOUBLE_EQ(area.lonSpan, 24 / area.cosLat);
    EXPECT_DOUBLE_EQ(area.overviewLatScale, 170.0 / 24);
    EXPECT_DOUBLE_EQ(area.baseLatScale(800, 600), 600.0 / 24);
}

TEST(RaceArea, FixesAfterTheLastCoursePointDoNotCount) {
    const RaceArea area = computeRaceArea(twoBoatRace(), {50, 150});
    EXPECT_DOUBLE_EQ(area.box.maxLat, 2105);
    EXPECT_DOUBLE_EQ(area.box.maxLon, 8372);
}

TEST(RaceArea, SunTimesAtTheEquinox) {
    const RaceArea area = computeRaceArea(twoBoatRace(), {});
    const double k = (area.centreLon - 8100) * 4;
    EXPECT_NEAR(area.sunriseSeconds, 21600 - 2 * k, 1e-6);
    EXPECT_NEAR(area.sunsetSeconds, 64800, 1e-6);
}

TEST(RaceArea, NoFixAtAllGivesAUsableBox) {
    RaceModel m;
    const RaceArea area = computeRaceArea(m, {});
    EXPECT_TRUE(area.box.valid());
    EXPECT_TRUE(std::isfinite(area.cosLat));
}

}  // namespace
}  // namespace korvane
