// Calendar times as the race files carry them: days since 1899-12-30 00:00
// as a double, the fraction being the time of day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

using Timestamp = double;

// 1970-01-01 00:00 as a Timestamp.
inline constexpr Timestamp kUnixEpochTimestamp = 25569.0;
inline constexpr double kSecondsPerDay = 86400.0;

struct CalendarFields {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// nullopt when a field is out of range (month 13, day 31 of April, hour 24...).
std::optional<Timestamp> toTimestamp(const CalendarFields& fields);
CalendarFields toCalendar(Timestamp timestamp);

// "YYYY/MM/DD hh:mm:ss", the form the program writes everywhere.
std::string formatTimestamp(Timestamp timestamp);
// "YYYY/MM/DD", the short date of the captions.
std::string formatDate(Timestamp timestamp);

Timestamp datePart(Timestamp timestamp);

// Seconds into its local day of a race's start, to the whole second.
double startSecondsOfDay(Timestamp start);
// The clock at race time `raceSeconds` (seconds from the start) of a race
// starting `startSeconds` into its day: seconds of the local day, 0 <= s <
// 86400. A time before midnight of the start's day belongs to the evening
// before.
double secondsOfDay(double startSeconds, double raceSeconds);

}  // namespace korvane
