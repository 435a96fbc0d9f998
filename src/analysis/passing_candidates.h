// Why each mark passing is what it is: for a boat and a course point, the
// moment the leg analysis chose (or the race officer pinned), how it was
// found, how far from the mark the boat was then, and the other moments
// that could have been the passing (line or bearing-line crossings and
// close approaches between the neighbouring passings). This file explains
// and offers; it never changes a passing: detection stays in
// leg_analysis.h and corrections in corrected_passings.h.
#pragma once

#include <optional>
#include <vector>

#include "analysis/leg_analysis.h"
#include "base/local_plane.h"
#include "race/course_geometry.h"
#include "race/model.h"
#include "race/passing_corrections.h"

namespace korvane {

enum class PassingKind {
    Crossing,  // of the line, or of the mark's bearing line (the bisector of its turn)
    Closest,   // the closest fix of an approach
    Pinned,    // a moment the race officer chose that is neither
};

// "crossing", "closest", "pinned".
const char* passingKindName(PassingKind kind);

struct PassingMoment {
    double timeSeconds = 0;
    PassingKind kind = PassingKind::Closest;
    // From the mark, or from the nearest point of the line between its ends.
    double metresFromMark = 0;
    double latMinutes = 0;  // where the boat was
    double lonMinutes = 0;
};

struct PassingExplanation {
    std::optional<PassingMoment> chosen;    // empty: not passed
    bool corrected = false;                 // a pin or "not passed" decided it
    std::vector<PassingMoment> candidates;  // the runners-up, in time order
};

// Candidates come within this distance of the mark or line: wider than the
// detection's 0.2' rounding circle, so a wide rounding is still offered.
inline constexpr double kCandidateRadiusMetres = 0.5 * kMetresPerMinuteLat;

// One boat's passings, [p] for course point p. `legs` holds the passings in
// force, `detected` those the detection found before any correction.
std::vector<PassingExplanation> explainBoatPassings(const RaceModel& model,
                                                    const CourseGeometry& course,
                                                    const LegAnalysis& legs,
                                                    const LegAnalysis& detected,
                                                    const PassingCorrections& corrections,
                                                    const LocalPlane& plane, int boat);

}  // namespace korvane
