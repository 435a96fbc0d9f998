#include "tracks/track_query.h"

#include <algorithm>

#include "base/numbers.h"
#include "race/angles.h"

namespace korvane {

namespace {

bool brackets(const std::vector<TrackPoint>& t, int j, double time) {
    return t[static_cast<std::size_t>(j)].timeSeconds <= time &&
           time < t[static_cast<std::size_t>(j) + 1].timeSeconds;
}

// j with t[j] <= time < t[j + 1], trying the cursor and its successor before
// searching; -1 when time is outside the track.
int bracketingFix(const std::vector<TrackPoint>& t, double time, int hint) {
    const int n = static_cast<int>(t.size());
    if (n < 2 || !(time >= t.front().timeSeconds) || time >= t.back().timeSeconds) return -1;
    for (int j : {hint, hint + 1})
        if (j >= 0 && j <= n - 2 && brackets(t, j, time)) return j;
    const auto later = std::upper_bound(
        t.begin(), t.end(), time, [](double s, const TrackPoint& p) { return s < p.timeSeconds; });
    return static_cast<int>(later - t.begin()) - 1;
}

double headingAt(const std::vector<TrackPoint>& t, int j, double time) {
    const TrackPoint& p = t[static_cast<std::size_t>(j)];
    const double sinceFix = time - p.timeSeconds;
    if (sinceFix >= 1 || j == 0) return p.courseDegrees;
    const double previous = t[static_cast<std::size_t>(j) - 1].courseDegrees;
    const double turn = foldDegrees180(p.courseDegrees - previous);
    double h = roundHalfEven(sinceFix * turn + previous);
    if (h < 0) h += 360;
    if (h > 360) h -= 360;
    return h;
}

}  // namespace

std::optional<TrackSample> sampleAt(const std::vector<TrackPoint>& track, double timeSeconds,
                                    TrackCursor& cursor) {
    const int j = bracketingFix(track, timeSeconds, cursor.fixIndex);
    if (j < 0) return std::nullopt;
    cursor.fixIndex = j;
    const TrackPoint& p = track[static_cast<std::size_t>(j)];
    const TrackPoint& q = track[static_cast<std::size_t>(j) + 1];
    const double span = q.timeSeconds - p.timeSeconds;
    if (span > kMaxFixGapSeconds) return std::nullopt;
    const double f = (timeSeconds - p.timeSeconds) / span;
    TrackSample s;
    s.fixIndex = j;
    s.latMinutes = p.latMinutes + (q.latMinutes - p.latMinutes) * f;
    s.lonMinutes = p.lonMinutes + (q.lonMinutes - p.lonMinutes) * f;
    s.headingDegrees = headingAt(track, j, timeSeconds);
    s.speedKnots = p.speedKnots;
    return s;
}

}  // namespace korvane
