#include "view/viewport.h"

#include <cmath>
#include <numbers>

#include "base/local_plane.h"
#include "race/angles.h"

namespace korvane {

namespace {
constexpr double kRadPerDeg = std::numbers::pi / 180.0;
}

ScreenPoint Viewport::rotateOffset(double a, double dy, double dx) const {
    if (northUp) return {dx, dy};
    const double c = std::cos(a);
    const double s = std::sin(a);
    return {dx * c - dy * s, dx * s + dy * c};
}

ScreenPoint Viewport::polarOffset(double angleDeg) const {
    if (angleDeg < -180) angleDeg += 360;
    if (angleDeg > 360) angleDeg -= 360;
    const double r = height / 2.0;
    const double a = angleDeg * kRadPerDeg;
    return {r * std::sin(a), -r * std::cos(a)};
}

ScreenPoint Viewport::toScreen(double lat, double lon) const {
    const double dy = (centreLat - lat) * latScale;
    const double dx = (lon - centreLon) * lonScale;
    const ScreenPoint r = rotateOffset(-windDirectionDegrees * kRadPerDeg, dy, dx);
    return {r.x + width / 2.0, r.y + height / 2.0};
}

ScreenTransform Viewport::transform() const {
    // Images of the unit steps in latitude and longitude, and of the origin.
    const ScreenPoint lat1 = rotateOffset(-windDirectionDegrees * kRadPerDeg, -latScale, 0);
    const ScreenPoint lon1 = rotateOffset(-windDirectionDegrees * kRadPerDeg, 0, lonScale);
    ScreenTransform t;
    t.xLat = lat1.x;
    t.yLat = lat1.y;
    t.xLon = lon1.x;
    t.yLon = lon1.y;
    // Anchored at the centre rather than at 0, 0 so large coordinates keep
    // their precision.
    const ScreenPoint c = toScreen(centreLat, centreLon);
    t.x0 = c.x - centreLat * t.xLat - centreLon * t.xLon;
    t.y0 = c.y - centreLat * t.yLat - centreLon * t.yLon;
    return t;
}

GeoPoint Viewport::fromScreen(double x, double y) const {
    const ScreenPoint r =
        rotateOffset(windDirectionDegrees * kRadPerDeg, y - height / 2.0, x - width / 2.0);
    GeoPoint p;
    p.latMinutes = latScale != 0 ? centreLat - r.y / latScale : centreLat;
    p.lonMinutes = lonScale != 0 ? centreLon + r.x / lonScale : centreLon;
    return p;
}

RangeBearing rangeAndBearing(double lat1, double lon1, double lat2, double lon2, double cosLat,
                             double magneticVariation) {
    const GroundVector v = LocalPlane(cosLat).vector(lat1, lon1, lat2, lon2);
    double b = v.bearingDegrees() - magneticVariation;
    if (b > 360) b -= 360;
    if (b < 0) b += 360;
    return {v.lengthMetres(), b};
}

GeoPoint panCentre(const Viewport& v, ScreenPoint from, ScreenPoint to) {
    // The projection is affine at a fixed scale: the ground under the
    // pointer moves by what the centre moves.
    const GeoPoint a = v.fromScreen(from.x, from.y);
    const GeoPoint b = v.fromScreen(to.x, to.y);
    return {v.centreLat + a.latMinutes - b.latMinutes, v.centreLon + a.lonMinutes - b.lonMinutes};
}

GeoPoint zoomCentre(const Viewport& v, ScreenPoint at, double factor) {
    if (!(factor > 0) || !std::isfinite(factor)) return {v.centreLat, v.centreLon};
    // The pointer's ground offset from the centre shrinks with the scale.
    const GeoPoint p = v.fromScreen(at.x, at.y);
    return {p.latMinutes - (p.latMinutes - v.centreLat) / factor,
            p.lonMinutes - (p.lonMinutes - v.centreLon) / factor};
}

double zoomDivisorForPosition(int position) {
    const double p = (100 - position) / 100.0;
    return p * p * p * 10 + 1;
}

}  // namespace korvane
