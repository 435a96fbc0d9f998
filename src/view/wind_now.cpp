#include "view/wind_now.h"

#include <cmath>

#include "base/numbers.h"
#include "race/angles.h"

namespace korvane {

void interpolateWind(WindNow& w, const std::vector<WindSample>& s, double time) {
    w.twd = -1;
    w.tws = -1;
    w.shift = 0;
    const int n = static_cast<int>(s.size());
    if (n == 0) return;
    if (time <= s.front().timeSeconds) {
        w.twd = s.front().twdDegrees;
        w.tws = s.front().tws;
        return;
    }
    if (time >= s.back().timeSeconds) {
        w.twd = s.back().twdDegrees;
        w.tws = s.back().tws;
        return;
    }
    int e = (w.lastIndex >= 0 && w.lastIndex < n - 1) ? w.lastIndex : 0;
    for (int tries = 0; tries < n - 1; ++tries) {
        if (s[e].timeSeconds <= time && time < s[e + 1].timeSeconds) {
            const double span = s[e + 1].timeSeconds - s[e].timeSeconds;
            const double f = span > 0 ? (time - s[e].timeSeconds) / span : 0;
            // Folded both ways, so a shift through north keeps its true side.
            const double d = foldDegrees180(s[e + 1].twdDegrees - s[e].twdDegrees);
            w.shift = d > 0 ? 1 : (d < 0 ? -1 : 0);
            double twd = roundHalfEven(d * f + s[e].twdDegrees);
            if (twd < 0) twd += 360;
            if (twd > 360) twd -= 360;
            w.twd = static_cast<int>(twd);
            w.tws = (s[e + 1].tws - s[e].tws) * f + s[e].tws;
            w.lastIndex = e;
            return;
        }
        if (++e >= n - 1) e = 0;
    }
}

void updateWind(WindNow& w, const std::vector<WindSample>& samples, const Race& race, double time) {
    interpolateWind(w, samples, time);
    if (w.tws > 0) w.tws = roundHalfEven(w.tws * 10) / 10;
    if (w.twd < 0) w.twd = race.windDirectionInput;
    if (w.tws < 0) w.tws = 5.0;
    int twdTrue = static_cast<int>(roundHalfEvenToInt(race.magneticVariation)) + w.twd;
    if (twdTrue < 0) twdTrue += 360;
    if (twdTrue > 360) twdTrue -= 360;
    w.twdTrue = twdTrue;

    if (w.smoothedTwd == 0) w.smoothedTwd = w.twd;
    if (w.smoothedTws == 0) w.smoothedTws = w.tws;
    double target = w.twd;
    if (w.twd > 300 && w.smoothedTwd < 60) target = w.twd - 360;
    if (w.twd < 60 && w.smoothedTwd > 300) target = w.twd + 360;
    double smoothed = 0.95 * w.smoothedTwd + 0.05 * target;
    if (smoothed > 360) smoothed -= 360;
    if (smoothed < 0) smoothed += 360;
    w.smoothedTwd = smoothed;
    w.smoothedTws = 0.95 * w.smoothedTws + 0.05 * w.tws;
}

}  // namespace korvane
