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

// Each polyline is drawn as one joined line; a polyline of one point draws
// nothing but still counts, as a lone point in the files does.
struct Coastline {
    std::vector<std::vector<GeoPoint>> polylines;

    std::size_t pointCount() const {
        std::size_t n = 0;
        for (const auto& p : polylines) n += p.size();
        return n;
    }
    bool empty() const { return polylines.empty(); }

    // A point that opens a new polyline.
    void startPolyline(GeoPoint p) { polylines.push_back({p}); }
    // A point joined to the previous one; the very first point of the store
    // opens a polyline of its own.
    void append(GeoPoint p) {
        if (polylines.empty())
            startPolyline(p);
        else
            polylines.back().push_back(p);
    }
};

}  // namespace korvane
