// Where every boat is at the replayed instant: the bracketing fixes, the
// interpolated position, heading, speed and angle to the true wind.
#pragma once

#include <vector>

#include "race/model.h"

namespace korvane {

// A log gap longer than this hides the boat until the next fix.
inline constexpr double kMaxFixGapSeconds = 3610;

struct BoatNow {
    bool hasPosition = false;
    int pointIndex = 0;  // 0-based j with time[j] <= t < time[j + 1]
    double latMinutes = 0;
    double lonMinutes = 0;
    double headingDegrees = 0;
    double speedKnots = 0;
    double windAngleDegrees = 0;  // twdTrue - heading, -180 ... 180
};

// Finds j starting from `searchFrom` (the index found last frame), so a
// normal frame costs one comparison. False when the boat has no position
// at t or sits in a gap longer than kMaxFixGapSeconds.
bool locateFix(const std::vector<TrackPoint>& track, double timeSeconds, int& searchFrom);

// Fills `now` for a located boat (now.pointIndex set).
void interpolateBoat(BoatNow& now, const std::vector<TrackPoint>& track, double timeSeconds,
                     int twdTrue);

}  // namespace korvane
