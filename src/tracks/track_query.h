// "Where was the boat at race time t": the one query the map, the time bar,
// the exports, the pictures and the pages all ask of a track.
#pragma once

#include <optional>
#include <vector>

#include "race/model.h"

namespace korvane {

// A log gap longer than this hides the boat until the next fix.
inline constexpr double kMaxFixGapSeconds = 3610;

// Where the last query ended. Each caller keeps its own, so a replay that
// moves forward costs one comparison a query, while a jump anywhere (or
// backwards) costs a binary search.
struct TrackCursor {
    int fixIndex = 0;
};

struct TrackSample {
    int fixIndex = 0;  // j with time[j] <= t < time[j + 1]
    double latMinutes = 0;
    double lonMinutes = 0;
    // The course of fix j, turned smoothly from the course before it during
    // the first second after the fix instead of jumping.
    double headingDegrees = 0;
    double speedKnots = 0;  // of fix j
};

// The interpolated position at t, or nothing before the first fix, from the
// last fix on, and inside a gap longer than kMaxFixGapSeconds.
std::optional<TrackSample> sampleAt(const std::vector<TrackPoint>& track, double timeSeconds,
                                    TrackCursor& cursor);

}  // namespace korvane
