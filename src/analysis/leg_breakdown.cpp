#include "analysis/leg_breakdown.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "base/numbers.h"
#include "race/angles.h"
#include "race/wind_query.h"
#include "tracks/track_query.h"

namespace korvane {

namespace {

constexpr double kRad = std::numbers::pi / 180;
// Below this share of its speed made good a boat is not sailing the leg
// (drifting, sailing away): its speed and angle explain nothing.
constexpr double kMinMadeGoodShare = 0.05;

double windFrom(const RaceModel& model, double timeSeconds, WindCursor& cursor) {
    if (!model.windSamples.empty())
        if (const auto w = windAt(model.windSamples, timeSeconds, cursor))
            return w->twdDegrees + roundHalfEvenToInt(model.race.magneticVariation);
    return model.race.windDirection;
}

// The direction a leg is made good along at time t: towards the wind on a
// beat, away from it on a run, the leg's own bearing on a reach.
class LegDirection {
  public:
    LegDirection(const RaceModel& model, const CourseLeg& leg) : model_(model), leg_(leg) {}

    double at(double timeSeconds) {
        if (leg_.kind == LegKind::Across) return leg_.bearingDegrees;
        const double wind = windFrom(model_, timeSeconds, cursor_);
        return leg_.kind == LegKind::Up ? wind : wind + 180;
    }

