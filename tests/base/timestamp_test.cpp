#include "base/timestamp.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Timestamp, KnownDays) {
    EXPECT_DOUBLE_EQ(*toTimestamp({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(*toTimestamp({1970, 1, 1, 0, 0, 0, 0}), kUnixEpochTimestamp);
    EXPECT_DOUBLE_EQ(*toTimestamp({2000, 1, 1, 0, 0, 0, 0}), 36526.0);
    EXPECT_DOUBLE_EQ(*toTimestamp({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    EXPECT_DOUBLE_EQ(*toTimestamp({2024, 2, 29, 0, 0, 0, 0}), 45351.0);
}

TEST(Timestamp, InvalidFieldsAreRefused) {
    EXPECT_FALSE(toTimestamp({2023, 2, 29, 0, 0, 0, 0}));
    EXPECT_FALSE(toTimestamp({2024, 13, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(toTimestamp({2024, 4, 31, 0, 0, 0, 0}));
    EXPECT_FALSE(toTimestamp({2024, 4, 1, 24, 0, 0, 0}));
}

TEST(Timestamp, CalendarRoundTripSurvivesBinaryFractions) {
    for (int second : {0, 1, 29, 59}) {
        const CalendarFields in{2007, 5, 12, 10, 11, second, 0};
        const CalendarFields out = toCalendar(*toTimestamp(in));
        EXPECT_EQ(out.year, 2007);
        EXPECT_EQ(out.month, 5);
        EXPECT_EQ(out.day, 12);
        EXPECT_EQ(out.hour, 10);
        EXPECT_EQ(out.minute, 11);
        EXPECT_EQ(out.second, second) << "10:11:" << second;
    }
    EXPECT_EQ(formatTimestamp(*toTimestamp({2024, 5, 12, 9, 5, 7, 0})), "2024/05/12 09:05:07");
    EXPECT_EQ(formatDate(45424.75), "2024/05/12");
    EXPECT_DOUBLE_EQ(datePart(45424.75), 45424.0);
}

}  // namespace
namespace {

TEST(SecondsOfDay, StaysInsideTheDay) {
    EXPECT_DOUBLE_EQ(secondsOfDay(36000, 600), 36600);
    EXPECT_DOUBLE_EQ(secondsOfDay(86000, 1000), 600);
    EXPECT_DOUBLE_EQ(secondsOfDay(100, -300), 86200);  // the evening before
    EXPECT_DOUBLE_EQ(secondsOfDay(0, -86400), 0);
    // 10:00:00.4 on some day: the start rounds to its whole second.
    EXPECT_DOUBLE_EQ(startSecondsOfDay(45424 + (36000.4 / 86400)), 36000);
}

}  // namespace
}  // namespace korvane
