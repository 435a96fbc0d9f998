#include "analysis/maneuvers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/numbers.h"
#include "base/parallel.h"
#include "race/angles.h"
#include "race/wind_query.h"
#include "tracks/track_query.h"

namespace korvane {

namespace {

constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRad = std::numbers::pi / 180;
// A run of dropped fixes this long means the fix they were measured from was
// the bad one: the next fix is taken as it is.
constexpr int kMaxDroppedInARow = 5;
// A turn back smaller than a third of the turn just made is its settling.
constexpr double kSettlingShare = 3;
// Maneuvers are listed from this long before the gun: the start sequence.
constexpr double kStartSequenceSeconds = 600;

struct Vec {
    double north = 0;
    double east = 0;
};

Vec unitOf(double bearingDegrees) {
    return {std::cos(bearingDegrees * kRad), std::sin(bearingDegrees * kRad)};
}

double dot(Vec a, Vec b) {
    return a.north * b.north + a.east * b.east;
}

// The track without the fixes that imply more than maxKnots from the fix
// kept before them. Returns the track itself when nothing is dropped, so the
// usual clean log is not copied.
const std::vector<TrackPoint>& withoutJumps(const std::vector<TrackPoint>& track,
                                            const LocalPlane& plane, double maxKnots,
                                            std::vector<TrackPoint>& storage) {
    const double maxMetresPerSecond = maxKnots * kMetresPerSecondPerKnot;
    bool copying = false;
    std::size_t last = 0;
    int droppedInARow = 0;
    for (std::size_t j = 1; j < track.size(); ++j) {
        const TrackPoint& a = copying ? storage.back() : track[last];
        const TrackPoint& b = track[j];
        const double dt = b.timeSeconds - a.timeSeconds;
        const double metres =
            plane.distanceMetres(a.latMinutes, a.lonMinutes, b.latMinutes, b.lonMinutes);
        const bool jump = !(dt > 0) || metres > maxMetresPerSecond * dt;
        if (jump && droppedInARow < kMaxDroppedInARow) {
            if (!copying) {
                storage.assign(track.begin(), track.begin() + static_cast<std::ptrdiff_t>(j));
                copying = true;
            }
            ++droppedInARow;
            continue;
        }
        droppedInARow = 0;
        if (dt <= 0) continue;  // a repeated time cannot be kept in a time-ordered track
        if (copying)
            storage.push_back(b);
        else
            last = j;
    }
    return copying ? storage : track;
}

// The track at whole race seconds on the plane, with its smoothed speed
// (metres a second) and course; NaN where the track has no fix to give.
struct Grid {
    double firstSeconds = 0;
    double latOrigin = 0;
    double lonOrigin = 0;
    double metresPerMinuteLon = 0;
    std::vector<Vec> position;
    std::vector<double> speed;
    std::vector<double> course;

