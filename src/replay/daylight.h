// Daylight at the venue as the replay shows it: the time of day on the clock
// face, and the level 0 (night) ... 100 (day) that the automatic sea colour and
// the time bar's background follow, with a ramp of an hour either side of
// sunrise and of 40 minutes either side of sunset.
#pragma once

namespace korvane {

struct Daylight {
    double level = 100;  // 0 = night ... 100 = full day
    bool isNight = false;
};

// Level and night flag at `secondsOfDay` between `sunriseSeconds` and `sunsetSeconds`.
Daylight daylightAt(double secondsOfDay, double sunriseSeconds, double sunsetSeconds);

// The sea-colour bar position (0 ... 100) for a daylight level.
int seaLevelFor(const Daylight& daylight);

}  // namespace korvane
