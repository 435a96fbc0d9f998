#include "base/local_clock.h"

#include <chrono>
#include <ctime>

namespace korvane {

Timestamp LocalClock::now() const {
    if (fixed_) return *fixed_;
    const auto wall = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(wall);
    std::tm local{};
    localtime_r(&t, &local);
    CalendarFields f;
    f.year = local.tm_year + 1900;
    f.month = local.tm_mon + 1;
    f.day = local.tm_mday;
    f.hour = local.tm_hour;
    f.minute = local.tm_min;
    // A leap second reads as the last ordinary one.
    f.second = local.tm_sec < 60 ? local.tm_sec : 59;
    return toTimestamp(f).value_or(kUnixEpochTimestamp + static_cast<double>(t) / kSecondsPerDay);
}

}  // namespace korvane