  private:
    const RaceModel& model_;
    const CourseLeg& leg_;
    WindCursor cursor_;
};

// Where the boat was at t, its last fix included (a finish on it).
std::optional<std::pair<double, double>> positionAt(const std::vector<TrackPoint>& track,
                                                    double t) {
    if (!track.empty() && track.back().timeSeconds == t)
        return std::pair{track.back().latMinutes, track.back().lonMinutes};
    TrackCursor cursor;
    if (const auto s = sampleAt(track, t, cursor)) return std::pair{s->latMinutes, s->lonMinutes};
    return std::nullopt;
}

bool insideAny(const std::vector<Maneuver>& maneuvers, double from, double to) {
    return std::any_of(maneuvers.begin(), maneuvers.end(), [&](const Maneuver& m) {
        return m.phase == ManeuverPhase::Racing && from < m.exitSeconds && to > m.entrySeconds;
    });
}

// The time a boat's leg takes at its speed and share, over the made-good
// distance both boats are measured on; empty when the boat did not sail it.
std::optional<double> sailingSeconds(const BoatLegSailing& s, double madeGoodMetres) {
    const double rate = s.speedMetresPerSecond * s.madeGoodShare;
    if (!(s.madeGoodShare >= kMinMadeGoodShare) || !(rate > 0)) return std::nullopt;
    return madeGoodMetres / rate;
}

void addParts(TimeParts& to, const TimeParts& p) {
    to.start += p.start;
    to.speed += p.speed;
    to.angle += p.angle;
    to.maneuvers += p.maneuvers;
    to.rest += p.rest;
}

}  // namespace

std::optional<BoatLegSailing> boatLegSailing(const BreakdownInput& in, int b, int k,
                                             double windDegrees) {
    const BoatLegResult& r = in.legs->boat(b);
    const auto from = r.passTime(k), to = r.passTime(k + 1);
    if (!from || !to || !(*to > *from) || k >= in.course->legCount()) return std::nullopt;
    const std::vector<TrackPoint>& track = in.model->boats[b].track;
    const std::vector<Maneuver>& maneuvers = in.maneuvers->at(static_cast<std::size_t>(b));
    const CourseLeg& leg = in.course->legs[static_cast<std::size_t>(k)];
    BoatLegSailing s;
    s.startSeconds = k == 0 ? std::max(*from, 0.0) : 0;
    s.legSeconds = k == 0 ? *to : *to - *from;

    const auto begin = positionAt(track, *from), end = positionAt(track, *to);
    if (!begin || !end) return std::nullopt;
    const GroundVector made =
        in.plane->vector(begin->first, begin->second, end->first, end->second);
    const double reference = leg.kind == LegKind::Across ? leg.bearingDegrees
                             : leg.kind == LegKind::Up   ? windDegrees
                                                         : windDegrees + 180;
    s.madeGoodMetres = made.northMetres * std::cos(reference * kRad) +
                       made.eastMetres * std::sin(reference * kRad);

    // The steps between fixes inside the leg, outside every maneuver's
    // window: what the boat sails when it is just sailing.
    LegDirection direction(*in.model, leg);
    double seconds = 0, path = 0, madeGood = 0;
    for (std::size_t j = 0; j + 1 < track.size(); ++j) {
        const TrackPoint& p = track[j];
        const TrackPoint& q = track[j + 1];
        const double dt = q.timeSeconds - p.timeSeconds;
        if (p.timeSeconds < *from || q.timeSeconds > *to || !(dt > 0) || dt > kMaxFixGapSeconds ||
            insideAny(maneuvers, p.timeSeconds, q.timeSeconds))
            continue;
        const GroundVector step =
            in.plane->vector(p.latMinutes, p.lonMinutes, q.latMinutes, q.lonMinutes);
        const double along = direction.at((p.timeSeconds + q.timeSeconds) / 2) * kRad;
        seconds += dt;
        path += std::hypot(step.northMetres, step.eastMetres);
        madeGood += step.northMetres * std::cos(along) + step.eastMetres * std::sin(along);
    }
    if (seconds > 0 && path > 0) {
        s.speedMetresPerSecond = path / seconds;
        s.madeGoodShare = madeGood / path;
    }
    for (const Maneuver& m : maneuvers)
        if (m.phase == ManeuverPhase::Racing && m.lossMetres && m.timeSeconds >= *from &&
            m.timeSeconds < *to)
            s.maneuverLossMetres += *m.lossMetres;
    return s;
}

LegBreakdown compareLeg(int leg, const BoatLegSailing& a, const BoatLegSailing& b) {
    LegBreakdown out;
    out.leg = leg;
    out.secondsDifference = b.legSeconds - a.legSeconds;
    TimeParts& p = out.parts;
    p.start = b.startSeconds - a.startSeconds;
    // Both boats over the same distance, so that the geometry of where each
    // crossed a line is no speed of either.
    const double distance = (a.madeGoodMetres + b.madeGoodMetres) / 2;
    const auto ta = sailingSeconds(a, distance), tb = sailingSeconds(b, distance);
    if (ta && tb) {
        // Speed and angle in either order, averaged: neither is favoured.
        BoatLegSailing bSpeedOnly = a;
        bSpeedOnly.speedMetresPerSecond = b.speedMetresPerSecond;
        BoatLegSailing aSpeedOnly = b;
        aSpeedOnly.speedMetresPerSecond = a.speedMetresPerSecond;
        const double speedFirst = *sailingSeconds(bSpeedOnly, distance) - *ta;
        const double speedLast = *tb - *sailingSeconds(aSpeedOnly, distance);
        p.speed = (speedFirst + speedLast) / 2;
        p.angle = *tb - *ta - p.speed;
        // A metre lost in a maneuver is a metre of the leg made good again
        // at the boat's own pace.
        p.maneuvers = b.maneuverLossMetres / (b.speedMetresPerSecond * b.madeGoodShare) -
                      a.maneuverLossMetres / (a.speedMetresPerSecond * a.madeGoodShare);
    }
    p.rest = out.secondsDifference - p.start - p.speed - p.angle - p.maneuvers;
    return out;
}

RaceBreakdown breakDownRace(const BreakdownInput& in, int boatA, int boatB) {
    RaceBreakdown out;
    const int boats = in.model->boatCount();
    if (boatA < 0 || boatB < 0 || boatA >= boats || boatB >= boats ||
        boatA >= static_cast<int>(in.legs->boats.size()) ||
        boatB >= static_cast<int>(in.legs->boats.size()) ||
        boatA >= static_cast<int>(in.maneuvers->size()) ||
        boatB >= static_cast<int>(in.maneuvers->size()))
        return out;
    const BoatLegResult& ra = in.legs->boat(boatA);
    for (int k = 0; k < in.course->legCount(); ++k) {
        const auto from = ra.passTime(k), to = ra.passTime(k + 1);
        if (!from || !to) continue;
        // The wind of A's mid-leg: the one line both boats' progress is
        // measured along.
        WindCursor cursor;
        const double wind = windFrom(*in.model, (*from + *to) / 2, cursor);
        const auto a = boatLegSailing(in, boatA, k, wind);
        const auto b = boatLegSailing(in, boatB, k, wind);
        if (!a || !b) continue;
        LegBreakdown one = compareLeg(k, *a, *b);
        out.secondsDifference += one.secondsDifference;
        addParts(out.parts, one.parts);
        out.legs.push_back(one);
    }
    return out;
}

}  // namespace korvane
