// Two boats side by side along the race: at each sampled moment each boat's
// speed, course and speed made good, how far B stands to windward of A, and
// how many seconds B is behind A. Plain numbers for the Compare page and the
// tests; this file draws nothing.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/leg_analysis.h"
#include "base/local_plane.h"
#include "race/course_geometry.h"
#include "race/model.h"

namespace korvane {

struct BoatMoment {
    double speedKnots = 0;
    double courseDegrees = 0;
    // Towards the wind on a beat, away from it on a run (VMG), along the
    // leg's bearing on a reach (VMC): the leg the boat sails at the moment.
    double madeGoodKnots = 0;
    bool reach = false;
};

struct CompareMoment {
    double timeSeconds = 0;
    std::array<std::optional<BoatMoment>, 2> boats;  // [0] A, [1] B; empty without a fix
    // B's position less A's, along the direction the wind comes from:
    // positive when B is to windward.
    std::optional<double> windwardMetres;
    // B's seconds behind the leader less A's: positive when B is behind A.
    std::optional<double> behindSeconds;
};

struct CompareSeries {
    int boatA = 0;
    int boatB = 0;
    std::vector<CompareMoment> moments;  // in time order, one step apart
};

struct CompareSources {
    const RaceModel* model = nullptr;
    const CourseGeometry* course = nullptr;
    const LegAnalysis* legs = nullptr;
    LocalPlane plane{1};
    TimeMode mode = TimeMode::Elapsed;
};

// From the gun to the later of the two boats' last fixes, every
// `stepSeconds` (at least one second). Empty for a boat that is not in the
// race.
CompareSeries compareSeries(const CompareSources& sources, int boatA, int boatB,
                            double stepSeconds);

// A step that keeps the series near `samples` moments over the race.
double compareStepSeconds(const RaceModel& model, int boatA, int boatB, int samples);

}  // namespace korvane
