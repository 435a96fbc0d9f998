#include "view/boat_now.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<TrackPoint> track(std::initializer_list<TrackPoint> t) {
    return t;
}

TEST(LocateFix, FindsTheBracketingFixFromAnyStart) {
    const auto t =
        track({{0, 0, 0, 5, 10}, {10, 1, 0, 5, 20}, {20, 2, 0, 5, 30}, {30, 3, 0, 5, 40}});
    for (int start : {0, 1, 2, 3, 77, -4}) {
        int j = start;
        EXPECT_TRUE(locateFix(t, 25, j));
        EXPECT_EQ(j, 2);
    }
    int j = 0;
    EXPECT_FALSE(locateFix(t, 30, j));  // the last fix has no successor
    EXPECT_FALSE(locateFix(t, -1, j));
}

TEST(LocateFix, GapOverAnHourHidesTheBoat) {
    const auto t = track({{0, 0, 0, 0, 0}, {3610, 1, 0, 0, 0}, {3610 + 3611, 2, 0, 0, 0}});
    int j = 0;
    EXPECT_TRUE(locateFix(t, 100, j));
    EXPECT_FALSE(locateFix(t, 5000, j));
}

TEST(LocateFix, OneFixOrNoneHasNoPosition) {
    int j = 0;
    EXPECT_FALSE(locateFix(track({{0, 1, 1, 0, 0}}), 0, j));
    EXPECT_FALSE(locateFix({}, 0, j));
}

TEST(LocateFix, EqualTimesAreSkippedWithoutDividingByZero) {
    const auto t = track({{0, 0, 0, 0, 0}, {10, 1, 1, 0, 0}, {10, 2, 2, 0, 0}, {20, 3, 3, 0, 0}});
    int j = 0;
    ASSERT_TRUE(locateFix(t, 10, j));
    EXPECT_EQ(j, 2);
    BoatNow b;
    b.pointIndex = j;
    interpolateBoat(b, t, 10, 0);
    EXPECT_DOUBLE_EQ(b.latMinutes, 2);
}

TEST(InterpolateBoat, InterpolatesPositionAndTurnsDuringTheFirstSecond) {
    const auto t = track({{0, 0, 0, 4, 350}, {10, 1, 2, 6, 10}, {20, 2, 4, 8, 30}});
    BoatNow b;
    b.pointIndex = 1;
    interpolateBoat(b, t, 10.5, 0);
    EXPECT_DOUBLE_EQ(b.latMinutes, 1.05);
    EXPECT_DOUBLE_EQ(b.lonMinutes, 2.1);
    EXPECT_EQ(b.headingDegrees, 360);  // halfway from 350 to 10 through north
    EXPECT_EQ(b.speedKnots, 6);
    interpolateBoat(b, t, 12, 200);
    EXPECT_EQ(b.headingDegrees, 10);
    EXPECT_EQ(b.windAngleDegrees, -170);  // 200 - 10 folded
}

}  // namespace
}  // namespace korvane
