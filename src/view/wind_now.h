// The wind at the replayed instant: interpolated from the wind samples,
// rounded as the read-outs show it, and smoothed from frame to frame so the
// wind arrow turns calmly.
#pragma once

#include <vector>

#include "race/model.h"

namespace korvane {

struct WindNow {
    int twd = -1;     // degrees as stored in the samples, -1 = none
    double tws = -1;  // knots to 0.1, -1 = none
    int twdTrue = 0;  // twd plus the magnetic variation, 0 ... 360
    double smoothedTwd = 0;
    double smoothedTws = 0;
    int shift = 0;      // -1 backing, +1 veering, 0 steady
    int lastIndex = 0;  // 0-based sample index found last time
};

// Interpolation only (twd, tws, shift, lastIndex): -1 values when there are
// no samples or the instant cannot be bracketed.
void interpolateWind(WindNow& wind, const std::vector<WindSample>& samples, double timeSeconds);

// The whole per-frame update: interpolation, fall-backs to the race's wind
// direction and 5 kn, the true direction, and the smoothing.
void updateWind(WindNow& wind, const std::vector<WindSample>& samples, const Race& race,
                double timeSeconds);

}  // namespace korvane
