// Where the boats were at another moment than the one on show: the dots a
// hover over the time bar puts on the overview map.
#pragma once

#include <QPoint>
#include <optional>
#include <vector>

#include "race/model.h"
#include "race/race_area.h"

namespace korvane {

// Overview position of each boat (0-based, in boat order) at `timeSeconds`;
// nothing for a boat that is hidden (`checked` false; an empty `checked`
// means every boat's own visible flag) or has no position then.
std::vector<std::optional<QPoint>> overviewDotsAt(const RaceModel& model, const RaceArea& area,
                                                  bool northUp, const std::vector<bool>& checked,
                                                  double timeSeconds);

}  // namespace korvane
