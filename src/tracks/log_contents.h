// What reading one log gives: its fixes inside the race window and, from
// the racing instruments, what they logged besides (speed and course with
// every fix, the start line's ends, the race timer). A reader that ends
// early on something it cannot read says why in `warning` and keeps what it
// had read.
#pragma once

#include <string>
#include <vector>

#include "race/model.h"

namespace korvane {

struct LogContents {
    std::vector<TrackPoint> fixes;
    // Every stored fix carries the speed and course the instrument logged.
    bool loggedCourseAndSpeed = false;
    std::vector<InstrumentEvent> events;
    std::string warning;
};

}  // namespace korvane
