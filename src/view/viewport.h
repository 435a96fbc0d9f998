// The flat local map projection: minutes of arc scaled linearly around a
// centre, longitude shrunk by cosLat, optionally turned so that the course
// wind comes from the top of the screen. Stateless apart from its fields,
// so every drawn item receives it as an argument.
#pragma once

#include <cmath>

#include "coast/coastline.h"
#include "race/race_area.h"

namespace korvane {

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

// The projection as one affine map, for loops over many points:
// x = x0 + lat * xLat + lon * xLon, y likewise.
struct ScreenTransform {
    double x0 = 0, xLat = 0, xLon = 0;
    double y0 = 0, yLat = 0, yLon = 0;
    ScreenPoint operator()(double lat, double lon) const {
        return {x0 + lat * xLat + lon * xLon, y0 + lat * yLat + lon * yLon};
    }
};

// How the window wants the map framed: turned or not, and either following
// the boats (Auto Trace, shrunk by the ZOOM bar's divisor) or held at the
// static map's centre and zoom. The window's display state and the fitted
// viewport share this one record, so a frame takes it over in one step.
struct MapFraming {
    // North up, or turned so that the course wind comes from the top.
    bool northUp = true;
    bool autoTrace = true;
    double zoomDivisor = 1.15625;  // the ZOOM bar where a race opens it (75)
    double manualZoom = 1;
    double savedCentreLat = 0;
    double savedCentreLon = 0;
};

struct Viewport : MapFraming {
    int width = 0;
    int height = 0;
    double centreLat = 0;
    double centreLon = 0;
    double latScale = 1;  // pixels per minute of latitude
    double lonScale = 1;  // pixels per minute of longitude
    double pixelsPerKm = 1 / 1.852;
    GeoBox boatBox;
    // The wind-up turn, from the race's course wind.
    int windDirectionDegrees = 0;

    // Turns a screen offset by angleRad in wind-up mode; north up leaves it.
    ScreenPoint rotateOffset(double angleRad, double dy, double dx) const;
    // A vector of length height/2 toward screen bearing angleDeg (0 = up).
    ScreenPoint polarOffset(double angleDeg) const;
    ScreenPoint toScreen(double latMinutes, double lonMinutes) const;
    GeoPoint fromScreen(double x, double y) const;
    // The same projection as toScreen, with the turn worked out once.
    ScreenTransform transform() const;
};

struct RangeBearing {
    double rangeMetres = 0;
    double bearingDegrees = 0;  // magnetic
};

RangeBearing rangeAndBearing(double lat1, double lon1, double lat2, double lon2, double cosLat,
                             double magneticVariation);

// The map centre after a drag from `from` to `to` (screen pixels, the
// scale unchanged): the point that was under `from` is then under `to`.
GeoPoint panCentre(const Viewport& v, ScreenPoint from, ScreenPoint to);
// The map centre after the scale is multiplied by `factor` around the
// pointer at `at`: the point under the pointer stays under it.
GeoPoint zoomCentre(const Viewport& v, ScreenPoint at, double factor);

// The ZOOM bar position 0 ... 100 as the divisor of the Auto Trace scale
// (100 gives 1, 0 gives 11).
double zoomDivisorForPosition(int position);

// Pixel coordinate from a projected value: nearest, halves to even. Far
// off-screen values are clamped so they neither overflow int nor stall the
// rasteriser.
inline int toPixel(double value) {
    if (!(value < 1e6)) return value > 0 ? 1000000 : 0;  // also NaN -> 0
    if (value < -1e6) return -1000000;
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace korvane
