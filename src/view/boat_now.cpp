#include "view/boat_now.h"

#include "base/numbers.h"
#include "race/angles.h"

namespace korvane {

bool locateFix(const std::vector<TrackPoint>& t, double time, int& j) {
    const int n = static_cast<int>(t.size());
    if (n < 2) return false;
    if (j < 0 || j > n - 2) j = 0;
    for (int tries = 0; tries < n - 1; ++tries) {
        if (t[j].timeSeconds <= time && time < t[j + 1].timeSeconds)
            return t[j + 1].timeSeconds - t[j].timeSeconds <= kMaxFixGapSeconds;
        if (++j > n - 2) j = 0;
    }
    return false;
}

void interpolateBoat(BoatNow& b, const std::vector<TrackPoint>& t, double time, int twdTrue) {
    const int j = b.pointIndex;
    const TrackPoint& p = t[j];
    const TrackPoint& q = t[j + 1];
    const double span = q.timeSeconds - p.timeSeconds;
    const double f = span > 0 ? (time - p.timeSeconds) / span : 0;
    b.latMinutes = p.latMinutes + (q.latMinutes - p.latMinutes) * f;
    b.lonMinutes = p.lonMinutes + (q.lonMinutes - p.lonMinutes) * f;
    const double sinceFix = time - p.timeSeconds;
    if (sinceFix >= 1 || j == 0) {
        b.headingDegrees = p.courseDegrees;
    } else {
        // The symbol turns during the first second after a fix instead of
        // jumping to the new course.
        const double previous = t[j - 1].courseDegrees;
        const double d = foldDegrees180(p.courseDegrees - previous);
        double h = roundHalfEven(sinceFix * d + previous);
        if (h < 0) h += 360;
        if (h > 360) h -= 360;
        b.headingDegrees = h;
    }
    b.speedKnots = p.speedKnots;
    b.windAngleDegrees = foldDegrees180(twdTrue - b.headingDegrees);
}

}  // namespace korvane
