#include "analysis/leg_analysis.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace korvane {

namespace {

// A mark counts as rounded within this distance (minutes of arc), and the
// closest fix is taken once the boat is this much farther away again.
constexpr double kMarkRadiusMinutes = 0.2;
constexpr double kMarkLeaveMinutes = 0.1;

// A boat's fixes as the passing rules read them.
class Fixes {
  public:
    explicit Fixes(const std::vector<TrackPoint>& track) : track_(track) {}
    int count() const { return static_cast<int>(track_.size()); }
    const TrackPoint& operator[](int j) const { return track_[static_cast<std::size_t>(j)]; }
    double t(int j) const { return (*this)[j].timeSeconds; }
    // t(j) for a j past the end reads as 0, the value an unused slot holds.
    double tOrZero(int j) const { return j >= 0 && j < count() ? t(j) : 0; }

  private:
    const std::vector<TrackPoint>& track_;
};

// Signed offset of a position from a line: its sign tells the side.
class LineSide {
  public:
    explicit LineSide(const Line& line) : line_(line) {
        const double dLat = line.lat2Minutes - line.lat1Minutes;
        dLon_ = line.lon2Minutes - line.lon1Minutes;
        length_ = std::sqrt(dLat * dLat + dLon_ * dLon_);
        if (dLon_ != 0) {
            slope_ = dLat / dLon_;
            intercept_ = line.lat1Minutes - slope_ * line.lon1Minutes;
        }
    }

    double offset(double lat, double lon) const {
        if (slope_ != 0 || intercept_ != 0) return slope_ * lon + intercept_ - lat;
        if (dLon_ == 0) return lon - line_.lon1Minutes;  // north-south line
        return lat - line_.lat1Minutes;
    }

    // On the line itself rather than on its extension.
    bool holds(double lat, double lon) const {
        return std::hypot(lat - line_.lat1Minutes, lon - line_.lon1Minutes) < length_ &&
               std::hypot(lat - line_.lat2Minutes, lon - line_.lon2Minutes) < length_;
    }

  private:
    const Line& line_;
    double dLon_ = 0;
    double length_ = 0;
    double slope_ = 0;
    double intercept_ = 0;
};

// The number of fixes in the first half of a track.
int halfCount(int n) {
    return static_cast<int>(roundHalfEvenToInt(n / 2.0));
}

// The stretch of track searched for the start: from shortly before the gun
// to ten minutes after it, within the first half of the track. `end` is the
// last fix of the stretch.
void startWindow(const Fixes& fixes, int& begin, int& end) {
    const int n = fixes.count();
    const int h = halfCount(n);
    begin = 0;
    for (int j = 0; j < h; ++j)
        if (fixes.t(j) < -30 && fixes.tOrZero(j + 5) > 0) {
            begin = j;
            break;
        }
    end = n - 1;
    for (int k = begin; k < h; ++k)
        if (fixes.t(k) < 600 && fixes.tOrZero(k + 2) > 600) {
            end = k;
            break;
        }
}

void searchLineCrossing(const Fixes& fixes, const Line& line, int p, bool lastPoint,
                        BoatLegResult& boat) {
    const LineSide side(line);
    int first;
    int last;  // last segment scanned (from fix last to last + 1)
    if (p == 0) {
        int end;
        startWindow(fixes, first, end);
        boat.searchIndex = first;
        last = end - 1;
    } else {
        first = boat.searchIndex + 1;
        last = fixes.count() - 2;
    }
    std::optional<double>& passTime = boat.passTimeSeconds[static_cast<std::size_t>(p)];
    for (int u = std::max(first, 0); u <= last; ++u) {
        const TrackPoint& from = fixes[u];
        const TrackPoint& to = fixes[u + 1];
        const double a = side.offset(from.latMinutes, from.lonMinutes);
        const double b = side.offset(to.latMinutes, to.lonMinutes);
        if (a * b > 0) continue;
        double f = a == b ? 0 : std::fabs(a / (b - a));
        if (f > 1) f = 0;
        const double tau = from.timeSeconds + (to.timeSeconds - from.timeSeconds) * f;
        if (tau >= 0) passTime = tau;
        const double lat = from.latMinutes + (to.latMinutes - from.latMinutes) * f;
        const double lon = from.lonMinutes + (to.lonMinutes - from.lonMinutes) * f;
        if (side.holds(lat, lon)) {
            boat.searchIndex = u + 1;
            if (lastPoint) break;
        }
    }
}

void searchNearestApproach(const Fixes& fixes, double targetLat, double targetLon, int p,
                           BoatLegResult& boat) {
    int first;
    int last;
    if (p == 0) {
        first = 0;
        last = halfCount(fixes.count()) - 1;
    } else {
        first = boat.searchIndex;
        last = fixes.count() - 2;
    }
    std::optional<double>& passTime = boat.passTimeSeconds[static_cast<std::size_t>(p)];
    double best = kMarkRadiusMinutes;
    for (int j = std::max(first, 0); j <= last; ++j) {
        const double d =
            std::hypot(targetLat - fixes[j].latMinutes, targetLon - fixes[j].lonMinutes);
        if (d < best) {
            best = d;
            passTime = roundHalfEven(fixes.t(j));
            boat.searchIndex = j + 1;
        }
        if (best < kMarkRadiusMinutes && d > best + kMarkLeaveMinutes) break;
    }
}

}  // namespace

