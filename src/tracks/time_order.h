// Every track the analysis sees runs forward in time. Logs do not always:
// a logger replays its buffer after a reset, a converter writes a GPX
// newest-first. This is where such a log is put right, and counted so the
// user can be told.
#pragma once

#include <vector>

#include "race/model.h"

namespace korvane {

struct TimeOrderRepair {
    int outOfOrder = 0;  // fixes earlier than a fix read before them
    int repeated = 0;    // fixes dropped for repeating the time of another
};

// Sorts the fixes by time and keeps only the first fix (in file order) of
// each time. Sorting rather than dropping: a newest-first file then gives
// the whole race instead of its last fix, and a replayed stretch falls onto
// the times it repeats and goes. A track already in order is left as it is.
TimeOrderRepair putInTimeOrder(std::vector<TrackPoint>& fixes);

}  // namespace korvane
