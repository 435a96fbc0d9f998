// Where every boat is at the replayed instant, as the map draws it: the
// track's answer for that time plus the angle to the true wind.
#pragma once

#include "tracks/track_query.h"

namespace korvane {

struct BoatNow {
    bool hasPosition = false;
    TrackCursor cursor;  // kept from frame to frame
    int pointIndex = 0;  // 0-based j with time[j] <= t < time[j + 1]
    double latMinutes = 0;
    double lonMinutes = 0;
    double headingDegrees = 0;
    double speedKnots = 0;
    double windAngleDegrees = 0;  // twdTrue - heading, -180 ... 180
};

// Asks the track where the boat is at `timeSeconds` and fills `now`;
// false (and hasPosition false) when the boat has no position then.
bool placeBoat(BoatNow& now, const std::vector<TrackPoint>& track, double timeSeconds, int twdTrue);

}  // namespace korvane
