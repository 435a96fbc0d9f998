#include "analysis/standings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvane {

namespace {

// The speed made good is taken over this much of the recent track: long
// enough to even out a tack or a gybe, short enough to follow a new leg.
constexpr double kVmgWindowSeconds = 120;
// A shorter span since the start says too little about the speed.
constexpr double kLeastVmgWindowSeconds = 10;
// Below this a boat is not getting anywhere, and a gap in seconds over it
// would run to hours.
constexpr double kLeastVmgMetresPerSecond = 0.05;
constexpr double kKnotsPerMetrePerSecond = 3600.0 / kMetresPerMinuteLat;
// A leg this close to square to the wind is measured along itself.
constexpr double kLeastAxisCosine = 0.2;
// Fixes up to this many logged make a track too short to be stretched in
// corrected time (the import leaves it as logged).
constexpr int kLeastStretchedFixes = 100;

struct Position {
    double latMinutes = 0;
    double lonMinutes = 0;
};

// The track's position at t, held at its first and last fix outside it and
// interpolated across gaps: the course distance of a boat whose log paused
// is where it was last seen.
std::optional<Position> positionAt(const std::vector<TrackPoint>& track, double t) {
    if (track.empty()) return std::nullopt;
    if (!(t > track.front().timeSeconds))
        return Position{track.front().latMinutes, track.front().lonMinutes};
    if (t >= track.back().timeSeconds)
        return Position{track.back().latMinutes, track.back().lonMinutes};
    const auto later =
        std::upper_bound(track.begin(), track.end(), t,
                         [](double s, const TrackPoint& p) { return s < p.timeSeconds; });
    const TrackPoint& b = *later;
    const TrackPoint& a = *(later - 1);
    const double span = b.timeSeconds - a.timeSeconds;
    const double f = span > 0 ? (t - a.timeSeconds) / span : 0;
    return Position{a.latMinutes + (b.latMinutes - a.latMinutes) * f,
                    a.lonMinutes + (b.lonMinutes - a.lonMinutes) * f};
}

double speedAt(const std::vector<TrackPoint>& track, double t) {
    if (track.empty() || t < track.front().timeSeconds || t > track.back().timeSeconds) return 0;
    const auto later =
        std::upper_bound(track.begin(), track.end(), t,
                         [](double s, const TrackPoint& p) { return s < p.timeSeconds; });
    return (later - 1)->speedKnots;
}

bool stretched(const Boat& boat, TimeMode raceMode) {
    return raceMode == TimeMode::Corrected && boat.loggedFixCount > kLeastStretchedFixes &&
           boat.tcf > 0;
}

// What a time on the race's own clock is multiplied by to become a time of
// `mode`.
double timeFactor(const Boat& boat, TimeMode raceMode, TimeMode mode) {
    if (mode == raceMode) return 1;
    if (mode == TimeMode::Corrected) return boat.tcf > 0 ? boat.tcf : 1;
    return stretched(boat, raceMode) ? 1 / boat.tcf : 1;
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

class Course {
  public:
    explicit Course(const StandingsSources& s) : s_(s) {
        const auto& legs = s.course->legs;
        after_.assign(legs.size() + 1, 0);
        for (std::size_t k = legs.size(); k-- > 0;)
            after_[k] = after_[k + 1] + legs[k].lengthMetres;
        windAxisDegrees_ = s.model->race.windDirection + s.model->race.magneticVariation;
    }

    int legCount() const { return s_.course->legCount(); }

    // How many course points the boat had passed by t: one more than the
    // last point passed, so a point the detection missed does not hold the
    // boat on an earlier leg.
    int passedBy(const BoatLegResult& r, double t) const {
        for (int p = std::min(r.pointCount(), s_.course->pointCount()); p-- > 0;)
            if (const auto at = r.passTime(p); at && *at <= t) return p + 1;
        return 0;
    }

    // Course distance from `pos` to the finish for a boat that has passed
    // `passed` points. Up- and downwind the distance to the next point is
    // measured along the wind, on reaches along the leg, and scaled so that
    // a leg counts its full length from its start: the sum runs on without a
    // jump at a rounding.
    double toFinish(int passed, const Position& pos) const {
        if (legCount() < 1) return 0;
        const int k = std::clamp(passed - 1, 0, legCount() - 1);
        const CourseLeg& leg = s_.course->legs[static_cast<std::size_t>(k)];
        const CoursePoint& target = s_.course->points[static_cast<std::size_t>(k) + 1];
        double axis = leg.kind == LegKind::Across ? leg.bearingDegrees : windAxisDegrees_;
        double c = std::cos(radians(leg.bearingDegrees - axis));
        if (std::abs(c) < kLeastAxisCosine) {
            axis = leg.bearingDegrees;
            c = 1;
        }
        const GroundVector v =
            s_.plane.vector(pos.latMinutes, pos.lonMinutes, target.latMinutes, target.lonMinutes);
        const double along =
            (v.northMetres * std::cos(radians(axis)) + v.eastMetres * std::sin(radians(axis))) / c;
        return std::max(along, 0.0) + after_[static_cast<std::size_t>(k) + 1];
    }

  private:
    const StandingsSources& s_;
    std::vector<double> after_;  // [k]: the lengths of legs k onwards
    double windAxisDegrees_ = 0;
};

// Which side of the start line a point lies on: the sign of the cross
// product, in metres, of the line's direction and the way to the point.
double sideOfLine(const LocalPlane& plane, const Line& line, double latMinutes, double lonMinutes) {
    const GroundVector ab =
        plane.vector(line.lat1Minutes, line.lon1Minutes, line.lat2Minutes, line.lon2Minutes);
    const GroundVector ap =
        plane.vector(line.lat1Minutes, line.lon1Minutes, latMinutes, lonMinutes);
    return ab.northMetres * ap.eastMetres - ab.eastMetres * ap.northMetres;
}

// On the course side of the start line or its extensions at the gun, and
// not back on the pre-start side by t. Only the way to the first mark
// counts: a course that finishes on the start line brings every boat back
// across it at the end.
bool onCourseSideAtGun(const StandingsSources& s, const Boat& boat, const BoatLegResult* r,
                       double t) {
    const CourseGeometry& c = *s.course;
    if (c.pointCount() < 2 || c.points[0].kind != CoursePointKind::Line || boat.track.empty())
        return false;
    const std::vector<TrackPoint>& track = boat.track;
    if (track.front().timeSeconds > 0 || track.back().timeSeconds < 0) return false;
    const Line& line = s.model->lines[c.points[0].index];
    const double courseSide =
        sideOfLine(s.plane, line, c.points[1].latMinutes, c.points[1].lonMinutes);
    if (courseSide == 0) return false;
    const std::optional<Position> gun = positionAt(track, 0);
    if (!gun || sideOfLine(s.plane, line, gun->latMinutes, gun->lonMinutes) * courseSide <= 0)
        return false;
    const double until = std::min(t, r ? r->passTime(1).value_or(t) : t);
    for (const TrackPoint& p : track) {
        if (p.timeSeconds <= 0) continue;
        if (p.timeSeconds > until) break;
        if (sideOfLine(s.plane, line, p.latMinutes, p.lonMinutes) * courseSide < 0) return false;
    }
    return true;
}

struct Working {
    BoatStanding standing;
    int passed = 0;
    double factor = 1;
    std::optional<double> vmgMetresPerSecond;
    std::optional<double> value;  // the ranked time, converted by factor
};

bool isRanked(StandingStatus s) {
    return s != StandingStatus::Retired && s != StandingStatus::Ocs;
}

int rankGroup(StandingStatus s) {
    switch (s) {
        case StandingStatus::Finished:
            return 0;
        case StandingStatus::Racing:
            return 1;
        case StandingStatus::NotStarted:
            return 2;
        case StandingStatus::Retired:
            return 3;
        case StandingStatus::Ocs:
            return 4;
    }
    return 4;
}

}  // namespace

const char* standingStatusName(StandingStatus status) {
    switch (status) {
        case StandingStatus::Racing:
            return "racing";
        case StandingStatus::Finished:
            return "finished";
        case StandingStatus::NotStarted:
            return "notStarted";
        case StandingStatus::Retired:
            return "retired";
        case StandingStatus::Ocs:
            return "ocs";
    }
    return "racing";
}

FinishTimes finishTimesOf(const Boat& boat, TimeMode raceMode, double finishSeconds) {
    FinishTimes f;
    if (stretched(boat, raceMode)) {
        f.elapsedSeconds = finishSeconds / boat.tcf;
        f.correctedSeconds = finishSeconds;
    } else {
        f.elapsedSeconds = finishSeconds;
        if (boat.tcf > 0) f.correctedSeconds = finishSeconds * boat.tcf;
    }
    return f;
}

double resultsMoment(const RaceModel& model, const LegAnalysis& legs) {
    double end = std::max(model.race.timelineEnd, legs.lastFinishTimeSeconds);
    for (const Boat& b : model.boats)
        if (!b.track.empty()) end = std::max(end, b.track.back().timeSeconds);
    return end + 1;
}

Standings standingsAt(const StandingsSources& s, double t, TimeMode mode) {
    Standings out;
    out.timeSeconds = t;
    out.mode = mode;
    out.final = s.legs->lastFinishTimeSeconds > 0 && t >= s.legs->lastFinishTimeSeconds;
    const RaceModel& m = *s.model;
    const TimeMode raceMode = m.race.timeMode;
    const Course course(s);
    const int legCount = course.legCount();

    std::vector<Working> all;
    bool converted = false;
    for (int b = 0; b < m.boatCount(); ++b) {
        const Boat& boat = m.boats[b];
        const BoatLegResult* r =
            b < static_cast<int>(s.legs->boats.size()) ? &s.legs->boat(b) : nullptr;
        Working w;
        w.standing.slot = b;
        w.factor = timeFactor(boat, raceMode, mode);
        converted = converted || w.factor != 1;
        w.passed = r ? course.passedBy(*r, t) : 0;
        const std::optional<Position> pos = positionAt(boat.track, t);
        w.standing.speedKnots = speedAt(boat.track, t);
        const bool finished = legCount > 0 && w.passed > legCount;
        if (finished) w.standing.finishSeconds = r->passTime(legCount);
        w.standing.metresToFinish = finished ? 0
                                    : pos    ? course.toFinish(w.passed, *pos)
                                             : s.course->totalLengthMetres;
        w.standing.leg = std::min(w.passed, legCount);

        StandingStatus status = StandingStatus::Racing;
        if (t < 0)
            status = StandingStatus::NotStarted;
        else if (onCourseSideAtGun(s, boat, r, t))
            status = StandingStatus::Ocs;
        else if (finished)
            status = StandingStatus::Finished;
        else if (w.passed == 0)
            status = StandingStatus::NotStarted;
        else if (boat.track.empty() || t > boat.track.back().timeSeconds)
            status = StandingStatus::Retired;
        w.standing.status = status;
        if (status == StandingStatus::NotStarted) w.standing.leg = 0;

        if (status == StandingStatus::Racing && pos) {
            const double started = std::max(0.0, r->passTime(0).value_or(0.0));
            const double window = std::min(kVmgWindowSeconds, t - started);
            if (window >= kLeastVmgWindowSeconds) {
                const double before = t - window;
                const std::optional<Position> then = positionAt(boat.track, before);
                const double made =
                    course.toFinish(course.passedBy(*r, before), *then) - w.standing.metresToFinish;
                if (made / window > kLeastVmgMetresPerSecond) w.vmgMetresPerSecond = made / window;
            }
        }
        if (w.vmgMetresPerSecond)
            w.standing.vmgKnots = *w.vmgMetresPerSecond * kKnotsPerMetrePerSecond;
        all.push_back(w);
    }

    // Progress order first: it ranks the racing boats in the race's own time
    // and says which racing boat is in front.
    const auto byProgress = [](const Working& a, const Working& b) {
        const int ga = rankGroup(a.standing.status);
        const int gb = rankGroup(b.standing.status);
        if (ga != gb) return ga < gb;
        if (ga == 0 && *a.standing.finishSeconds * a.factor != *b.standing.finishSeconds * b.factor)
            return *a.standing.finishSeconds * a.factor < *b.standing.finishSeconds * b.factor;
        if (ga == 1 && a.passed != b.passed) return a.passed > b.passed;
        if (ga <= 2 && a.standing.metresToFinish != b.standing.metresToFinish)
            return a.standing.metresToFinish < b.standing.metresToFinish;
        return a.standing.slot < b.standing.slot;
    };
    std::stable_sort(all.begin(), all.end(), byProgress);

    // Every ranked time is the moment a boat is (or will be, at its speed
    // made good) where the front boat is now: the finish once a boat has
    // finished, else the first racing boat's place on the course.
    const bool anyFinished = std::any_of(all.begin(), all.end(), [](const Working& w) {
        return w.standing.status == StandingStatus::Finished;
    });
    double frontMetres = 0;
    if (!anyFinished)
        for (const Working& w : all)
            if (w.standing.status == StandingStatus::Racing) {
                frontMetres = w.standing.metresToFinish;
                break;
            }
    for (Working& w : all) {
        if (w.standing.status == StandingStatus::Finished)
            w.value = *w.standing.finishSeconds * w.factor;
        else if (w.standing.status == StandingStatus::Racing && w.vmgMetresPerSecond)
            w.value =
                (t + (w.standing.metresToFinish - frontMetres) / *w.vmgMetresPerSecond) * w.factor;
        else if (w.standing.status == StandingStatus::Racing && !anyFinished &&
                 w.standing.metresToFinish == frontMetres)
            w.value = t * w.factor;  // the front boat is where it is, whatever its speed
    }
    if (converted) {
        // Time on time: racing boats rank by their converted times; those
        // without a speed made good keep their order behind them.
        const auto racing = std::find_if(all.begin(), all.end(), [](const Working& w) {
            return w.standing.status == StandingStatus::Racing;
        });
        const auto pastRacing = std::find_if(racing, all.end(), [](const Working& w) {
            return w.standing.status != StandingStatus::Racing;
        });
        std::stable_sort(racing, pastRacing, [](const Working& a, const Working& b) {
            if (a.value.has_value() != b.value.has_value()) return a.value.has_value();
            return a.value && *a.value < *b.value;
        });
    }

    const Working* leader =
        !all.empty() && isRanked(all.front().standing.status) ? &all.front() : nullptr;
    std::vector<int> classCount(static_cast<std::size_t>(kMaxClasses) + 1, 0);
    int place = 0;
    for (Working& w : all) {
        BoatStanding& st = w.standing;
        if (leader) st.metresBehindLeader = st.metresToFinish - leader->standing.metresToFinish;
        if (isRanked(st.status)) {
            st.place = ++place;
            const std::optional<int> cls = m.boats[st.slot].classIndex;
            const std::size_t key = cls ? static_cast<std::size_t>(*cls) + 1 : 0;
            if (key < classCount.size()) st.classPlace = ++classCount[key];
            if (leader && leader->value && w.value)
                st.secondsBehindLeader = *w.value - *leader->value;
        }
        out.boats.push_back(st);
    }
    return out;
}

}  // namespace korvane
