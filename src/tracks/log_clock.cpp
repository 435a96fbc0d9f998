#include "tracks/log_clock.h"

#include "race/race_time.h"

namespace korvane {

bool readFixedDigits(std::string_view text, std::size_t pos, std::size_t width, int& value) {
    if (pos > text.size() || text.size() - pos < width) return false;
    int v = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

std::optional<std::int64_t> LogClock::seconds(int year, int month, int day, int hour, int minute,
                                              int second) {
    if (year != year_ || month != month_ || day != day_) {
        CalendarFields date;
        date.year = year;
        date.month = month;
        date.day = day;
        dayStart_ = toTimestamp(date);
        year_ = year;
        month_ = month;
        day_ = day;
    }
    if (!dayStart_ || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59)
        return std::nullopt;
    // Same operations in the same order as toTimestamp, so the double is
    // bit for bit the one the text route produces.
    const double secs = hour * 3600.0 + minute * 60.0 + second;
    return collector_.secondsOf(*dayStart_ + secs / kSecondsPerDay);
}

std::optional<std::int64_t> LogClock::secondsOfText(std::string_view text) const {
    const auto t = parseTimestamp(text);
    if (!t) return std::nullopt;
    return collector_.secondsOf(*t);
}

}  // namespace korvane
