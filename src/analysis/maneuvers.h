// Every tack, gybe, turn and mark rounding of a boat, found from its track
// and the wind, with the distance each one cost. Pure: a track, the wind,
// the passings and the thresholds in, maneuvers out.
#pragma once

#include <functional>
#include <limits>
#include <vector>

#include "analysis/leg_analysis.h"
#include "base/local_plane.h"
#include "race/course_geometry.h"
#include "race/maneuver.h"
#include "race/model.h"

namespace korvane {

// Tuned on the simulated sample races and on the real Valencia dinghy logs
// (README, "Maneuvers").
struct ManeuverThresholds {
    double maxSpeedKnots = 40;          // a fix implying more is a GPS jump, dropped
    double speedHalfWindowSeconds = 5;  // speed: mean over ±5 s
    double courseHalfBaseSeconds = 2;   // course: the chord over ±2 s
    double turnWindowSeconds = 10;      // a turn is a course change ...
    // ... of at least this within the window: 15 (where published tools
    // start) lists every wave a dinghy steers through on the Valencia logs.
    double minTurnDegrees = 30;
    double mergeGapSeconds = 10;        // same-way turns closer than this are one
    double minSpeedKnots = 1;           // slower, the course is GPS noise
    double entrySearchSeconds = 20;     // how far before the turn the speed may start to drop
    double recoverySearchSeconds = 60;  // how long after the turn the speed may take to recover
    double recoveredFraction = 0.99;    // of the entry speed
    double roundingMarginSeconds = 20;  // a passing this close to a turn makes it a rounding
    // Before and after the turn the course stays this close to the one the
    // loss is measured from, or the bisector has nothing steady to project.
    double steadyCourseDegrees = 20;
};

// A span of racing time on a leg of one kind, for the median VMG.
struct LegSpan {
    double fromSeconds = 0;
    double toSeconds = 0;
    bool upwind = true;
};

struct ManeuverInput {
    const std::vector<TrackPoint>* track = nullptr;
    // The wind file's samples (magnetic, as stored) and the whole degrees
    // that turn them true; without samples the race's wind direction holds.
    const std::vector<WindSample>* windSamples = nullptr;
    int windSampleOffsetDegrees = 0;
    double windDirectionDegrees = 0;
    // Maneuvers are looked for between these race seconds ...
    double fromSeconds = 0;
    double toSeconds = 0;
    // ... and the boat raced between these (its start and its finish).
    double startSeconds = std::numeric_limits<double>::lowest();
    double finishSeconds = std::numeric_limits<double>::max();
    std::vector<double> roundingTimesSeconds;  // passings of the marks between start and finish
    std::vector<LegSpan> legSpans;  // empty: upwind is any course within 90° of the wind
    double boatLengthMetres = 0;
};

std::vector<Maneuver> findManeuvers(const ManeuverInput& input, const LocalPlane& plane,
                                    const ManeuverThresholds& thresholds = {});

// One boat's maneuvers, by its slot.
using BoatManeuverWork = std::function<std::vector<Maneuver>(int boat)>;

// [b]: work(b) for every boat slot, several boats at once. Whatever one
// boat's work throws reaches the caller, after the other threads ended.
std::vector<std::vector<Maneuver>> findManeuversOfEachBoat(int boatCount,
                                                           const BoatManeuverWork& work);

// Every boat of the race, [b] for boat slot b: from the start sequence to
// the boat's last fix, racing from its start (the gun when it has none) to
// its finish (or its last fix); roundings from the passings, median VMG on
// the course's upwind and downwind legs.
std::vector<std::vector<Maneuver>> findRaceManeuvers(const RaceModel& model,
                                                     const LegAnalysis& legs,
                                                     const CourseGeometry& course,
                                                     const LocalPlane& plane);

}  // namespace korvane
