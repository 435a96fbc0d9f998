// Where the time went between two boats: per leg, boat B's leg time minus
// boat A's, split into parts that add up to it exactly. The method is the
// README's ("Where the time went"): each boat's leg is what its sailing
// speed and its angle to the wind (to the leg on a reach) would give over
// the leg, plus the seconds its maneuvers lost, plus a rest that neither
// explains (shifts, pressure, current). This file does not find the
// maneuvers; it takes them as found.
#pragma once

#include <optional>
#include <vector>

#include "analysis/leg_analysis.h"
#include "base/local_plane.h"
#include "race/course_geometry.h"
#include "race/maneuver.h"
#include "race/model.h"

namespace korvane {

// Seconds of B's leg time minus A's: positive is time B lost.
struct TimeParts {
    double start = 0;      // first leg only: the later crossing of the line after the gun
    double speed = 0;      // sailing speed outside the maneuvers
    double angle = 0;      // height or depth: the angle sailed at that speed
    double maneuvers = 0;  // the losses the maneuvers measured, in seconds
    double rest = 0;       // shifts, pressure, current: what the rest leaves

    double sum() const { return start + speed + angle + maneuvers + rest; }
};

struct LegBreakdown {
    int leg = 0;  // 0-based, legs[k] of the course
    double secondsDifference = 0;
    TimeParts parts;
};

struct RaceBreakdown {
    std::vector<LegBreakdown> legs;  // the legs both boats sailed, in course order
    double secondsDifference = 0;    // over those legs
    TimeParts parts;
};

// One boat's leg, as the breakdown reads it.
struct BoatLegSailing {
    double legSeconds = 0;    // the first leg from the gun
    double startSeconds = 0;  // first leg: gun to the boat's own crossing; else 0
    // Outside the maneuvers' windows: mean speed (m/s), and the share of it
    // made good towards the wind, away from it, or along a reach's leg.
    double speedMetresPerSecond = 0;
    double madeGoodShare = 0;
    double madeGoodMetres = 0;  // from the boat's start of the leg to its end
    double maneuverLossMetres = 0;
};

struct BreakdownInput {
    const RaceModel* model = nullptr;
    const LegAnalysis* legs = nullptr;
    const CourseGeometry* course = nullptr;
    const std::vector<std::vector<Maneuver>>* maneuvers = nullptr;  // [b]
    const LocalPlane* plane = nullptr;
};

// Boat b's leg k; empty unless it passed both ends of the leg.
std::optional<BoatLegSailing> boatLegSailing(const BreakdownInput& in, int b, int k,
                                             double windDegrees);

// B against A on leg k from the two boats' legs; the wind direction the
// made-good distance is measured along is the same for both.
LegBreakdown compareLeg(int leg, const BoatLegSailing& a, const BoatLegSailing& b);

// Every leg both boats sailed, and their sum.
RaceBreakdown breakDownRace(const BreakdownInput& in, int boatA, int boatB);

}  // namespace korvane
