// Small races for the page tests: boats with hand-set fixes for the Graph
// page, and leg results set by hand for the Analysis page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/leg_analysis.h"
#include "race/model.h"
#include "view/colours.h"

namespace korvane::testing {

// A race of `seconds` from the gun, ten seconds of timeline before it, with
// the mean wind from the north (so the course axis puts 270° at its left
// edge, 0° a quarter across).
inline RaceModel pageRace(int seconds = 3600) {
    RaceModel m;
    m.race.timelineBegin = -10;
    m.race.timelineEnd = seconds;
    m.race.timelineLength = seconds + 10;
    m.race.windDirection = 0;
    return m;
}

inline Boat fixedBoat(const std::string& name, std::uint32_t colour,
                      const std::vector<TrackPoint>& fixes) {
    Boat b;
    b.name = name;
    b.colour = colour;
    b.track = fixes;
    return b;
}

// A boat's leg result on a course of two points: distance and time from the
// gun to the finish, and its upwind and downwind totals.
struct LegNumbers {
    std::optional<double> startSeconds;
    std::optional<double> finishSeconds;
    double metres = 0;
    double upSeconds = 0, upNm = 0, downSeconds = 0, downNm = 0;
};

inline BoatLegResult legResult(const LegNumbers& n) {
    BoatLegResult r;
    r.passTimeSeconds = {n.startSeconds, n.finishSeconds};
    r.legDistanceMetres = {n.metres, n.metres};
    r.upTimeSeconds = n.upSeconds;
    r.upDistanceNm = n.upNm;
    r.downTimeSeconds = n.downSeconds;
    r.downDistanceNm = n.downNm;
    return r;
}

}  // namespace korvane::testing
