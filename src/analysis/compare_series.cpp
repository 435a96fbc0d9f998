#include "analysis/compare_series.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/standings.h"
#include "base/numbers.h"
#include "race/wind_query.h"
#include "tracks/track_query.h"

namespace korvane {

namespace {

constexpr double kRad = std::numbers::pi / 180;

// Where the wind comes from at t, true: the wind file where it has a
// reading, else the race's one direction.
double windFrom(const RaceModel& model, double timeSeconds, WindCursor& cursor) {
    if (!model.windSamples.empty())
        if (const auto w = windAt(model.windSamples, timeSeconds, cursor))
            return w->twdDegrees + roundHalfEvenToInt(model.race.magneticVariation);
    return model.race.windDirection;
}

// The leg boat b sails at t: the last one whose first mark it passed; the
// first leg before its start.
int legAt(const BoatLegResult& result, int legCount, double timeSeconds) {
    int k = 0;
    while (k + 1 < legCount) {
        const auto passed = result.passTime(k + 1);
        if (!passed || *passed > timeSeconds) break;
        ++k;
    }
    return k;
}

double lastFixSeconds(const Boat& boat) {
    return boat.track.empty() ? 0 : boat.track.back().timeSeconds;
}

bool inRace(const CompareSources& s, int boat) {
    return boat >= 0 && boat < s.model->boatCount() &&
           boat < static_cast<int>(s.legs->boats.size());
}

}  // namespace

double compareStepSeconds(const RaceModel& model, int boatA, int boatB, int samples) {
    double end = 0;
    for (int b : {boatA, boatB})
        if (b >= 0 && b < model.boatCount()) end = std::max(end, lastFixSeconds(model.boats[b]));
    return std::max(1.0, std::ceil(end / std::max(1, samples)));
}

CompareSeries compareSeries(const CompareSources& sources, int boatA, int boatB,
                            double stepSeconds) {
    CompareSeries out;
    out.boatA = boatA;
    out.boatB = boatB;
    if (!sources.model || !sources.legs || !sources.course || !inRace(sources, boatA) ||
        !inRace(sources, boatB))
        return out;
    const RaceModel& model = *sources.model;
    const std::array<int, 2> boats{boatA, boatB};
    const double end =
        std::max(lastFixSeconds(model.boats[boatA]), lastFixSeconds(model.boats[boatB]));
    // A log that runs for days must not make the page wait: a few
    // thousand moments draw every pixel of the widest screen.
    constexpr double kMostMoments = 5000;
    const double step =
        std::max({1.0, std::isfinite(stepSeconds) ? stepSeconds : 1.0, end / kMostMoments});
    const int legCount = sources.course->legCount();
    std::array<TrackCursor, 2> cursors{};
    WindCursor windCursor;
    StandingsSources standing{sources.model, sources.course, sources.legs, sources.plane};
    for (double t = 0; t <= end; t += step) {
        CompareMoment m;
        m.timeSeconds = t;
        const double wind = windFrom(model, t, windCursor);
        std::array<std::optional<TrackSample>, 2> at;
        for (std::size_t i = 0; i < 2; ++i) {
            at[i] = sampleAt(model.boats[boats[i]].track, t, cursors[i]);
            if (!at[i]) continue;
            BoatMoment bm;
            bm.speedKnots = at[i]->speedKnots;
            bm.courseDegrees = at[i]->headingDegrees;
            double along = wind;
            if (legCount > 0) {
                const CourseLeg& leg = sources.course->legs[static_cast<std::size_t>(
                    legAt(sources.legs->boat(boats[i]), legCount, t))];
                bm.reach = leg.kind == LegKind::Across;
                along = bm.reach ? leg.bearingDegrees : leg.kind == LegKind::Up ? wind : wind + 180;
            }
            bm.madeGoodKnots = bm.speedKnots * std::cos((bm.courseDegrees - along) * kRad);
            m.boats[i] = bm;
        }
        if (at[0] && at[1]) {
            const GroundVector d = sources.plane.vector(at[0]->latMinutes, at[0]->lonMinutes,
                                                        at[1]->latMinutes, at[1]->lonMinutes);
            m.windwardMetres =
                d.northMetres * std::cos(wind * kRad) + d.eastMetres * std::sin(wind * kRad);
        }
        const Standings s = standingsAt(standing, t, sources.mode);
        std::array<std::optional<double>, 2> behind;
        for (const BoatStanding& b : s.boats)
            for (std::size_t i = 0; i < 2; ++i)
                if (b.slot == boats[i]) behind[i] = b.secondsBehindLeader;
        if (behind[0] && behind[1]) m.behindSeconds = *behind[1] - *behind[0];
        out.moments.push_back(m);
    }
    return out;
}

}  // namespace korvane
