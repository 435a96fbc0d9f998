#include "base/local_plane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

namespace korvane {
namespace {

struct PlaneCase {
    const char* name;
    double latDegrees;              // where the plane is laid
    double lat1, lon1, lat2, lon2;  // minutes of arc
    double northMetres, eastMetres, bearingDegrees;
};

std::ostream& operator<<(std::ostream& os, const PlaneCase& c) {
    return os << c.name;
}

const double kCos60 = std::cos(std::numbers::pi / 3);

class LocalPlaneTest : public testing::TestWithParam<PlaneCase> {};

TEST_P(LocalPlaneTest, GivesTheGroundVectorAndItsBearing) {
    const PlaneCase& c = GetParam();
    const LocalPlane plane = LocalPlane::atLatitude(c.latDegrees * 60);
    const GroundVector v = plane.vector(c.lat1, c.lon1, c.lat2, c.lon2);
    EXPECT_NEAR(v.northMetres, c.northMetres, 1e-6);
    EXPECT_NEAR(v.eastMetres, c.eastMetres, 1e-6);
    EXPECT_NEAR(v.lengthMetres(), std::hypot(c.northMetres, c.eastMetres), 1e-6);
    EXPECT_NEAR(v.bearingDegrees(), c.bearingDegrees, 1e-9);
    EXPECT_GE(v.bearingDegrees(), 0);
    EXPECT_LT(v.bearingDegrees(), 360);
    // Backwards the same length, the opposite way.
    const GroundVector back = plane.vector(c.lat2, c.lon2, c.lat1, c.lon1);
    EXPECT_NEAR(back.lengthMetres(), v.lengthMetres(), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LocalPlaneTest,
    testing::Values(PlaneCase{"ZeroLength", 35, 2100, 8340, 2100, 8340, 0, 0, 0},
                    PlaneCase{"EquatorEast", 0, 0, 0, 0, 1, 0, 1852, 90},
                    PlaneCase{"EquatorWest", 0, 0, 0, 0, -1, 0, -1852, 270},
                    PlaneCase{"North", 35, 2100, 8340, 2101, 8340, 1852, 0, 0},
                    PlaneCase{"South", 35, 2100, 8340, 2099, 8340, -1852, 0, 180},
                    PlaneCase{"SixtyNorthHalvesLongitude", 60, 3600, 0, 3600, 2, 0, 1852, 90},
                    PlaneCase{"SixtyNorthDiagonal", 60, 3600, 0, 3601, 2, 1852, 1852, 45},
                    PlaneCase{"EastAcross180", 0, 0, 10799, 0, -10799, 0, 2 * 1852, 90},
                    PlaneCase{"WestAcross180", 0, 0, -10799, 0, 10799, 0, -2 * 1852, 270},
                    PlaneCase{"SouthWest", 0, 0, 0, -1, -1, -1852, -1852, 225},
                    PlaneCase{"AlmostNorthNever360", 0, 0, 0, 1, -1e-15, 1852, -1852e-15,
                              360 - 5.7e-14}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LocalPlane, MetresPerMinuteOfLongitudeFollowTheLatitude) {
    EXPECT_DOUBLE_EQ(LocalPlane(1).metresPerMinuteLon(), kMetresPerMinuteLat);
    EXPECT_NEAR(LocalPlane::atLatitude(3600).metresPerMinuteLon(), 1852 * kCos60, 1e-9);
}

TEST(BearingOf, ClockwiseFromNorthInEveryQuadrant) {
    EXPECT_NEAR(bearingOf(1.7320508075688772, 1), 30, 1e-9);
    EXPECT_NEAR(bearingOf(-1, 1), 135, 1e-9);
    EXPECT_NEAR(bearingOf(1, -1), 315, 1e-9);
    const double b = bearingOf(1e6, -1e-300);
    EXPECT_GE(b, 0);
    EXPECT_LT(b, 360);
}

}  // namespace
}  // namespace korvane
