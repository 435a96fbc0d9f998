#include "analysis/corrected_passings.h"

namespace korvane {

void applyPassingCorrections(const RaceModel& model, const PassingCorrections& corrections,
                             LegAnalysis& legs) {
    if (corrections.empty()) return;
    const int n = legs.pointCount();
    for (const PassingCorrection& c : corrections.items()) {
        if (c.boat < 0 || c.boat >= model.boatCount() ||
            c.boat >= static_cast<int>(legs.boats.size()) || c.point < 0 || c.point >= n)
            continue;
        const Boat& boat = model.boats[c.boat];
        std::optional<double>& slot = legs.boats[static_cast<std::size_t>(c.boat)]
                                          .passTimeSeconds[static_cast<std::size_t>(c.point)];
        if (c.kind == PassingCorrectionKind::NotPassed || (c.point == n - 1 && !boat.mayFinish))
            slot.reset();
        else
            slot = shownSecondsOf(boat, model.race, c.elapsedSeconds);
    }
    rankFinishers(legs);
}

}  // namespace korvane
