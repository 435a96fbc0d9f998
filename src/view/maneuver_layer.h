// The maneuvers on the live map when "Lay Line" is on: a short tick across
// the track where each turn of a shown boat had its middle, with what it
// cost in metres, for the last ten minutes of the replay like a long wake.
#pragma once

#include <QPainter>
#include <vector>

#include "race/maneuver.h"
#include "view/text_stamps.h"
#include "view/viewport.h"

namespace korvane {

inline constexpr double kManeuverTrailSeconds = 600;

struct ManeuverLayerInput {
    const std::vector<std::vector<Maneuver>>* maneuvers = nullptr;  // [b]: boat slot b
    const std::vector<bool>* visible = nullptr;                     // by slot
    double timeSeconds = 0;
    TextStamps* labels = nullptr;
    QColor paper;  // the sea under the loss figures
};

// Returns how many ticks were drawn.
int drawManeuverLayer(QPainter& painter, const Viewport& view, const ManeuverLayerInput& in);

}  // namespace korvane
