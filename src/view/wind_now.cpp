#include "view/wind_now.h"

#include <cmath>

#include "race/wind_query.h"

#include "base/numbers.h"
#include "race/angles.h"

namespace korvane {

void interpolateWind(WindNow& w, const std::vector<WindSample>& s, double time) {
    WindCursor cursor{w.lastIndex};
    const std::optional<WindReading> r = windAt(s, time, cursor);
    w.twd = r ? r->twdDegrees : -1;
    w.tws = r ? r->tws : -1;
    w.shift = r ? r->shift : 0;
    w.lastIndex = cursor.sampleIndex;
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
