// The extent of a race on the water, computed once per opening from the
// tracks: the box every map scale, the coastline choice and every ground
// distance (through cosLat) derive from.
#pragma once

#include <optional>
#include <vector>

#include "race/model.h"

namespace korvane {

struct GeoBox {
    double maxLat = -200000;
    double minLat = 200000;
    double maxLon = -200000;
    double minLon = 200000;

    bool valid() const { return maxLat >= minLat && maxLon >= minLon; }
    void include(double latMinutes, double lonMinutes);
};

struct RaceArea {
    GeoBox box;
    double centreLat = 0;
    double centreLon = 0;
    double cosLat = 1;
    double latSpan = 0;  // padded and squared extent, minutes
    double lonSpan = 0;
    double overviewLatScale = 0;  // pixels per minute of the 170 × 170 overview
    double overviewLonScale = 0;
    double sunriseSeconds = 21600;  // of the local day
    double sunsetSeconds = 64800;

    LocalPlane plane() const { return LocalPlane(cosLat); }
    // Pixels per minute that fit the area into the smaller side of a map.
    double baseLatScale(int width, int height) const;
    double baseLonScale(int width, int height) const;
};

// lastPointTimes[b]: boat b's passing time of the last course point
// (empty when it never got there), or nothing (empty vector) when the course
// has fewer than 2 entries; fixes after that time + 10 s do not count.
RaceArea computeRaceArea(const RaceModel& model,
                         const std::vector<std::optional<double>>& lastPointTimes);

}  // namespace korvane
