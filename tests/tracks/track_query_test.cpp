#include "tracks/track_query.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

// time, lat, lon, speed, course
const std::vector<TrackPoint> kTrack{
    {0, 0, 0, 4, 350}, {10, 1, 2, 6, 10}, {20, 2, 4, 8, 30}, {30, 3, 6, 5, 40}};

TEST(SampleAt, AnswersFromAnyCursorWhateverTheDirectionOfTime) {
    // Forward, backward, a jump to the start and a cursor left out of range
    // must all give the same answer as a fresh cursor.
    TrackCursor cursor;
    for (double t : {25.0, 5.0, 29.9, 0.0, 15.0, 10.0, 0.5}) {
        TrackCursor fresh;
        const auto a = sampleAt(kTrack, t, cursor);
        const auto b = sampleAt(kTrack, t, fresh);
        ASSERT_TRUE(a && b) << t;
        EXPECT_EQ(a->fixIndex, b->fixIndex) << t;
        EXPECT_EQ(a->fixIndex, static_cast<int>(std::floor(t / 10))) << t;
    }
    cursor.fixIndex = 99;
    EXPECT_EQ(sampleAt(kTrack, 12, cursor)->fixIndex, 1);
    cursor.fixIndex = -7;
    EXPECT_EQ(sampleAt(kTrack, 12, cursor)->fixIndex, 1);
}

TEST(SampleAt, NothingOutsideTheTrackOrWithoutTwoFixes) {
    TrackCursor c;
    EXPECT_FALSE(sampleAt(kTrack, -0.001, c));
    EXPECT_FALSE(sampleAt(kTrack, 30, c));  // the last fix has no successor
    EXPECT_FALSE(sampleAt(kTrack, NAN, c));
    EXPECT_FALSE(sampleAt({{0, 1, 1, 0, 0}}, 0, c));
    EXPECT_FALSE(sampleAt({}, 0, c));
}

TEST(SampleAt, ExactlyOnAFixIsThatFix) {
    TrackCursor c;
    const auto s = sampleAt(kTrack, 20, c);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->fixIndex, 2);
    EXPECT_DOUBLE_EQ(s->latMinutes, 2);
    EXPECT_DOUBLE_EQ(s->lonMinutes, 4);
    EXPECT_EQ(s->speedKnots, 8);
}

TEST(SampleAt, AGapOverAnHourHidesTheBoat) {
    const std::vector<TrackPoint> t{{0, 0, 0, 0, 0}, {3610, 1, 0, 0, 0}, {3610 + 3611, 2, 0, 0, 0}};
    TrackCursor c;
    EXPECT_TRUE(sampleAt(t, 100, c));
    EXPECT_FALSE(sampleAt(t, 5000, c));
    EXPECT_TRUE(sampleAt(t, 100, c));  // and back out of the gap
}

TEST(SampleAt, EqualTimesAreSkippedWithoutDividingByZero) {
    const std::vector<TrackPoint> t{
        {0, 0, 0, 0, 0}, {10, 1, 1, 0, 0}, {10, 2, 2, 0, 0}, {20, 3, 3, 0, 0}};
    TrackCursor c;
    const auto s = sampleAt(t, 10, c);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->fixIndex, 2);
    EXPECT_DOUBLE_EQ(s->latMinutes, 2);
}

TEST(SampleAt, InterpolatesAndTurnsTheHeadingDuringTheFirstSecond) {
    TrackCursor c;
    auto s = sampleAt(kTrack, 10.5, c);
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->latMinutes, 1.05);
    EXPECT_DOUBLE_EQ(s->lonMinutes, 2.1);
    EXPECT_EQ(s->headingDegrees, 360);  // halfway from 350 to 10 through north
    EXPECT_EQ(s->speedKnots, 6);
    s = sampleAt(kTrack, 12, c);
    EXPECT_EQ(s->headingDegrees, 10);
    s = sampleAt(kTrack, 0.5, c);
    EXPECT_EQ(s->headingDegrees, 350);  // the first fix has nothing to turn from
}

}  // namespace
}  // namespace korvane
