// Speed and course of every fix, derived once per race opening from the
// fixes around it.
#pragma once

#include "race/model.h"

namespace korvane {

// For each race boat with at least 6 fixes: course of fix j toward fix j+1
// (whole degrees; a fix that did not move keeps the course before it) and
// speed in knots over the fixes j-1 .. j+2. The last fix keeps 0 and 0.
// cosLat is the race area's, so east-west metres match the map. Boats whose
// log recorded speed and course keep them.
void deriveCourseAndSpeed(RaceModel& model, double cosLat);
void deriveCourseAndSpeed(std::vector<TrackPoint>& track, double cosLat);

}  // namespace korvane
