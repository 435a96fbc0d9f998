// Who leads at any moment of the replay, and by how much: every boat's
// place overall and in its class, its status, the leg it sails, the course
// distance still ahead of it and its gap to the leader in metres and in
// seconds. A plain function of the race's tables and one instant; it keeps
// no state, so the window, the CLI and the pages may ask it at any time.
// This file does not draw or format anything; results_table.h does.
#pragma once

#include <optional>
#include <vector>

#include "analysis/leg_analysis.h"
#include "base/local_plane.h"
#include "race/course_geometry.h"
#include "race/model.h"

namespace korvane {

enum class StandingStatus { Racing, Finished, NotStarted, Retired, Ocs };

// "racing", "finished", "notStarted", "retired", "ocs".
const char* standingStatusName(StandingStatus status);

struct BoatStanding {
    int slot = 0;        // 0-based, into RaceModel::boats
    int place = 0;       // 1-based; 0 for a retired or OCS boat, which has none
    int classPlace = 0;  // among the boats of its class; 0 as above
    StandingStatus status = StandingStatus::NotStarted;
    int leg = 0;  // 1-based leg sailed; 0 before the start; the last leg once finished
    double metresToFinish = 0;
    // Behind the boat in first place; 0 for the leader and for finishers.
    double metresBehindLeader = 0;
    // Finishers: the finish-time gap. Racing boats: how long the boat needs
    // to reach where the leader is (or finished), at its own recent speed
    // made good. Empty when that speed is unknown or the boat is not ranked.
    std::optional<double> secondsBehindLeader;
    std::optional<double> finishSeconds;  // race seconds of the finish, once passed
    double speedKnots = 0;                // of the fix at the moment
    // Speed made good along the leg over the last couple of minutes.
    std::optional<double> vmgKnots;
};

struct Standings {
    double timeSeconds = 0;
    TimeMode mode = TimeMode::Elapsed;
    // Ranked boats in place order (finished, racing, not started), then the
    // retired and the OCS boats in slot order.
    std::vector<BoatStanding> boats;
    // The moment lies at or after the last finish: these are the results.
    bool final = false;
};

// What the standings are worked out from: the open race's tables.
struct StandingsSources {
    const RaceModel* model = nullptr;
    const CourseGeometry* course = nullptr;
    const LegAnalysis* legs = nullptr;
    LocalPlane plane{1};
};

// The standings at `timeSeconds` (race seconds on the race's own clock). With
// `mode` other than the time mode the race was opened in, the finish times
// and gaps are converted time-on-time by each boat's tcf: the places then
// follow the converted times.
Standings standingsAt(const StandingsSources& sources, double timeSeconds, TimeMode mode);

// A boat's elapsed and corrected finish time from a finish on the race's
// own clock; corrected is empty for a boat without a factor.
struct FinishTimes {
    double elapsedSeconds = 0;
    std::optional<double> correctedSeconds;
};
FinishTimes finishTimesOf(const Boat& boat, TimeMode raceMode, double finishSeconds);

// The moment after which nothing changes any more: past every finish and
// every track's end.
double resultsMoment(const RaceModel& model, const LegAnalysis& legs);

}  // namespace korvane
