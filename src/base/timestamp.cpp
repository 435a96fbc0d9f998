#include "base/timestamp.h"

#include <cmath>
#include <cstdio>

namespace korvane {

namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

std::optional<Timestamp> toTimestamp(const CalendarFields& f) {
    if (f.year < 1 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 ||
        f.day > daysInMonth(f.year, f.month) || f.hour < 0 || f.hour > 23 || f.minute < 0 ||
        f.minute > 59 || f.second < 0 || f.second > 59 || f.millisecond < 0 || f.millisecond > 999)
        return std::nullopt;
    const double days = static_cast<double>(daysFromCivil(f.year, static_cast<unsigned>(f.month),
                                                          static_cast<unsigned>(f.day))) +
                        kUnixEpochTimestamp;
    const double secs = f.hour * 3600.0 + f.minute * 60.0 + f.second + f.millisecond / 1000.0;
    // Before 1899-12-30 the fraction counts forwards from the negative day,
    // as the timestamp convention has it; races are never that old, so the
    // plain sum is enough.
    return days + secs / kSecondsPerDay;
}

CalendarFields toCalendar(Timestamp t) {
    CalendarFields f;
    if (!std::isfinite(t)) return f;
    // Round to the millisecond first so 10:00:00 does not read as 09:59:59.999.
    const double totalMs = std::round(t * kSecondsPerDay * 1000.0);
    long long days = static_cast<long long>(std::floor(totalMs / (kSecondsPerDay * 1000.0)));
    long long ms = static_cast<long long>(totalMs - static_cast<double>(days) * 86400000.0);
    civilFromDays(days - static_cast<long long>(kUnixEpochTimestamp), f.year, f.month, f.day);
    f.hour = static_cast<int>(ms / 3600000);
    ms %= 3600000;
    f.minute = static_cast<int>(ms / 60000);
    ms %= 60000;
    f.second = static_cast<int>(ms / 1000);
    f.millisecond = static_cast<int>(ms % 1000);
    return f;
}

std::string formatTimestamp(Timestamp t) {
    const CalendarFields f = toCalendar(t);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", f.year, f.month, f.day,
                  f.hour, f.minute, f.second);
    return buffer;
}

std::string formatDate(Timestamp t) {
    const CalendarFields f = toCalendar(t);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", f.year, f.month, f.day);
    return buffer;
}

Timestamp datePart(Timestamp t) {
    return std::trunc(t);
}

double startSecondsOfDay(Timestamp start) {
    return std::round((start - std::floor(start)) * kSecondsPerDay);
}

double secondsOfDay(double startSeconds, double raceSeconds) {
    const double sum = startSeconds + raceSeconds;
    const double day = sum - kSecondsPerDay * std::floor(sum / kSecondsPerDay);
    return day >= kSecondsPerDay ? 0 : day;
}

}  // namespace korvane
