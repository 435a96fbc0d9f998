#include "tracks/time_order.h"

#include <algorithm>

namespace korvane {

TimeOrderRepair putInTimeOrder(std::vector<TrackPoint>& fixes) {
    TimeOrderRepair repair;
    bool strictlyIncreasing = true;
    for (std::size_t k = 1; k < fixes.size(); ++k)
        if (!(fixes[k].timeSeconds > fixes[k - 1].timeSeconds)) strictlyIncreasing = false;
    if (strictlyIncreasing) return repair;

    double latest = fixes.front().timeSeconds;
    for (const TrackPoint& p : fixes) {
        if (p.timeSeconds < latest) ++repair.outOfOrder;
        latest = std::max(latest, p.timeSeconds);
    }
    std::stable_sort(fixes.begin(), fixes.end(), [](const TrackPoint& a, const TrackPoint& b) {
        return a.timeSeconds < b.timeSeconds;
    });
    const auto end = std::unique(
        fixes.begin(), fixes.end(),
        [](const TrackPoint& a, const TrackPoint& b) { return a.timeSeconds == b.timeSeconds; });
    repair.repeated = static_cast<int>(fixes.end() - end);
    fixes.erase(end, fixes.end());
    return repair;
}

}  // namespace korvane
