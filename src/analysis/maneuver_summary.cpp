#include "analysis/maneuver_summary.h"

#include <algorithm>

namespace korvane {

namespace {

std::optional<double> medianOf(std::vector<double>& v) {
    if (v.empty()) return std::nullopt;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool counts(const Maneuver& m, ManeuverKind kind) {
    return m.kind == kind && m.phase == ManeuverPhase::Racing;
}

}  // namespace

ManeuverSummary summarizeManeuvers(const std::vector<Maneuver>& maneuvers, ManeuverKind kind) {
    ManeuverSummary s;
    double sum = 0;
    std::vector<double> losses;
    for (const Maneuver& m : maneuvers) {
        if (!counts(m, kind)) continue;
        ++s.count;
        if (!m.lossMetres) continue;
        losses.push_back(*m.lossMetres);
        sum += *m.lossMetres;
        s.worstLossMetres = std::max(s.worstLossMetres.value_or(*m.lossMetres), *m.lossMetres);
    }
    if (!losses.empty()) s.meanLossMetres = sum / static_cast<double>(losses.size());
    s.medianLossMetres = medianOf(losses);
    return s;
}

std::optional<double> fleetMedianLoss(const std::vector<std::vector<Maneuver>>& boats,
                                      ManeuverKind kind) {
    std::vector<double> losses;
    for (const auto& boat : boats)
        for (const Maneuver& m : boat)
            if (counts(m, kind) && m.lossMetres) losses.push_back(*m.lossMetres);
    return medianOf(losses);
}

}  // namespace korvane