void rankFinishers(LegAnalysis& analysis) {
    const int n = analysis.pointCount();
    const int finish = n - 1;
    for (BoatLegResult& boat : analysis.boats) {
        int ahead = 0;
        for (const BoatLegResult& other : analysis.boats)
            if (passedEarlier(other.passTime(finish), boat.passTime(finish))) ++ahead;
        boat.finishRank = 1 + ahead;
    }
    analysis.lastFinishTimeSeconds = 0;
    for (const BoatLegResult& boat : analysis.boats)
        if (const auto t = boat.passTime(finish))
            analysis.lastFinishTimeSeconds = std::max(analysis.lastFinishTimeSeconds, *t);
    for (int p = 0; p < n; ++p) {
        std::optional<double> leader;
        for (const BoatLegResult& boat : analysis.boats)
            if (passedEarlier(boat.passTime(p), leader)) leader = boat.passTime(p);
        analysis.leaderTimeSeconds[static_cast<std::size_t>(p)] = leader;
    }
}

namespace {

struct Position {
    double lat;
    double lon;
};

Position interpolate(const TrackPoint& a, const TrackPoint& b, double g) {
    return {a.latMinutes + (b.latMinutes - a.latMinutes) * g,
            a.lonMinutes + (b.lonMinutes - a.lonMinutes) * g};
}

// Metres between two positions on the race's plane.
class GroundDistance {
  public:
    explicit GroundDistance(double cosLat) : plane_(cosLat) {}
    double operator()(Position a, Position b) const {
        return plane_.distanceMetres(a.lat, a.lon, b.lat, b.lon);
    }

  private:
    LocalPlane plane_;
};

Position at(const TrackPoint& p) {
    return {p.latMinutes, p.lonMinutes};
}

// Fraction of segment j (fix j to j + 1) at time t.
double fractionAt(const Fixes& fixes, int j, double t) {
    const double span = fixes.t(j + 1) - fixes.t(j);
    return span > 0 ? (t - fixes.t(j)) / span : 0;
}

// Track length between two times, entering and leaving inside segments.
double sailedBetween(const Fixes& fixes, const GroundDistance& distance, double t0, double t1) {
    const int n = fixes.count();
    // A leg that ends before it starts has no sailed distance; walking the
    // track for it would add up everything after the entry instead.
    if (t1 < t0) return 0;
    double sum = 0;
    int s = 0;
    for (int j = 0; j + 1 < n; ++j)
        if (fixes.t(j) <= t0 && t0 < fixes.t(j + 1)) {
            const Position entry = interpolate(fixes[j], fixes[j + 1], fractionAt(fixes, j, t0));
            s = j + 1;
            // Both ends within one segment: the piece between them is all.
            if (t1 < fixes.t(j + 1))
                return distance(entry,
                                interpolate(fixes[j], fixes[j + 1], fractionAt(fixes, j, t1)));
            sum += distance(entry, at(fixes[j + 1]));
            break;
        }
    int e = n - 1;
    for (int j = s; j + 1 < n; ++j)
        if (fixes.t(j) <= t1 && t1 < fixes.t(j + 1)) {
            sum += distance(at(fixes[j]),
                            interpolate(fixes[j], fixes[j + 1], fractionAt(fixes, j, t1)));
            e = j;
            break;
        }
    for (int j = s; j < e; ++j) sum += distance(at(fixes[j]), at(fixes[j + 1]));
    return sum;
}

}  // namespace

bool passedEarlier(std::optional<double> a, std::optional<double> b) {
    return a && (!b || *a < *b);
}

std::vector<std::optional<double>> LegAnalysis::lastPointTimes() const {
    std::vector<std::optional<double>> times;
    const int n = pointCount();
    if (n < 2) return times;
    for (const BoatLegResult& boat : boats) times.push_back(boat.passTime(n - 1));
    return times;
}

