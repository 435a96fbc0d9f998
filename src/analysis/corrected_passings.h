// The race officer's corrections put into the detected passings: a pinned
// passing takes its moment, a point marked "not passed" loses its passing,
// and the ranks and leaders follow. Sailed distances and totals are
// measured afterwards from the result, as after the detection.
#pragma once

#include "analysis/leg_analysis.h"
#include "race/model.h"
#include "race/passing_corrections.h"

namespace korvane {

// Corrections naming a boat or point outside `legs` are passed over (the
// reader already reported them). A boat whose finish never counts keeps
// no finish, pinned or not.
void applyPassingCorrections(const RaceModel& model, const PassingCorrections& corrections,
                             LegAnalysis& legs);

}  // namespace korvane
