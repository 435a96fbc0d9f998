// A wind-direction history drawn with the mouse on the Graph page: a press
// on the course panel is a sample, its height the time and its place across
// the panel the direction (the panel spans 360 degrees, the mean wind a
// quarter of the way across).
#pragma once

#include <QPoint>
#include <optional>

#include "analysis/graph_page.h"
#include "race/model.h"

namespace korvane {

// The sample for a press at `at`; nullopt outside the course panel's width.
std::optional<WindSample> drawnWindSample(const GraphLayout& layout, QPoint at);

}  // namespace korvane