LegAnalysis detectPassings(const RaceModel& model, const std::vector<CoursePoint>& course) {
    LegAnalysis analysis;
    const int n = static_cast<int>(course.size());
    const int boatCount = model.boatCount();
    analysis.boats.resize(static_cast<std::size_t>(boatCount));
    if (n == 0) return analysis;
    analysis.leaderTimeSeconds.assign(static_cast<std::size_t>(n), std::nullopt);
    for (BoatLegResult& boat : analysis.boats) {
        boat.passTimeSeconds.assign(static_cast<std::size_t>(n), std::nullopt);
        boat.legDistanceMetres.assign(static_cast<std::size_t>(n), 0);
    }
    for (int p = 0; p < n; ++p) {
        const CoursePoint& point = course[static_cast<std::size_t>(p)];
        for (int b = 0; b < boatCount; ++b) {
            const Fixes fixes(model.boats[b].track);
            BoatLegResult& boat = analysis.boats[static_cast<std::size_t>(b)];
            double targetLat = point.latMinutes;
            double targetLon = point.lonMinutes;
            if (point.kind == CoursePointKind::Line) {
                const Line& line = model.lines[point.index];
                searchLineCrossing(fixes, line, p, p == n - 1, boat);
                targetLat = line.lat1Minutes;
                targetLon = line.lon1Minutes;
            }
            if (!boat.passed(p)) searchNearestApproach(fixes, targetLat, targetLon, p, boat);
        }
    }
    for (int b = 0; b < boatCount; ++b)
        if (!model.boats[b].mayFinish)
            analysis.boats[static_cast<std::size_t>(b)].passTimeSeconds.back().reset();
    rankFinishers(analysis);
    return analysis;
}

void cutTracksAfterFinish(RaceModel& model, const LegAnalysis& analysis) {
    const int n = analysis.pointCount();
    if (n == 0) return;
    for (int b = 0; b < model.boatCount(); ++b) {
        const BoatLegResult& result = analysis.boat(b);
        if (!result.finished()) continue;
        std::vector<TrackPoint>& track = model.boats[b].track;
        const Fixes fixes(track);
        const double keepBefore = *result.passTime(n - 1) + 60;
        int j = fixes.count() - 1;
        while (j >= 0 && fixes.t(j) >= keepBefore) --j;
        if (j < 0) continue;
        // Fix j and the three after it stay.
        const int keep = std::min(j + 4, fixes.count());
        track.resize(static_cast<std::size_t>(keep));
    }
}

void computeSailedDistances(const RaceModel& model, double cosLat, LegAnalysis& analysis) {
    const int n = analysis.pointCount();
    const GroundDistance distance(cosLat);
    for (int b = 0; b < model.boatCount(); ++b) {
        BoatLegResult& result = analysis.boats[static_cast<std::size_t>(b)];
        std::fill(result.legDistanceMetres.begin(), result.legDistanceMetres.end(), 0.0);
        if (!result.finished()) continue;
        const Fixes fixes(model.boats[b].track);
        const int whole = n - 1;  // the slot of the whole race
        for (int k = 0; k < n; ++k) {
            // A leg with an end never passed has no distance; the whole
            // race (the last slot) always has one, since the boat finished.
            if (k < whole && !(result.passed(k) && result.passed(k + 1))) continue;
            double t0 = 0;
            double t1 = *result.passTime(n - 1);
            if (k < whole) {
                t0 = k == 0 ? 0 : *result.passTime(k);
                t1 = *result.passTime(k + 1);
            }
            result.legDistanceMetres[static_cast<std::size_t>(k)] =
                sailedBetween(fixes, distance, t0, t1);
        }
    }
}

void computeLegTotals(const CourseGeometry& geometry, LegAnalysis& analysis) {
    const int legCount = std::min(geometry.legCount(), analysis.pointCount() - 1);
    for (BoatLegResult& boat : analysis.boats) {
        boat.upTimeSeconds = boat.downTimeSeconds = 0;
        boat.upDistanceNm = boat.downDistanceNm = 0;
        boat.upTotalsComplete = boat.downTotalsComplete = true;
        for (int k = 0; k < legCount; ++k) {
            const LegKind kind = geometry.legs[static_cast<std::size_t>(k)].kind;
            if (kind == LegKind::Across) continue;
            const bool up = kind == LegKind::Up;
            if (!(boat.passed(k) && boat.passed(k + 1))) {
                (up ? boat.upTotalsComplete : boat.downTotalsComplete) = false;
                continue;
            }
            // The first leg counts from the gun, not from the boat's own start.
            const double legTime =
                k == 0 ? *boat.passTime(1) : *boat.passTime(k + 1) - *boat.passTime(k);
            const double legNm = boat.legDistance(k) / kMetresPerMinuteLat;
            (up ? boat.upTimeSeconds : boat.downTimeSeconds) += legTime;
            (up ? boat.upDistanceNm : boat.downDistanceNm) += legNm;
        }
    }
}

}  // namespace korvane
