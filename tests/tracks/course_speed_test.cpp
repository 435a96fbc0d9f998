#include "tracks/course_speed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

TrackPoint fix(double t, double lat, double lon) {
    TrackPoint p;
    p.timeSeconds = t;
    p.latMinutes = lat;
    p.lonMinutes = lon;
    return p;
}

// Due north at one minute of latitude (1852 m) per 60 s: 60 knots.
TEST(DeriveCourseAndSpeed, SteadyCourseAndSpeed) {
    std::vector<TrackPoint> track;
    for (int k = 0; k < 8; ++k) track.push_back(fix(60.0 * k, 2100 + k, 8340));
    deriveCourseAndSpeed(track, 0.8);
    for (std::size_t k = 0; k + 1 < track.size(); ++k) {
        EXPECT_EQ(track[k].courseDegrees, 0) << k;
        EXPECT_NEAR(track[k].speedKnots, 60, 1e-9) << k;
    }
    EXPECT_EQ(track.back().speedKnots, 0);
    EXPECT_EQ(track.back().courseDegrees, 0);
}

TEST(DeriveCourseAndSpeed, EastWestDistancesUseTheAreaLatitude) {
    std::vector<TrackPoint> track;
    // One minute of longitude per minute at cosLat 0.5: 926 m/min, 30 kn.
    for (int k = 0; k < 6; ++k) track.push_back(fix(60.0 * k, 2100, 8340 - k));
    deriveCourseAndSpeed(track, 0.5);
    EXPECT_EQ(track[0].courseDegrees, 270);
    EXPECT_NEAR(track[2].speedKnots, 30, 1e-9);
}

TEST(DeriveCourseAndSpeed, SpeedSpansTheFixBeforeAndTwoAfter) {
    std::vector<TrackPoint> track = {fix(0, 0, 0),  fix(10, 1, 0), fix(20, 1, 0),
                                     fix(30, 1, 0), fix(40, 3, 0), fix(50, 3, 0)};
    deriveCourseAndSpeed(track, 1);
    const double knotsPerMinutePerSecond = 1852 * 3.6 / 1.852;
    // Slot 1: slots 1..3 (first fix has no predecessor), 1' in 20 s.
    EXPECT_NEAR(track[0].speedKnots, knotsPerMinutePerSecond / 20, 1e-9);
    // Slot 3: slots 2..5, 2' in 30 s.
    EXPECT_NEAR(track[2].speedKnots, knotsPerMinutePerSecond * 2 / 30, 1e-9);
    // Slot 5: slots 4..6 (the end), 2' in 20 s.
    EXPECT_NEAR(track[4].speedKnots, knotsPerMinutePerSecond * 2 / 20, 1e-9);
}

TEST(DeriveCourseAndSpeed, AFixThatDidNotMoveKeepsThePreviousCourse) {
    std::vector<TrackPoint> track = {fix(0, 0, 0), fix(1, 0, 1), fix(2, 0, 1),
                                     fix(3, 0, 1), fix(4, 1, 1), fix(5, 1, 1)};
    deriveCourseAndSpeed(track, 1);
    EXPECT_EQ(track[0].courseDegrees, 90);
    EXPECT_EQ(track[1].courseDegrees, 90);  // did not move
    EXPECT_EQ(track[2].courseDegrees, 90);  // nor here: still the course of slot 1
    EXPECT_EQ(track[3].courseDegrees, 0);
    EXPECT_EQ(track[4].courseDegrees, 0);  // did not move: the course of slot 4
}

TEST(DeriveCourseAndSpeed, SameTimeGivesNoSpeedAndNearlyNorthIsZeroNot360) {
    std::vector<TrackPoint> track = {fix(5, 0, 0),      fix(5, 1, -0.004), fix(5, 2, -0.008),
                                     fix(5, 3, -0.012), fix(5, 4, -0.016), fix(5, 5, -0.02)};
    deriveCourseAndSpeed(track, 1);
    EXPECT_EQ(track[0].courseDegrees, 0);  // 359.77 rounds to 360, which is north
    EXPECT_EQ(track[1].speedKnots, 0);
}

TEST(DeriveCourseAndSpeed, FewerThanSixFixesAreLeftAlone) {
    std::vector<TrackPoint> track;
    for (int k = 0; k < 5; ++k) track.push_back(fix(k, k, 0));
    deriveCourseAndSpeed(track, 1);
    for (const TrackPoint& p : track) EXPECT_EQ(p.speedKnots, 0);
}

}  // namespace
}  // namespace korvane