    int size() const { return static_cast<int>(position.size()); }
    bool has(int i) const { return i >= 0 && i < size() && !std::isnan(position[i].north); }
    double time(int i) const { return firstSeconds + i; }
};

Grid sampleGrid(const std::vector<TrackPoint>& track, double from, double to,
                const LocalPlane& plane, const ManeuverThresholds& th) {
    Grid g;
    if (track.size() < 2) return g;
    from = std::max(std::ceil(track.front().timeSeconds), std::floor(from));
    to = std::min(track.back().timeSeconds, to);
    if (!(to > from)) return g;
    const int n = static_cast<int>(to - from) + 1;
    g.firstSeconds = from;
    g.position.assign(static_cast<std::size_t>(n), Vec{kNaN, kNaN});
    // The fixes on either side of each whole second, walked forward once:
    // what sampleAt gives, without the heading this grid does not use.
    const double firstFix = track.front().timeSeconds, lastFix = track.back().timeSeconds;
    std::size_t j = 0;
    bool originSet = false;
    for (int i = 0; i < n; ++i) {
        const double t = from + i;
        if (!(t >= firstFix) || t >= lastFix) continue;
        while (track[j + 1].timeSeconds <= t) ++j;
        const TrackPoint& p = track[j];
        const TrackPoint& q = track[j + 1];
        const double span = q.timeSeconds - p.timeSeconds;
        if (span > kMaxFixGapSeconds) continue;
        const double f = (t - p.timeSeconds) / span;
        const double lat = p.latMinutes + (q.latMinutes - p.latMinutes) * f;
        const double lon = p.lonMinutes + (q.lonMinutes - p.lonMinutes) * f;
        if (!originSet) {
            g.latOrigin = lat;
            g.lonOrigin = lon;
            originSet = true;
        }
        const GroundVector v = plane.vector(g.latOrigin, g.lonOrigin, lat, lon);
        g.position[static_cast<std::size_t>(i)] = {v.northMetres, v.eastMetres};
    }
    g.metresPerMinuteLon = plane.metresPerMinuteLon();

    // Speed: the path sailed over ±h seconds, by running sums of the steps.
    const int h = static_cast<int>(th.speedHalfWindowSeconds);
    std::vector<double> sum(static_cast<std::size_t>(n), 0);
    std::vector<int> gaps(static_cast<std::size_t>(n), 0);
    for (int i = 0; i + 1 < n; ++i) {
        const Vec a = g.position[static_cast<std::size_t>(i)];
        const Vec b = g.position[static_cast<std::size_t>(i) + 1];
        const double step = std::hypot(b.north - a.north, b.east - a.east);
        const bool ok = !std::isnan(step);
        sum[static_cast<std::size_t>(i) + 1] = sum[static_cast<std::size_t>(i)] + (ok ? step : 0);
        gaps[static_cast<std::size_t>(i) + 1] = gaps[static_cast<std::size_t>(i)] + (ok ? 0 : 1);
    }
    g.speed.assign(static_cast<std::size_t>(n), kNaN);
    for (int i = h; i + h < n; ++i) {
        const auto lo = static_cast<std::size_t>(i - h), hi = static_cast<std::size_t>(i + h);
        if (gaps[hi] == gaps[lo])
            g.speed[static_cast<std::size_t>(i)] = (sum[hi] - sum[lo]) / (2 * h);
    }
    const int c = static_cast<int>(th.courseHalfBaseSeconds);
    g.course.assign(static_cast<std::size_t>(n), kNaN);
    for (int i = c; i + c < n; ++i) {
        const Vec a = g.position[static_cast<std::size_t>(i - c)];
        const Vec b = g.position[static_cast<std::size_t>(i + c)];
        const double dn = b.north - a.north, de = b.east - a.east;
        // A chord of some length (what hypot(dn, de) > 0 says, without its cost).
        if ((dn != 0 || de != 0) && !std::isnan(dn + de))
            g.course[static_cast<std::size_t>(i)] = bearingOf(dn, de);
    }
    return g;
}

struct Run {
    int first = 0;
    int last = 0;
    bool starboard = false;
};

// Stretches where the course turns by at least the threshold within the
// window; same-way stretches closer than the merge gap are one turn. The
// turn is summed second by second, so a fast full circle is not read as
// no turn at all.
std::vector<Run> turningRuns(const Grid& g, const ManeuverThresholds& th) {
    std::vector<Run> runs;
    const int n = g.size();
    std::vector<double> turned(static_cast<std::size_t>(n), 0);
    for (int k = 0; k + 1 < n; ++k) {
        const double a = g.course[static_cast<std::size_t>(k)];
        const double b = g.course[static_cast<std::size_t>(k) + 1];
        const double step = std::isnan(a) || std::isnan(b) ? 0 : foldDegrees180(b - a);
        turned[static_cast<std::size_t>(k) + 1] = turned[static_cast<std::size_t>(k)] + step;
    }
    const int w = static_cast<int>(th.turnWindowSeconds / 2);
    const double minSpeed = th.minSpeedKnots * kMetresPerSecondPerKnot;
    for (int i = w; i + w < n; ++i) {
        const auto lo = static_cast<std::size_t>(i - w), hi = static_cast<std::size_t>(i + w);
        const double speed = g.speed[static_cast<std::size_t>(i)];
        if (std::isnan(g.course[lo]) || std::isnan(g.course[hi]) || !(speed >= minSpeed)) continue;
        const double change = turned[hi] - turned[lo];
        if (std::abs(change) < th.minTurnDegrees) continue;
        const bool starboard = change > 0;
        if (!runs.empty() && runs.back().starboard == starboard &&
            i - runs.back().last <= th.mergeGapSeconds)
            runs.back().last = i;
        else
            runs.push_back({i, i, starboard});
    }
    // A small turn back right after a turn is the course settling (and the
    // GPS course wandering while the boat is slow): part of the same turn.
    std::vector<Run> settled;
    const auto turnOf = [&](const Run& r) {
        const int lo = std::max(0, r.first - w), hi = std::min(n - 1, r.last + w);
        return std::abs(turned[static_cast<std::size_t>(hi)] -
                        turned[static_cast<std::size_t>(lo)]);
    };
    for (const Run& r : runs) {
        if (!settled.empty() && r.first - settled.back().last <= th.mergeGapSeconds &&
            turnOf(r) * kSettlingShare < turnOf(settled.back()))
            settled.back().last = r.last;
        else
            settled.push_back(r);
    }
    return settled;
}

int nearestWithCourse(const Grid& g, int i, int step, int limit) {
    for (int k = 0; k <= limit; ++k, i += step)
        if (i >= 0 && i < g.size() && !std::isnan(g.course[static_cast<std::size_t>(i)])) return i;
    return -1;
}

double windAtTime(const ManeuverInput& in, double t, WindCursor& cursor) {
    if (in.windSamples && !in.windSamples->empty())
        if (const auto w = windAt(*in.windSamples, t, cursor))
            return foldDegrees360(w->twdDegrees + in.windSampleOffsetDegrees);
    return in.windDirectionDegrees;
}

// Whether a heading turning from `relative` (degrees off the wind) by `turn`
// passes `mark` (0: head to wind, 180: dead downwind), once round or more.
bool passes(double relative, double turn, double mark) {
    const double lo = std::min(relative, relative + turn);
    const double hi = std::max(relative, relative + turn);
    for (double m = mark - 720; m <= 720; m += 360)
        if (lo < m && m < hi) return true;
    return false;
}

double median(std::vector<double>& v) {
    if (v.empty()) return kNaN;
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

struct MedianVmg {
    double upwind = kNaN;    // metres a second towards the wind
    double downwind = kNaN;  // metres a second away from it
};

constexpr int kVmgStrideSeconds = 5;

MedianVmg medianVmg(const Grid& g, const ManeuverInput& in) {
    std::vector<double> up, down;
    WindCursor cursor;
    std::size_t span = 0;
    for (int i = 0; i < g.size(); i += kVmgStrideSeconds) {
        const double t = g.time(i);
        const double s = g.speed[static_cast<std::size_t>(i)];
        const double c = g.course[static_cast<std::size_t>(i)];
        if (std::isnan(s) || std::isnan(c) || t < in.fromSeconds || t > in.toSeconds ||
            t < in.startSeconds || t > in.finishSeconds)
            continue;
        const double wind = windAtTime(in, t, cursor);
        const double along = s * std::cos((c - wind) * kRad);
        bool upwind = false;
        if (in.legSpans.empty()) {
            upwind = along > 0;
        } else {
            while (span < in.legSpans.size() && in.legSpans[span].toSeconds < t) ++span;
            if (span == in.legSpans.size() || in.legSpans[span].fromSeconds > t) continue;
            upwind = in.legSpans[span].upwind;
        }
        (upwind ? up : down).push_back(upwind ? along : -along);
    }
    return {median(up), median(down)};
}

// Whether every course of [from, to] stays within the threshold of `reference`.
bool steadyCourse(const Grid& g, int from, int to, double reference, double maxDegrees) {
    for (int i = from; i <= to; ++i) {
        const double c = g.course[static_cast<std::size_t>(i)];
        if (!std::isnan(c) && std::abs(foldDegrees180(c - reference)) > maxDegrees) return false;
    }
    return true;
}

// A maneuver and the race seconds its turn took, which the neighbours'
// windows must stay clear of.
struct Measured {
    Maneuver maneuver;
    double turnFromSeconds = 0;
    double turnToSeconds = 0;
};

std::optional<Measured> measure(const Grid& g, const Run& run, const ManeuverInput& in,
                                const ManeuverThresholds& th, const MedianVmg& vmg,
                                WindCursor& windCursor) {
    const int w = static_cast<int>(th.turnWindowSeconds / 2);
    const int ia = nearestWithCourse(g, run.first - w, 1, w);
    const int ib = nearestWithCourse(g, run.last + w, -1, w);
    if (ia < 0 || ib <= ia) return std::nullopt;
    double turn = 0;
    for (int k = ia; k < ib; ++k) {
        const double a = g.course[static_cast<std::size_t>(k)];
        const double b = g.course[static_cast<std::size_t>(k) + 1];
        if (!std::isnan(a) && !std::isnan(b)) turn += foldDegrees180(b - a);
    }
    if (std::abs(turn) < th.minTurnDegrees) return std::nullopt;
    // The middle: where half the turn is done.
    int mid = ia;
    for (double done = 0; mid < ib; ++mid) {
        const double a = g.course[static_cast<std::size_t>(mid)];
        const double b = g.course[static_cast<std::size_t>(mid) + 1];
        if (!std::isnan(a) && !std::isnan(b)) done += foldDegrees180(b - a);
        if (std::abs(done) >= std::abs(turn) / 2) {
            ++mid;
            break;
        }
    }
    const double midTime = g.time(mid);
    if (midTime < in.fromSeconds || midTime > in.toSeconds || !g.has(mid)) return std::nullopt;

    Measured measured{.maneuver = {}, .turnFromSeconds = g.time(ia), .turnToSeconds = g.time(ib)};
    Maneuver& m = measured.maneuver;
    m.timeSeconds = midTime;
    m.phase = midTime < in.startSeconds    ? ManeuverPhase::BeforeStart
              : midTime > in.finishSeconds ? ManeuverPhase::AfterFinish
                                           : ManeuverPhase::Racing;
    m.courseInDegrees = g.course[static_cast<std::size_t>(ia)];
    m.courseOutDegrees = g.course[static_cast<std::size_t>(ib)];
    m.turnDegrees = turn;
    const Vec at = g.position[static_cast<std::size_t>(mid)];
    m.latMinutes = g.latOrigin + at.north / kMetresPerMinuteLat;
    m.lonMinutes = g.lonOrigin + at.east / g.metresPerMinuteLon;

    const double wind = windAtTime(in, midTime, windCursor);
    const double relative = foldDegrees180(m.courseInDegrees - wind);
    const bool eye = passes(relative, turn, 0);
    const bool downwind = passes(relative, turn, 180);
    m.kind = eye && !downwind   ? ManeuverKind::Tack
             : downwind && !eye ? ManeuverKind::Gybe
                                : ManeuverKind::Turn;
    for (double p : in.roundingTimesSeconds)
        if (p >= g.time(ia) - th.roundingMarginSeconds &&
            p <= g.time(ib) + th.roundingMarginSeconds)
            m.kind = ManeuverKind::Rounding;

    // Entry: the fastest moment shortly before the turn, the latest of equals.
    const auto speedAt = [&](int i) { return g.speed[static_cast<std::size_t>(i)]; };
    int entry = -1;
    for (int i = std::max(0, ia - static_cast<int>(th.entrySearchSeconds)); i <= ia; ++i)
        if (!std::isnan(speedAt(i)) && !std::isnan(g.course[static_cast<std::size_t>(i)]) &&
            g.has(i) && (entry < 0 || speedAt(i) >= speedAt(entry)))
            entry = i;
    if (entry < 0) return std::nullopt;
    const double v0 = speedAt(entry);
    const int searchEnd = std::min(g.size() - 1, ib + static_cast<int>(th.recoverySearchSeconds));
    int lowest = entry;
    for (int i = entry; i <= std::min(searchEnd, ib + 2 * w); ++i)
        if (!std::isnan(speedAt(i)) && speedAt(i) < speedAt(lowest)) lowest = i;
    // Recovered: back to the entry speed, or else the best speed the boat
    // found within the search; never before the turn is over.
    int recovered = -1;
    for (int i = std::max(ib, lowest + 1); i <= searchEnd; ++i)
        if (g.has(i) && speedAt(i) >= th.recoveredFraction * v0) {
            recovered = i;
            break;
        }
    if (recovered < 0) {
        for (int i = std::max(ib, lowest + 1); i <= searchEnd; ++i)
            if (g.has(i) && !std::isnan(speedAt(i)) &&
                (recovered < 0 || speedAt(i) > speedAt(recovered)))
                recovered = i;
    }
    if (recovered < 0) return std::nullopt;

    m.entrySeconds = g.time(entry);
    m.exitSeconds = g.time(recovered);
    m.speedInKnots = v0 / kMetresPerSecondPerKnot;
    m.speedMinKnots = speedAt(lowest) / kMetresPerSecondPerKnot;
    m.speedOutKnots = speedAt(recovered) / kMetresPerSecondPerKnot;

    const Vec from = g.position[static_cast<std::size_t>(entry)];
    const Vec to = g.position[static_cast<std::size_t>(recovered)];
    const Vec heading = unitOf(g.course[static_cast<std::size_t>(entry)]);
    const double carried = v0 * (recovered - entry);
    const Vec imagined{from.north + heading.north * carried, from.east + heading.east * carried};
    const Vec bisector = unitOf(m.courseInDegrees + turn / 2);
    if (m.kind == ManeuverKind::Rounding) return measured;
    m.lossMetres = dot({imagined.north - to.north, imagined.east - to.east}, bisector);
    // The boat cannot make more along the bisector than its entry speed, the
    // fastest it went, carries it straight: more is the GPS stepping, not
    // sailing. (The exit speed is no yardstick: a step shows in it too.)
    const double madeAlong = dot({to.north - from.north, to.east - from.east}, bisector);
    const double fastest = v0 * (recovered - entry);
    if (m.phase != ManeuverPhase::Racing || m.entrySeconds < in.startSeconds ||
        m.exitSeconds > in.finishSeconds)
        m.unmeasured = LossUnmeasured::NotRacing;
    else if (!steadyCourse(g, entry, ia, g.course[static_cast<std::size_t>(entry)],
                           th.steadyCourseDegrees) ||
             !steadyCourse(g, ib, recovered, m.courseOutDegrees, th.steadyCourseDegrees))
        m.unmeasured = LossUnmeasured::UnsteadyCourse;
    else if (madeAlong > fastest)
        m.unmeasured = LossUnmeasured::ImpossibleGain;
    if (in.boatLengthMetres > 0) m.lossBoatLengths = *m.lossMetres / in.boatLengthMetres;

    const bool upwind =
        m.kind == ManeuverKind::Tack ||
        (m.kind != ManeuverKind::Gybe && std::abs(foldDegrees180(m.courseOutDegrees - wind)) < 90);
    const double pace = upwind ? vmg.upwind : vmg.downwind;
    if (!std::isnan(pace)) {
        const Vec toWind = unitOf(upwind ? wind : wind + 180);
        const double made = dot({to.north - from.north, to.east - from.east}, toWind);
        m.lossVsMedianVmgMetres = pace * (recovered - entry) - made;
    }
    return measured;
}

// A window that holds another turn or a mark's passing measures both at
// once; such a loss, like any other that could not be measured, is shown
// as none rather than as a number that misleads.
void dropUnmeasurableLosses(std::vector<Measured>& found, const ManeuverInput& in) {
    for (std::size_t i = 0; i < found.size(); ++i) {
        Maneuver& m = found[i].maneuver;
        if (m.kind == ManeuverKind::Rounding || m.unmeasured == LossUnmeasured::NotRacing) continue;
        for (std::size_t j = 0; j < found.size(); ++j)
            if (j != i && found[j].turnToSeconds > m.entrySeconds &&
                found[j].turnFromSeconds < m.exitSeconds)
                m.unmeasured = LossUnmeasured::AnotherManeuver;
        for (double p : in.roundingTimesSeconds)
            if (p >= m.entrySeconds && p <= m.exitSeconds) m.unmeasured = LossUnmeasured::Mark;
    }
    for (Measured& f : found) {
        Maneuver& m = f.maneuver;
        if (m.unmeasured == LossUnmeasured::No) continue;
        m.lossMetres.reset();
        m.lossBoatLengths.reset();
        // Against the median VMG the course need not be steady; the rest
        // spoils that measure as well.
        if (m.unmeasured != LossUnmeasured::UnsteadyCourse) m.lossVsMedianVmgMetres.reset();
    }
}

}  // namespace

std::vector<Maneuver> findManeuvers(const ManeuverInput& in, const LocalPlane& plane,
                                    const ManeuverThresholds& th) {
    std::vector<Maneuver> out;
    if (!in.track || in.track->size() < 2 || !(in.toSeconds > in.fromSeconds)) return out;
    std::vector<TrackPoint> storage;
    const std::vector<TrackPoint>& track =
        withoutJumps(*in.track, plane, th.maxSpeedKnots, storage);
    // Room before and after for the windows, the entry and the recovery.
    const double before = th.entrySearchSeconds + th.turnWindowSeconds + th.speedHalfWindowSeconds;
    const double after =
        th.recoverySearchSeconds + th.turnWindowSeconds + th.speedHalfWindowSeconds;
    const Grid g = sampleGrid(track, in.fromSeconds - before, in.toSeconds + after, plane, th);
    if (g.size() == 0) return out;
    const MedianVmg vmg = medianVmg(g, in);
    WindCursor windCursor;
    std::vector<Measured> found;
    for (const Run& run : turningRuns(g, th))
        if (auto m = measure(g, run, in, th, vmg, windCursor)) found.push_back(std::move(*m));
    dropUnmeasurableLosses(found, in);
    out.reserve(found.size());
    for (Measured& f : found) out.push_back(f.maneuver);
    return out;
}

namespace {

std::vector<Maneuver> boatManeuvers(const RaceModel& model, const LegAnalysis& legs,
                                    const CourseGeometry& course, const LocalPlane& plane, int b) {
    const Boat& boat = model.boats[b];
    if (boat.track.empty()) return {};
    ManeuverInput in;
    in.track = &boat.track;
    in.windSamples = &model.windSamples;
    in.windSampleOffsetDegrees = static_cast<int>(roundHalfEvenToInt(model.race.magneticVariation));
    in.windDirectionDegrees = model.race.windDirection;
    in.boatLengthMetres = boat.lengthMetres;
    in.fromSeconds = -kStartSequenceSeconds;
    in.toSeconds = boat.track.back().timeSeconds;
    in.startSeconds = 0;
    if (b < static_cast<int>(legs.boats.size())) {
        const BoatLegResult& r = legs.boat(b);
        const int finish = r.pointCount() - 1;
        if (r.passed(0)) in.startSeconds = *r.passTime(0);
        if (r.finished()) in.finishSeconds = *r.passTime(finish);
        // Every point between the start and the finish is rounded.
        for (int p = 1; p < finish; ++p)
            if (r.passed(p)) in.roundingTimesSeconds.push_back(*r.passTime(p));
        for (int k = 0; k < course.legCount() && k < finish; ++k) {
            const LegKind kind = course.legs[static_cast<std::size_t>(k)].kind;
            if (kind == LegKind::Across || !r.passed(k) || !r.passed(k + 1)) continue;
            in.legSpans.push_back({*r.passTime(k), *r.passTime(k + 1), kind == LegKind::Up});
        }
    }
    return findManeuvers(in, plane);
}

}  // namespace

std::vector<std::vector<Maneuver>> findManeuversOfEachBoat(int boatCount,
                                                           const BoatManeuverWork& work) {
    std::vector<std::vector<Maneuver>> out(static_cast<std::size_t>(std::max(boatCount, 0)));
    // Boats are independent: each result goes to its own slot, so the table
    // is that of a serial run.
    forEachInOrder(boatCount, work, [&](int b, std::vector<Maneuver> found) {
        out[static_cast<std::size_t>(b)] = std::move(found);
    });
    return out;
}

std::vector<std::vector<Maneuver>> findRaceManeuvers(const RaceModel& model,
                                                     const LegAnalysis& legs,
                                                     const CourseGeometry& course,
                                                     const LocalPlane& plane) {
    return findManeuversOfEachBoat(
        model.boatCount(), [&](int b) { return boatManeuvers(model, legs, course, plane, b); });
}

}  // namespace korvane
