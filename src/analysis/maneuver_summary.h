// Figures over many maneuvers: per boat and kind the count, mean, median and
// worst loss; over the fleet the median loss of a kind. Only maneuvers
// sailed while racing count: what a boat does before its start or after its
// finish says nothing of how it raced.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "race/maneuver.h"

namespace korvane {

inline constexpr std::array<ManeuverKind, 4> kManeuverKinds{
    ManeuverKind::Tack, ManeuverKind::Gybe, ManeuverKind::Turn, ManeuverKind::Rounding};

struct ManeuverSummary {
    int count = 0;
    // Over the maneuvers with a loss; empty when none of the kind has one.
    std::optional<double> meanLossMetres;
    std::optional<double> medianLossMetres;  // the mean of the middle two for an even count
    std::optional<double> worstLossMetres;   // the largest loss
};

ManeuverSummary summarizeManeuvers(const std::vector<Maneuver>& maneuvers, ManeuverKind kind);

// The median loss of every maneuver of the kind over all boats (the mean of
// the middle two for an even count).
std::optional<double> fleetMedianLoss(const std::vector<std::vector<Maneuver>>& boats,
                                      ManeuverKind kind);

}  // namespace korvane
