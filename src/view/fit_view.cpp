#include "view/fit_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvane {

namespace {

// The box the map follows starts inside out, so that any point widens it.
constexpr double kEmptyBoxMinutes = 50000;
// Before this race time the box takes in the start line...
constexpr double kStartLineInBoxBeforeSeconds = -30;
// ...and before this one its ends are kept on the screen.
constexpr double kStartLineOnScreenBeforeSeconds = 0;
// Spans narrower than these (or absurd ones) are scaled as these: a lone
// boat is shown at a useful size, not infinitely magnified.
constexpr double kLeastLatSpanMinutes = 0.1;
constexpr double kLeastLonSpanMinutes = 0.12;
constexpr double kMostSpanMinutes = 1e5;
// The share of the map height the box first fills, and the share of the
// map the boats fill once they are centred.
constexpr double kBoxFill = 0.85;
constexpr double kBoatsFill = 0.92;
// Boats closer together on the screen than this (pixels) are not zoomed
// in on further; the extent is taken as kFallbackExtentPixels instead.
constexpr double kLeastExtentPixels = 100;
constexpr double kFallbackExtentPixels = 1000;
// A scale that would make the map divide by zero later.
constexpr double kLeastScale = 1e-9;

void includeLine(GeoBox& box, const Line& line) {
    box.include(line.lat1Minutes, line.lon1Minutes);
    box.include(line.lat2Minutes, line.lon2Minutes);
}

struct ScreenExtent {
    // Starts inside out (beyond any screen), so that any point sets it.
    float minX = 10000, minY = 10000, maxX = 0, maxY = 0;
    int count = 0;
    void include(ScreenPoint p) {
        const auto x = static_cast<float>(p.x);
        const auto y = static_cast<float>(p.y);
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
        ++count;
    }
};

// What the map follows: the checked boats, the two reference points while
// fewer than two boats have a position, the start line before the start.
GeoBox followedBox(const FitInput& in, double time) {
    GeoBox box{-kEmptyBoxMinutes, kEmptyBoxMinutes, -kEmptyBoxMinutes, kEmptyBoxMinutes};
    for (const GeoPoint& p : in.checkedBoats) box.include(p.latMinutes, p.lonMinutes);
    if (in.boatsWithPosition < 2 && in.referencePoints &&
        in.referencePoints->first.latMinutes != 0 && in.raceBoatCount > 1) {
        box.include(in.referencePoints->first.latMinutes, in.referencePoints->first.lonMinutes);
        box.include(in.referencePoints->second.latMinutes, in.referencePoints->second.lonMinutes);
    }
    if (time < kStartLineInBoxBeforeSeconds && in.startLine) includeLine(box, *in.startLine);
    return box;
}

// Centres the view on the followed box, or on the race area when there is
// nothing to follow or the zoom is manual; returns the box the scales fit.
GeoBox centreView(Viewport& v, const RaceArea& area, GeoBox box) {
    if (v.autoTrace) {
        if (box.valid()) {
            v.centreLat = (box.maxLat + box.minLat) / 2;
            v.centreLon = (box.maxLon + box.minLon) / 2;
            return box;
        }
        // Nothing to follow yet: look at the race area rather than at 0° 0°.
        v.centreLat = area.centreLat;
        v.centreLon = area.centreLon;
        return area.box;
    }
    v.centreLat = v.savedCentreLat;
    v.centreLon = v.savedCentreLon;
    return area.box;
}

// Scales that fit the box into the map height, longitude shrunk by cosLat.
void scaleToBox(Viewport& v, const RaceArea& area, const GeoBox& box) {
    double dLat = std::abs(box.maxLat - box.minLat);
    double dLon = std::abs(box.maxLon - box.minLon);
    if (!(dLat >= kLeastLatSpanMinutes) || !(dLon >= kLeastLonSpanMinutes) ||
        !std::isfinite(dLat) || !std::isfinite(dLon) || dLat > kMostSpanMinutes ||
        dLon > kMostSpanMinutes) {
        dLat = kLeastLatSpanMinutes;
        dLon = kLeastLonSpanMinutes;
    }
    const double cosLat = area.cosLat > 0 ? area.cosLat : 1;
    const double h = std::max(v.height, 1);
    if (dLon * cosLat > dLat) {
        v.lonScale = kBoxFill * h / dLon;
        v.latScale = v.lonScale / cosLat;
    } else {
        v.latScale = kBoxFill * h / dLat;
        v.lonScale = v.latScale * cosLat;
    }
}

// Auto Trace: moves the centre to the middle of what must show on the
// screen (turned with the map) and zooms so that it fills the map, divided
// by the ZOOM bar's divisor.
void zoomToBoats(Viewport& v, double time, const FitInput& in) {
    ScreenExtent ext;
    for (const GeoPoint& p : in.checkedBoats) ext.include(v.toScreen(p.latMinutes, p.lonMinutes));
    auto includeLineEnds = [&](const Line& l) {
        ext.include(v.toScreen(l.lat1Minutes, l.lon1Minutes));
        ext.include(v.toScreen(l.lat2Minutes, l.lon2Minutes));
    };
    if (time < kStartLineOnScreenBeforeSeconds && in.startLine) includeLineEnds(*in.startLine);
    if (in.boatsWithPosition == 1 && in.finishLine) includeLineEnds(*in.finishLine);

    double w = kFallbackExtentPixels, hh = kFallbackExtentPixels;
    if (ext.count > 0) {
        const double ox = (ext.minX + ext.maxX) / 2.0 - v.width / 2.0;
        const double oy = (ext.minY + ext.maxY) / 2.0 - v.height / 2.0;
        const ScreenPoint r =
            v.rotateOffset(v.windDirectionDegrees * std::numbers::pi / 180, oy, ox);
        v.centreLat -= r.y / v.latScale;
        v.centreLon += r.x / v.lonScale;
        w = ext.maxX - ext.minX;
        hh = ext.maxY - ext.minY;
        if (w < kLeastExtentPixels) w = kFallbackExtentPixels;
        if (hh < kLeastExtentPixels) hh = kFallbackExtentPixels;
    }
    const double factor = std::min(kBoatsFill * v.width / w, kBoatsFill * v.height / hh);
    const double divisor = v.zoomDivisor >= 1 ? v.zoomDivisor : 1;
    v.latScale = v.latScale * factor / divisor;
    v.lonScale = v.lonScale * factor / divisor;
}

}  // namespace

void fitView(Viewport& v, const RaceArea& area, double time, const FitInput& in) {
    const GeoBox box = centreView(v, area, followedBox(in, time));
    v.boatBox = box;
    scaleToBox(v, area, box);
    if (v.autoTrace) {
        zoomToBoats(v, time, in);
        if (in.centreOn) {
            v.centreLat = in.centreOn->latMinutes;
            v.centreLon = in.centreOn->lonMinutes;
        }
    } else {
        v.latScale = area.baseLatScale(v.width, v.height) * v.manualZoom;
        v.lonScale = area.baseLonScale(v.width, v.height) * v.manualZoom;
    }
    // A zero-size map would leave zero scales, and every later division by
    // them would blow up; keep a tiny positive scale instead.
    if (!(v.latScale > kLeastScale) || !std::isfinite(v.latScale)) v.latScale = kLeastScale;
    if (!(v.lonScale > kLeastScale) || !std::isfinite(v.lonScale)) v.lonScale = kLeastScale;
    v.pixelsPerKm = v.latScale / 1.852;
}

}  // namespace korvane
