#include "view/fit_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvane {

namespace {

void includeLine(GeoBox& box, const Line& line) {
    box.include(line.lat1Minutes, line.lon1Minutes);
    box.include(line.lat2Minutes, line.lon2Minutes);
}

struct ScreenExtent {
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

}  // namespace

void fitView(Viewport& v, const RaceArea& area, double time, const FitInput& in) {
    GeoBox box{-50000, 50000, -50000, 50000};
    for (const GeoPoint& p : in.checkedBoats) box.include(p.latMinutes, p.lonMinutes);
    if (in.boatsWithPosition < 2 && in.referencePoints &&
        in.referencePoints->first.latMinutes != 0 && in.raceBoatCount > 1) {
        box.include(in.referencePoints->first.latMinutes, in.referencePoints->first.lonMinutes);
        box.include(in.referencePoints->second.latMinutes, in.referencePoints->second.lonMinutes);
    }
    if (time < -30 && in.startLine) includeLine(box, *in.startLine);

    if (v.autoTrace) {
        if (box.valid()) {
            v.centreLat = (box.maxLat + box.minLat) / 2;
            v.centreLon = (box.maxLon + box.minLon) / 2;
        } else {
            // Nothing to follow yet: look at the race area rather than at 0° 0°.
            box = area.box;
            v.centreLat = area.centreLat;
            v.centreLon = area.centreLon;
        }
    } else {
        box = area.box;
        v.centreLat = v.savedCentreLat;
        v.centreLon = v.savedCentreLon;
    }
    v.boatBox = box;

    double dLat = std::abs(box.maxLat - box.minLat);
    double dLon = std::abs(box.maxLon - box.minLon);
    if (!(dLat >= 0.1) || !(dLon >= 0.12) || !std::isfinite(dLat) || !std::isfinite(dLon) ||
        dLat > 1e5 || dLon > 1e5) {
        dLat = 0.1;
        dLon = 0.12;
    }
    const double cosLat = area.cosLat > 0 ? area.cosLat : 1;
    const double h = std::max(v.height, 1);
    if (dLon * cosLat > dLat) {
        v.lonScale = 0.85 * h / dLon;
        v.latScale = v.lonScale / cosLat;
    } else {
        v.latScale = 0.85 * h / dLat;
        v.lonScale = v.latScale * cosLat;
    }

    if (!v.autoTrace) {
        v.latScale = area.baseLatScale(v.width, v.height) * v.manualZoom;
        v.lonScale = area.baseLonScale(v.width, v.height) * v.manualZoom;
    } else {
        ScreenExtent ext;
        for (const GeoPoint& p : in.checkedBoats)
            ext.include(v.toScreen(p.latMinutes, p.lonMinutes));
        auto includeLineEnds = [&](const Line& l) {
            ext.include(v.toScreen(l.lat1Minutes, l.lon1Minutes));
            ext.include(v.toScreen(l.lat2Minutes, l.lon2Minutes));
        };
        if (time < 0 && in.startLine) includeLineEnds(*in.startLine);
        if (in.boatsWithPosition == 1 && in.finishLine) includeLineEnds(*in.finishLine);

        double w = 1000, hh = 1000;
        if (ext.count > 0) {
            const double ox = (ext.minX + ext.maxX) / 2.0 - v.width / 2.0;
            const double oy = (ext.minY + ext.maxY) / 2.0 - v.height / 2.0;
            const ScreenPoint r =
                v.rotateOffset(v.windDirectionDegrees * std::numbers::pi / 180, oy, ox);
            v.centreLat -= r.y / v.latScale;
            v.centreLon += r.x / v.lonScale;
            w = ext.maxX - ext.minX;
            hh = ext.maxY - ext.minY;
            if (w < 100) w = 1000;
            if (hh < 100) hh = 1000;
        }
        const double factor = std::min(0.92 * v.width / w, 0.92 * v.height / hh);
        const double divisor = v.zoomDivisor >= 1 ? v.zoomDivisor : 1;
        v.latScale = v.latScale * factor / divisor;
        v.lonScale = v.lonScale * factor / divisor;
    }
    // A zero-size map would leave zero scales, and every later division by
    // them would blow up; keep a tiny positive scale instead.
    if (!(v.latScale > 1e-9) || !std::isfinite(v.latScale)) v.latScale = 1e-9;
    if (!(v.lonScale > 1e-9) || !std::isfinite(v.lonScale)) v.lonScale = 1e-9;
    v.pixelsPerKm = v.latScale / 1.852;
}

}  // namespace korvane
