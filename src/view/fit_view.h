// Fitting the map to the boats of the current frame: centre and scales so
// that every checked boat (and, before the start, the start line) shows.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "race/model.h"
#include "race/race_area.h"
#include "view/viewport.h"

namespace korvane {

struct FitInput {
    std::vector<GeoPoint> checkedBoats;  // checked boats with a position now
    int boatsWithPosition = 0;           // checked or not
    int raceBoatCount = 0;
    // The two reference points kept by the mark-passing detection.
    std::optional<std::pair<GeoPoint, GeoPoint>> referencePoints;
    const Line* startLine = nullptr;   // line 1, when the race has lines
    const Line* finishLine = nullptr;  // the last line
    // Auto Trace: the middle of the map, at the zoom that fits the boats.
    std::optional<GeoPoint> centreOn;
};

void fitView(Viewport& view, const RaceArea& area, double timeSeconds, const FitInput& input);

}  // namespace korvane
