#include "analysis/passing_candidates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/numbers.h"

namespace korvane {

namespace {

// An approach ends once the boat is this much farther off than its closest
// fix; GPS noise stays well below it.
constexpr double kLeaveMetres = 50;
// Moments closer than this are the same passing.
constexpr double kSameMomentSeconds = 1;
// A closest fix this near the passing belongs to the same approach.
constexpr double kSameApproachSeconds = 20;

constexpr double kDegreesToRadians = 3.14159265358979323846 / 180;

struct Vec {
    double north = 0;
    double east = 0;
};

Vec minus(Vec a, Vec b) {
    return {a.north - b.north, a.east - b.east};
}
double cross(Vec a, Vec b) {
    return a.north * b.east - a.east * b.north;
}
double dot(Vec a, Vec b) {
    return a.north * b.north + a.east * b.east;
}
double length(Vec a) {
    return std::hypot(a.north, a.east);
}
Vec lerp(Vec a, Vec b, double f) {
    return {a.north + (b.north - a.north) * f, a.east + (b.east - a.east) * f};
}

// The course point on the race's plane, around its own position: a mark,
// or a line with its two ends, and the bearing line of a mark that turns
// the course.
class PointShape {
  public:
    PointShape(const RaceModel& model, const CourseGeometry& course, int p, const LocalPlane& plane)
        : plane_(plane) {
        const CoursePoint& point = course.points[static_cast<std::size_t>(p)];
        originLat_ = point.latMinutes;
        originLon_ = point.lonMinutes;
        if (point.kind == CoursePointKind::Line) {
            const Line& line = model.lines[point.index];
            isLine_ = true;
            a_ = at(line.lat1Minutes, line.lon1Minutes);
            b_ = at(line.lat2Minutes, line.lon2Minutes);
        } else if (p >= 1 && p - 1 < static_cast<int>(course.bisectorDegrees.size())) {
            const double bearing =
                course.bisectorDegrees[static_cast<std::size_t>(p - 1)] * kDegreesToRadians;
            ray_ = Vec{std::cos(bearing), std::sin(bearing)};
        }
    }

    bool isLine() const { return isLine_; }
    Vec at(double latMinutes, double lonMinutes) const {
        const GroundVector v = plane_.vector(originLat_, originLon_, latMinutes, lonMinutes);
        return {v.northMetres, v.eastMetres};
    }
    double distance(Vec p) const {
        if (!isLine_) return length(p);
        const Vec ab = minus(b_, a_);
        const double len2 = dot(ab, ab);
        const double f = len2 > 0 ? std::clamp(dot(minus(p, a_), ab) / len2, 0.0, 1.0) : 0;
        return length(minus(p, lerp(a_, b_, f)));
    }
    // The fraction of the way from p to q where the track crosses the line
    // (or the mark's bearing line), or nothing.
    std::optional<double> crossing(Vec p, Vec q) const {
        double sp;
        double sq;
        if (isLine_) {
            sp = cross(minus(b_, a_), minus(p, a_));
            sq = cross(minus(b_, a_), minus(q, a_));
        } else if (ray_) {
            sp = cross(*ray_, p);
            sq = cross(*ray_, q);
        } else {
            return std::nullopt;
        }
        // A stretch of track along the line crosses nothing.
        if (sp * sq > 0 || (sp == 0 && sq == 0)) return std::nullopt;
        const double f = sp == sq ? 0 : sp / (sp - sq);
        // A bearing line runs outward from the mark only.
        if (!isLine_ && dot(*ray_, lerp(p, q, f)) < 0) return std::nullopt;
        return f;
    }

