#include <gtest/gtest.h>

#include "race/fields.h"
#include "race/race_time.h"

namespace korvane {
namespace {

TEST(SplitFields, EmptyFieldsBecomeZeroMissingTrailingOnesDoNot) {
    const auto f = splitFields("BN,boat1.log,,1.05", ",");
    ASSERT_EQ(f.count(), 4);
    EXPECT_EQ(f[1], "boat1.log");
    EXPECT_EQ(f[2], "0");
    EXPECT_EQ(f[3], "1.05");
    EXPECT_EQ(f[4], "");
    EXPECT_EQ(splitFields("A,", ",")[1], "0");
    EXPECT_EQ(splitFields(" a , b ", ",")[1], "b");
}

TEST(SplitFields, RunsOfSpacesCountAsOneSeparator) {
    const auto f = splitFields("T  N3512.345   E13945.678 2007-05-12 10:11:12  x", " ");
    ASSERT_EQ(f.count(), 6);
    EXPECT_EQ(f[2], "E13945.678");
    EXPECT_EQ(f[5], "x");
}

TEST(ParseTimestamp, AcceptedForms) {
    const Timestamp expected = *toTimestamp({2007, 5, 12, 10, 11, 12, 0});
    EXPECT_DOUBLE_EQ(*parseTimestamp("2007/05/12 10:11:12"), expected);
    EXPECT_DOUBLE_EQ(*parseTimestamp("2007-5-12 10:11:12"), expected);
    EXPECT_DOUBLE_EQ(*parseTimestamp(" 2007/5/12  10:11:12 "), expected);
    EXPECT_DOUBLE_EQ(*parseTimestamp("2007/05/12"), *toTimestamp({2007, 5, 12, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(*parseTimestamp("2007/05/12 10:11"),
                     *toTimestamp({2007, 5, 12, 10, 11, 0, 0}));
    EXPECT_NEAR(*parseTimestamp("2007/05/12 10:11:12.5"), expected + 0.5 / 86400, 1e-9);
    EXPECT_NEAR(*parseTimestamp("12:00:00"), 0.5, 1e-12);
}

TEST(ParseTimestamp, RefusedForms) {
    for (const char* bad : {"", "2007/05/12 25:00:00", "2007/02/30", "2007/05-12", "12.5.2007",
                            "2007/05/12 10:11:12Z", "2007/05/12T10:11:12", "abc"})
        EXPECT_FALSE(parseTimestamp(bad)) << bad;
}

TEST(SecondsBetween, RoundsHalfUpSignedAndToleratesAMillisecond) {
    const Timestamp a = *toTimestamp({2007, 5, 12, 10, 0, 0, 0});
    EXPECT_EQ(secondsBetween(a, a + 7200.0 / 86400), 7200);
    EXPECT_EQ(secondsBetween(a, a - 250.0 / 86400), -250);
    EXPECT_EQ(secondsBetween(a, a + 0.6 / 86400), 1);
    EXPECT_EQ(secondsBetween(a, a + 0.4 / 86400), 0);
    EXPECT_EQ(secondsBetween(a, a - 0.0005 / 86400), 0);
    EXPECT_EQ(secondsBetween(a, std::numeric_limits<double>::quiet_NaN()), kSecondsBetweenFailed);
}

TEST(NormalizeLogDate, DashesAndFarDates) {
    const Timestamp race = *toTimestamp({2007, 5, 12, 0, 0, 0, 0});
    EXPECT_EQ(normalizeLogDate("2007-05-12", race), "2007/05/12");
    EXPECT_EQ(normalizeLogDate("2007/05/12", race), "2007/05/12");
    EXPECT_EQ(normalizeLogDate("2008-05-10", race), "2008/05/10");  // 364 days later
    EXPECT_EQ(normalizeLogDate("2008-05-11", race), "2000/1/1");    // 365 days (leap year)
    const Timestamp later = *toTimestamp({2008, 5, 20, 0, 0, 0, 0});
    EXPECT_EQ(normalizeLogDate("2007-05-12", later), "2000/1/1");
    EXPECT_EQ(normalizeLogDate("2006-05-12", race), "2000/1/1");  // exactly 365 days before
}

}  // namespace
}  // namespace korvane
