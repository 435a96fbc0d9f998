#include "analysis/maneuver_summary.h"

#include <algorithm>

namespace korvane {

ManeuverSummary summarizeManeuvers(const std::vector<Maneuver>& maneuvers, ManeuverKind kind) {
    ManeuverSummary s;
    double sum = 0;
    int measured = 0;
    for (const Maneuver& m : maneuvers) {
        if (m.kind != kind) continue;
        ++s.count;
        if (!m.lossMetres) continue;
        ++measured;
        sum += *m.lossMetres;
        s.worstLossMetres = std::max(s.worstLossMetres.value_or(*m.lossMetres), *m.lossMetres);
    }
    if (measured > 0) s.meanLossMetres = sum / measured;
    return s;
}

std::optional<double> fleetMedianLoss(const std::vector<std::vector<Maneuver>>& boats,
                                      ManeuverKind kind) {
    std::vector<double> losses;
    for (const auto& boat : boats)
        for (const Maneuver& m : boat)
            if (m.kind == kind && m.lossMetres) losses.push_back(*m.lossMetres);
    if (losses.empty()) return std::nullopt;
    std::sort(losses.begin(), losses.end());
    const std::size_t n = losses.size();
    return n % 2 ? losses[n / 2] : (losses[n / 2 - 1] + losses[n / 2]) / 2;
}

}  // namespace korvane
