#include "view/viewport.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace korvane {
namespace {

struct ProjectionCase {
    bool northUp;
    int windDirection;
    double lat, lon;
};

std::ostream& operator<<(std::ostream& os, const ProjectionCase& c) {
    return os << (c.northUp ? "north" : "wind") << c.windDirection << "_" << c.lat << "_" << c.lon;
}

class ProjectionRoundTrip : public ::testing::TestWithParam<ProjectionCase> {};

Viewport testView(bool northUp, int wd) {
    Viewport v;
    v.width = 800;
    v.height = 600;
    v.centreLat = 2100;
    v.centreLon = 8370;
    v.latScale = 400;
    v.lonScale = 400 * 0.819;
    v.northUp = northUp;
    v.windDirectionDegrees = wd;
    return v;
}

TEST_P(ProjectionRoundTrip, InverseGivesThePositionBack) {
    const auto& c = GetParam();
    const Viewport v = testView(c.northUp, c.windDirection);
    const ScreenPoint s = v.toScreen(c.lat, c.lon);
    const GeoPoint g = v.fromScreen(s.x, s.y);
    EXPECT_NEAR(g.latMinutes, c.lat, 1e-9);
    EXPECT_NEAR(g.lonMinutes, c.lon, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(BothOrientations, ProjectionRoundTrip,
                         ::testing::Values(ProjectionCase{true, 0, 2100, 8370},
                                           ProjectionCase{true, 200, 2100.5, 8369.2},
                                           ProjectionCase{false, 0, 2099.1, 8371},
                                           ProjectionCase{false, 90, 2100.3, 8370.3},
                                           ProjectionCase{false, 200, 2101, 8368.5},
                                           ProjectionCase{false, 359, 2098, 8372},
                                           ProjectionCase{false, -45, 2100.01, 8370.02},
                                           ProjectionCase{false, 540, 2100.2, 8369.9}));

TEST(Projection, CentreMapsToMiddleAndNorthIsUp) {
    const Viewport v = testView(true, 200);
    const ScreenPoint c = v.toScreen(2100, 8370);
    EXPECT_DOUBLE_EQ(c.x, 400);
    EXPECT_DOUBLE_EQ(c.y, 300);
    const ScreenPoint n = v.toScreen(2100.1, 8370);
    EXPECT_NEAR(n.x, 400, 1e-9);
    EXPECT_NEAR(n.y, 260, 1e-9);  // north-up ignores the wind direction
}

TEST(Projection, WindUpPutsTheWindAtTheTop) {
    // Wind from 90: a point to the east must appear straight above the centre.
    const Viewport v = testView(false, 90);
    const ScreenPoint e = v.toScreen(2100, 8370 + 0.1);
    EXPECT_NEAR(e.x, 400, 1e-9);
    EXPECT_NEAR(e.y, 300 - 0.1 * 400 * 0.819, 1e-9);
}

TEST(RotateOffset, NorthUpIgnoresTheAngle) {
    const Viewport v = testView(true, 0);
    const ScreenPoint r = v.rotateOffset(1.234, 5, 7);
    EXPECT_EQ(r.x, 7);
    EXPECT_EQ(r.y, 5);
}

TEST(PolarOffset, PointsToScreenBearingWithHalfHeightLength) {
    const Viewport v = testView(true, 0);
    const ScreenPoint up = v.polarOffset(0);
    EXPECT_NEAR(up.x, 0, 1e-9);
    EXPECT_NEAR(up.y, -300, 1e-9);
    const ScreenPoint right = v.polarOffset(90);
    EXPECT_NEAR(right.x, 300, 1e-9);
    const ScreenPoint wrapped = v.polarOffset(-270);  // brought to 90
    EXPECT_NEAR(wrapped.x, 300, 1e-9);
    EXPECT_NEAR(v.polarOffset(450).x, 300, 1e-9);
}

TEST(RangeAndBearing, MeasuresMetresAndMagneticBearing) {
    const RangeBearing north = rangeAndBearing(2100, 8370, 2101, 8370, 0.8, 0);
    EXPECT_NEAR(north.rangeMetres, 1852, 1e-9);
    EXPECT_NEAR(north.bearingDegrees, 0, 1e-9);
    const RangeBearing east = rangeAndBearing(2100, 8370, 2100, 8371, 0.5, -7);
    EXPECT_NEAR(east.rangeMetres, 926, 1e-9);
    EXPECT_NEAR(east.bearingDegrees, 97, 1e-9);
    const RangeBearing west = rangeAndBearing(2100, 8370, 2100, 8369, 0.5, 100);
    EXPECT_NEAR(west.bearingDegrees, 170, 1e-9);
    const RangeBearing wraps = rangeAndBearing(2100, 8370, 2101, 8370, 0.5, 10);
    EXPECT_NEAR(wraps.bearingDegrees, 350, 1e-9);
}

TEST(ZoomDivisor, SpansOneToEleven) {
    EXPECT_DOUBLE_EQ(zoomDivisorForPosition(100), 1);
    EXPECT_DOUBLE_EQ(zoomDivisorForPosition(0), 11);
    EXPECT_DOUBLE_EQ(zoomDivisorForPosition(75), 1.15625);
}

TEST(ToPixel, RoundsHalvesToEvenAndClampsWildValues) {
    EXPECT_EQ(toPixel(2.5), 2);
    EXPECT_EQ(toPixel(3.5), 4);
    EXPECT_EQ(toPixel(-1.5), -2);
    EXPECT_EQ(toPixel(1e300), 1000000);
    EXPECT_EQ(toPixel(std::nan("")), 0);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(ScreenTransform, MatchesToScreenInBothOrientations) {
    for (bool northUp : {true, false}) {
        Viewport v;
        v.width = 640;
        v.height = 480;
        v.centreLat = 2100.3;
        v.centreLon = 8370.7;
        v.latScale = 512;
        v.lonScale = 420;
        v.northUp = northUp;
        v.windDirectionDegrees = 37;
        const ScreenTransform t = v.transform();
        for (double dLat : {-1.0, 0.0, 0.37})
            for (double dLon : {-0.8, 0.0, 2.5}) {
                const ScreenPoint a = v.toScreen(v.centreLat + dLat, v.centreLon + dLon);
                const ScreenPoint b = t(v.centreLat + dLat, v.centreLon + dLon);
                EXPECT_NEAR(a.x, b.x, 1e-6);
                EXPECT_NEAR(a.y, b.y, 1e-6);
            }
    }
}

}  // namespace
}  // namespace korvane
