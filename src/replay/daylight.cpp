#include "replay/daylight.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/timestamp.h"

namespace korvane {

namespace {
constexpr double kSunriseRampSeconds = 3600;
constexpr double kSunsetRampSeconds = 2400;
}  // namespace

double secondsOfDayAt(double startSecondsOfDay, double timeSeconds) {
    // Floor, not truncation: a replay that begins before midnight of the start's
    // day has negative sums, and those belong to the evening before.
    const double sum = startSecondsOfDay + timeSeconds;
    const double day = sum - kSecondsPerDay * std::floor(sum / kSecondsPerDay);
    return day >= kSecondsPerDay ? 0 : day;
}

Daylight daylightAt(double secondsOfDay, double sunriseSeconds, double sunsetSeconds) {
    Daylight d;
    d.isNight = secondsOfDay <= sunriseSeconds || secondsOfDay >= sunsetSeconds;
    d.level = d.isNight ? 0 : 100;
    if (std::abs(secondsOfDay - sunriseSeconds) < kSunriseRampSeconds)
        d.level = (secondsOfDay - sunriseSeconds) * 50 / kSunriseRampSeconds + 50;
    // Evening wins where the two ramps meet (a polar-short day).
    if (std::abs(sunsetSeconds - secondsOfDay) < kSunsetRampSeconds)
        d.level = (sunsetSeconds - secondsOfDay) * 50 / kSunsetRampSeconds + 50;
    return d;
}

int seaLevelFor(const Daylight& daylight) {
    return static_cast<int>(
        std::clamp(roundHalfEvenToInt(daylight.level), std::int64_t{0}, std::int64_t{100}));
}

}  // namespace korvane
