// "What was the wind at race time t": the look-up the map, the Graph page and
// the exports share, shaped like the tracks' time query.
#pragma once

#include <optional>
#include <vector>

#include "race/model.h"

namespace korvane {

// Where the last look-up ended; each caller keeps its own.
struct WindCursor {
    int sampleIndex = 0;
};

struct WindReading {
    int twdDegrees = 0;  // as the wind file gives it, rounded to whole degrees
    double tws = 0;      // as the wind file gives it
    int shift = 0;       // -1 backing, +1 veering, 0 steady
};

// Before the first sample the first holds, after the last the last;
// between two samples the direction turns the short way round. Nothing when
// there are no samples.
std::optional<WindReading> windAt(const std::vector<WindSample>& samples, double timeSeconds,
                                  WindCursor& cursor);

}  // namespace korvane
