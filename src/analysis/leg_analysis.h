// When every boat passed each course point, how far it sailed on each leg
// and its upwind and downwind totals; for the race, the finishing ranks, the
// leaders and the last finisher. Filled once per race opening and read-only
// afterwards. This file does not work out leg times or speeds for display;
// leg_figures.h derives them from these tables.
#pragma once

#include <optional>
#include <vector>

#include "race/course_geometry.h"
#include "race/model.h"

namespace korvane {

struct BoatLegResult {
    // [p]: course point p; empty when the boat did not pass it.
    std::vector<std::optional<double>> passTimeSeconds;
    std::vector<double> legDistanceMetres;  // [k]: leg k; the last slot: gun to finish
    int searchIndex = 0;                    // the fix where the next search starts
    int finishRank = 0;
    double upTimeSeconds = 0;
    double downTimeSeconds = 0;
    double upDistanceNm = 0;
    double downDistanceNm = 0;
    // False when a point of an upwind (downwind) leg was not passed: the
    // total then leaves that leg out and means nothing.
    bool upTotalsComplete = true;
    bool downTotalsComplete = true;

    // Outside the course (an empty course has no points) nothing was passed
    // and nothing sailed.
    std::optional<double> passTime(int p) const {
        return p >= 0 && p < pointCount() ? passTimeSeconds[static_cast<std::size_t>(p)]
                                          : std::nullopt;
    }
    double legDistance(int k) const {
        return k >= 0 && k < static_cast<int>(legDistanceMetres.size())
                   ? legDistanceMetres[static_cast<std::size_t>(k)]
                   : 0;
    }
    bool passed(int p) const { return passTime(p).has_value(); }
    bool finished() const { return !passTimeSeconds.empty() && passed(pointCount() - 1); }
    int pointCount() const { return static_cast<int>(passTimeSeconds.size()); }
};

// Whether passing time a comes before b; a point never passed comes after
// every passing, and two such are equal.
bool passedEarlier(std::optional<double> a, std::optional<double> b);

struct LegAnalysis {
    std::vector<BoatLegResult> boats;  // [b]: boat slot b
    // [p]: earliest passing of point p; empty when nobody passed it.
    std::vector<std::optional<double>> leaderTimeSeconds;
    double lastFinishTimeSeconds = 0;  // 0 when nobody finished

    int pointCount() const { return static_cast<int>(leaderTimeSeconds.size()); }
    const BoatLegResult& boat(int b) const { return boats.at(static_cast<std::size_t>(b)); }
    std::optional<double> leaderTime(int p) const {
        return leaderTimeSeconds.at(static_cast<std::size_t>(p));
    }
    // Each boat's passing time of the last course point; empty for a course
    // of fewer than 2 points (the race area then takes every fix).
    std::vector<std::optional<double>> lastPointTimes() const;
};

// Passing times, ranks, leaders and the last finish. The course points come
// from resolveCourse; an empty course gives empty tables.
LegAnalysis detectPassings(const RaceModel& model, const std::vector<CoursePoint>& course);

// The finishing ranks, the leaders and the last finish, from the passing
// times as they stand (detectPassings calls it; so does a correction).
void rankFinishers(LegAnalysis& analysis);

// Drops the fixes a finished boat logged more than a minute after its finish
// (keeping three), so that replay, graphs and distances end with the race.
void cutTracksAfterFinish(RaceModel& model, const LegAnalysis& analysis);

// Distance sailed on each leg of each finished boat, along its track, with
// metres per minute of longitude 1852 × cosLat.
void computeSailedDistances(const RaceModel& model, double cosLat, LegAnalysis& analysis);

// Upwind and downwind totals of time and distance, from the leg kinds.
void computeLegTotals(const CourseGeometry& geometry, LegAnalysis& analysis);

}  // namespace korvane
