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