  private:
    const LocalPlane& plane_;
    double originLat_ = 0;
    double originLon_ = 0;
    bool isLine_ = false;
    Vec a_;
    Vec b_;
    std::optional<Vec> ray_;
};

PassingMoment momentAt(const std::vector<TrackPoint>& track, const PointShape& shape, double t,
                       PassingKind kind) {
    PassingMoment m;
    m.timeSeconds = t;
    m.kind = kind;
    if (track.empty()) return m;
    const auto after =
        std::upper_bound(track.begin(), track.end(), t,
                         [](double v, const TrackPoint& f) { return v < f.timeSeconds; });
    const TrackPoint& to = after == track.end() ? track.back() : *after;
    const TrackPoint& from = after == track.begin() ? track.front() : *(after - 1);
    const double span = to.timeSeconds - from.timeSeconds;
    const double f = span > 0 ? std::clamp((t - from.timeSeconds) / span, 0.0, 1.0) : 0;
    m.latMinutes = from.latMinutes + (to.latMinutes - from.latMinutes) * f;
    m.lonMinutes = from.lonMinutes + (to.lonMinutes - from.lonMinutes) * f;
    m.metresFromMark = shape.distance(shape.at(m.latMinutes, m.lonMinutes));
    return m;
}

// Every crossing and every close approach strictly between lo and hi.
std::vector<PassingMoment> momentsBetween(const std::vector<TrackPoint>& track,
                                          const PointShape& shape, double lo, double hi) {
    std::vector<PassingMoment> found;
    std::vector<Vec> at;
    at.reserve(track.size());
    for (const TrackPoint& f : track) at.push_back(shape.at(f.latMinutes, f.lonMinutes));
    auto inside = [&](double t) { return t > lo && t < hi; };

    std::vector<bool> crossedAfter(track.size(), false);  // [j]: segment j to j + 1
    for (std::size_t j = 0; j + 1 < track.size(); ++j) {
        const auto f = shape.crossing(at[j], at[j + 1]);
        if (!f) continue;
        crossedAfter[j] = true;
        const double t =
            track[j].timeSeconds + (track[j + 1].timeSeconds - track[j].timeSeconds) * *f;
        const Vec x = lerp(at[j], at[j + 1], *f);
        const double d = shape.distance(x);
        if (!inside(t) || d > kCandidateRadiusMetres) continue;
        PassingMoment m = momentAt(track, shape, t, PassingKind::Crossing);
        m.metresFromMark = d;
        found.push_back(m);
    }

    // Close approaches: the closest fix of each dip in the distance that is
    // followed by a rise of kLeaveMetres (or by the end of the window).
    bool seekingMin = true;
    double extreme = std::numeric_limits<double>::infinity();
    std::size_t closest = 0;
    auto emit = [&] {
        if (extreme > kCandidateRadiusMetres) return;
        // The closest fix beside a crossing of a line is that crossing again.
        if (shape.isLine() && (crossedAfter[closest] || (closest > 0 && crossedAfter[closest - 1])))
            return;
        const TrackPoint& fix = track[closest];
        found.push_back({roundHalfEven(fix.timeSeconds), PassingKind::Closest, extreme,
                         fix.latMinutes, fix.lonMinutes});
    };
    for (std::size_t j = 0; j < track.size(); ++j) {
        if (!inside(track[j].timeSeconds)) continue;
        const double d = shape.distance(at[j]);
        if (seekingMin) {
            if (d < extreme) {
                extreme = d;
                closest = j;
            } else if (d > extreme + kLeaveMetres) {
                emit();
                seekingMin = false;
                extreme = d;
            }
        } else if (d > extreme) {
            extreme = d;
        } else if (d < extreme - kLeaveMetres) {
            seekingMin = true;
            extreme = d;
            closest = j;
        }
    }
    if (seekingMin && std::isfinite(extreme)) emit();
    std::sort(found.begin(), found.end(), [](const PassingMoment& a, const PassingMoment& b) {
        return a.timeSeconds < b.timeSeconds;
    });
    return found;
}

// Centimetres are all a GPS fix can tell, and a crossing on the line then
// reads 0 rather than a rounding error.
double roundedMetres(double metres) {
    return std::round(metres * 100) / 100;
}

bool sameMoment(double a, double b) {
    return std::fabs(a - b) < kSameMomentSeconds;
}

// How the detection found a time it chose: a line's passing is a crossing
// when a crossing of the line (or its extension, which the detection also
// takes) falls on it; anything else is the closest fix.
PassingKind detectedKind(const std::vector<TrackPoint>& track, const PointShape& shape, double t) {
    if (!shape.isLine()) return PassingKind::Closest;
    for (std::size_t j = 0; j + 1 < track.size(); ++j) {
        if (track[j].timeSeconds > t || track[j + 1].timeSeconds < t) continue;
        const auto f = shape.crossing(shape.at(track[j].latMinutes, track[j].lonMinutes),
                                      shape.at(track[j + 1].latMinutes, track[j + 1].lonMinutes));
        if (!f) continue;
        const double tau =
            track[j].timeSeconds + (track[j + 1].timeSeconds - track[j].timeSeconds) * *f;
        if (std::fabs(tau - t) < 1e-3) return PassingKind::Crossing;
    }
    return PassingKind::Closest;
}

}  // namespace

const char* passingKindName(PassingKind kind) {
    switch (kind) {
        case PassingKind::Crossing:
            return "crossing";
        case PassingKind::Closest:
            return "closest";
        case PassingKind::Pinned:
            return "pinned";
    }
    return "pinned";
}

std::vector<PassingExplanation> explainBoatPassings(const RaceModel& model,
                                                    const CourseGeometry& course,
                                                    const LegAnalysis& legs,
                                                    const LegAnalysis& detected,
                                                    const PassingCorrections& corrections,
                                                    const LocalPlane& plane, int boat) {
    std::vector<PassingExplanation> out;
    if (boat < 0 || boat >= model.boatCount() || boat >= static_cast<int>(legs.boats.size()))
        return out;
    const int n = std::min(course.pointCount(), legs.pointCount());
    const std::vector<TrackPoint>& track = model.boats[boat].track;
    const BoatLegResult& result = legs.boat(boat);
    const BoatLegResult* found =
        boat < static_cast<int>(detected.boats.size()) ? &detected.boat(boat) : nullptr;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (int p = 0; p < n; ++p) {
        const PointShape shape(model, course, p, plane);
        // Between the neighbouring passings in force.
        double lo = -kInfinity;
        for (int q = p - 1; q >= 0 && lo == -kInfinity; --q)
            if (const auto t = result.passTime(q)) lo = *t;
        double hi = kInfinity;
        for (int q = p + 1; q < n && hi == kInfinity; ++q)
            if (const auto t = result.passTime(q)) hi = *t;
        std::vector<PassingMoment> moments = momentsBetween(track, shape, lo, hi);

        PassingExplanation e;
        const PassingCorrection* correction = corrections.find(boat, p);
        e.corrected = correction != nullptr;
        std::optional<double> detectedTime = found ? found->passTime(p) : std::nullopt;
        if (const auto t = result.passTime(p)) {
            PassingKind kind = e.corrected ? PassingKind::Pinned : detectedKind(track, shape, *t);
            if (e.corrected)
                for (const PassingMoment& m : moments)
                    if (sameMoment(m.timeSeconds, *t)) kind = m.kind;
            e.chosen = momentAt(track, shape, *t, kind);
            e.chosen->metresFromMark = roundedMetres(e.chosen->metresFromMark);
        }
        // What the detection chose stays on offer once it is overruled.
        if (e.corrected && detectedTime &&
            std::none_of(moments.begin(), moments.end(), [&](const PassingMoment& m) {
                return sameMoment(m.timeSeconds, *detectedTime);
            }))
            moments.push_back(
                momentAt(track, shape, *detectedTime, detectedKind(track, shape, *detectedTime)));
        for (PassingMoment m : moments) {
            if (e.chosen && sameMoment(m.timeSeconds, e.chosen->timeSeconds)) continue;
            if (e.chosen && m.kind == e.chosen->kind && m.kind == PassingKind::Closest &&
                std::fabs(m.timeSeconds - e.chosen->timeSeconds) < kSameApproachSeconds)
                continue;
            m.metresFromMark = roundedMetres(m.metresFromMark);
            if (!e.candidates.empty() && sameMoment(m.timeSeconds, e.candidates.back().timeSeconds))
                continue;
            e.candidates.push_back(m);
        }
        std::sort(e.candidates.begin(), e.candidates.end(),
                  [](const PassingMoment& a, const PassingMoment& b) {
                      return a.timeSeconds < b.timeSeconds;
                  });
        out.push_back(std::move(e));
    }
    return out;
}

}  // namespace korvane
