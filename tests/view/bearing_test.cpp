#include "race/angles.h"
#include "tracks/course_speed.h"

#include <gtest/gtest.h>

#include <ostream>

namespace korvane {
namespace {

struct BearingCase {
    double dNorth, dEast, expected;
};

std::ostream& operator<<(std::ostream& os, const BearingCase& c) {
    return os << c.dNorth << "_" << c.dEast;
}

class BearingOfTest : public ::testing::TestWithParam<BearingCase> {};

TEST_P(BearingOfTest, GivesDegreesClockwiseFromNorth) {
    const auto& c = GetParam();
    EXPECT_NEAR(bearingOf(c.dNorth, c.dEast), c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(QuadrantsAndZeros, BearingOfTest,
                         ::testing::Values(BearingCase{1, 0, 0}, BearingCase{-1, 0, 180},
                                           BearingCase{0, 1, 90}, BearingCase{0, -1, 270},
                                           BearingCase{0, 0, 0}, BearingCase{1, 1, 45},
                                           BearingCase{-1, 1, 135}, BearingCase{-1, -1, 225},
                                           BearingCase{1, -1, 315},
                                           BearingCase{1.7320508075688772, 1, 30}));

TEST(BearingOf, NeverReturns360) {
    const double b = bearingOf(1e6, -1e-300);
    EXPECT_GE(b, 0);
    EXPECT_LT(b, 360);
}

TEST(FoldDegrees, AddsOrSubtractsOnce) {
    EXPECT_EQ(foldDegrees180(190), -170);
    EXPECT_EQ(foldDegrees180(-190), 170);
    EXPECT_EQ(foldDegrees180(180), 180);
    EXPECT_EQ(foldDegrees360(-10), 350);
    EXPECT_EQ(foldDegrees360(370), 10);
    EXPECT_EQ(foldDegrees360(360), 360);
}

}  // namespace
}  // namespace korvane
