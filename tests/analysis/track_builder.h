// Boats with hand-made tracks: straight runs between waypoints, sampled at a
// fixed interval, so that every passing and distance can be worked out by
// hand.
#pragma once

#include <string>
#include <vector>

#include "race/model.h"

namespace korvane::testing {

struct Waypoint {
    double timeSeconds;
    double latMinutes;
    double lonMinutes;
};

// Fixes at first, first + step, ... up to last, on the lines between the
// waypoints (held at the first and last waypoint outside them).
inline std::vector<TrackPoint> sampleTrack(const std::vector<Waypoint>& w, double first,
                                           double last, double step = 10) {
    std::vector<TrackPoint> track;
    for (int i = 0;; ++i) {
        const double t = first + i * step;
        if (t > last) break;
        std::size_t k = 0;
        while (k + 2 < w.size() && t > w[k + 1].timeSeconds) ++k;
        const Waypoint& a = w[k];
        const Waypoint& b = w[k + 1];
        double f = (t - a.timeSeconds) / (b.timeSeconds - a.timeSeconds);
        if (f < 0) f = 0;
        if (f > 1) f = 1;
        track.push_back({t, a.latMinutes + (b.latMinutes - a.latMinutes) * f,
                         a.lonMinutes + (b.lonMinutes - a.lonMinutes) * f, 0, 0});
    }
    return track;
}

inline Boat makeBoat(std::string name, std::vector<TrackPoint> track) {
    Boat boat;
    boat.name = std::move(name);
    boat.logFile = boat.name + ".gpx";
    boat.track = std::move(track);
    return boat;
}

}  // namespace korvane::testing
