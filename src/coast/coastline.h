// The coastline of the race area: polylines in minutes of arc, as the
// coastline readers produce them and the map draws them.
#pragma once

#include <cstddef>
#include <vector>

namespace korvane {

struct GeoPoint {
    double latMinutes = 0;
    double lonMinutes = 0;
};

struct Coastline {
    std::vector<std::vector<GeoPoint>> polylines;

    std::size_t pointCount() const {
        std::size_t n = 0;
        for (const auto& p : polylines) n += p.size();
        return n;
    }
};

}  // namespace korvane
