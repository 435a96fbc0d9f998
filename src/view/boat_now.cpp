#include "view/boat_now.h"

#include "race/angles.h"

namespace korvane {

bool placeBoat(BoatNow& now, const std::vector<TrackPoint>& track, double timeSeconds,
               int twdTrue) {
    const std::optional<TrackSample> s = sampleAt(track, timeSeconds, now.cursor);
    now.hasPosition = s.has_value();
    if (!s) return false;
    now.pointIndex = s->fixIndex;
    now.latMinutes = s->latMinutes;
    now.lonMinutes = s->lonMinutes;
    now.headingDegrees = s->headingDegrees;
    now.speedKnots = s->speedKnots;
    now.windAngleDegrees = foldDegrees180(twdTrue - now.headingDegrees);
    return true;
}

}  // namespace korvane
