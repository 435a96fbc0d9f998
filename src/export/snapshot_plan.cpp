#include "export/snapshot_plan.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace korvane {

namespace {
constexpr std::int64_t kMaxSnapshots = 1'000'000;
}

SnapshotPlan snapshotPlan(double timelineEndSeconds) {
    SnapshotPlan plan;
    // A race of fifty steps or fewer of the next shorter step takes it.
    const double fiftieth = std::trunc(timelineEndSeconds / 50);
    for (const int step : {1800, 1200, 600, 300})
        if (fiftieth < step) plan.stepSeconds = step;
    const auto steps = roundHalfEvenToInt(timelineEndSeconds / plan.stepSeconds);
    // The timeline ends after the start in every race that opens; a broken
    // one still gets the snapshot at the gun rather than a negative count,
    // and an absurd finish time no count that overflows.
    plan.count = static_cast<int>(std::clamp<std::int64_t>(steps, -1, kMaxSnapshots) + 2);
    return plan;
}

}  // namespace korvane
