// The figures the analysis page and the report show, derived on demand from
// the leg analysis: leg times, boat speeds, VMC, positions and the best boat.
// Every value comes with the rule that says whether it may be shown at all.
#pragma once

#include <optional>

#include "analysis/leg_analysis.h"
#include "race/course_geometry.h"

namespace korvane {

inline constexpr double kKnotsPerMetrePerSecond = 3600.0 / kMetresPerMinuteLat;

class LegFigures {
  public:
    LegFigures(const CourseGeometry& geometry, const LegAnalysis& analysis)
        : geometry_(geometry), analysis_(analysis) {}

    int pointCount() const { return analysis_.pointCount(); }
    int legCount() const { return pointCount() > 0 ? pointCount() - 1 : 0; }
    int boatCount() const { return static_cast<int>(analysis_.boats.size()); }
    const BoatLegResult& boat(int b) const { return analysis_.boat(b); }
    const CourseLeg& leg(int k) const { return geometry_.legs.at(static_cast<std::size_t>(k)); }

    // The first leg counts from the gun, not from the boat's own start;
    // empty unless the leg's end (and, after the first leg, its start) was
    // passed.
    std::optional<double> legTime(int b, int k) const;
    std::optional<double> raceTime(int b) const { return boat(b).passTime(pointCount() - 1); }
    // Knots over leg k; nullopt unless time and distance are above 0 and the
    // leg's end point was passed.
    std::optional<double> legSpeed(int b, int k) const;
    // Knots from the gun to the finish; nullopt unless time and distance are
    // above 0.
    std::optional<double> averageSpeed(int b) const;
    // Knots over the upwind (downwind) legs; 0 when the time is not above 0.
    double upSpeed(int b) const;
    double downSpeed(int b) const;
    double upVmc(int b) const;
    double downVmc(int b) const;
    // Course length in nautical miles over the upwind (downwind) legs.
    double upCourseNm() const;
    double downCourseNm() const;
    // 1 + the boats with a strictly earlier passing of point p.
    int position(int b, int p) const;
    // The fastest finisher (first in boat order on a tie); empty when nobody
    // finished.
    std::optional<int> bestBoat() const;

  private:
    double courseNm(LegKind kind) const;

    const CourseGeometry& geometry_;
    const LegAnalysis& analysis_;
};

}  // namespace korvane
