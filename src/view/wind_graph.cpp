#include "view/wind_graph.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "race/angles.h"
#include "view/viewport.h"

namespace korvane {

namespace {

double differenceTo(double twd, double reference) {
    return foldDegrees180(twd - reference);
}

}  // namespace

WindAxis windAxisFor(const std::vector<WindSample>& s) {
    WindAxis axis;
    if (s.empty()) return axis;
    const double reference = s[s.size() / 2].twdDegrees;
    double lo = 1e9, hi = -1e9;
    for (const WindSample& w : s) {
        const double d = differenceTo(w.twdDegrees, reference);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    axis.centreDegrees = foldDegrees360(reference + foldDegrees180((lo + hi) / 2));
    lo = 1e9;
    hi = -1e9;
    for (const WindSample& w : s) {
        const double d = differenceTo(w.twdDegrees, axis.centreDegrees);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    axis.spanDegrees = (hi + 10) - (lo - 10);
    return axis;
}

int windGraphTimeStep(double span) {
    int g = 300;
    for (int next : {600, 1800, 3600, 7200, 18000})
        if (span / g > 15) g = next;
    return g;
}

QImage buildWindGraph(const std::vector<WindSample>& samples, const Race& race) {
    QImage img(kWindGraphWidth, kWindGraphHeight, QImage::Format_RGB32);
    img.fill(QColor(0, 128, 0));
    QPainter p(&img);
    p.setPen(QColor(192, 192, 225));
    p.drawRect(5, 5, 90, 90);
    const double begin = race.timelineBegin;
    const double span = race.timelineEnd - race.timelineBegin;
    if (!(span > 0)) return img;
    auto yOf = [&](double t) { return toPixel(95 - (t - begin) * 90 / span); };

    const int g = windGraphTimeStep(span);
    const long steps = std::lround(race.timelineEnd / g);
    for (long t = 0; t < steps && t < 1000; ++t) {
        const int y = yOf(static_cast<double>(g) * t);
        if (y >= 5 && y <= 95) p.drawLine(5, y, 95, y);
    }
    if (samples.empty()) return img;

    const WindAxis axis = windAxisFor(samples);
    const double d = axis.spanDegrees > 0 ? axis.spanDegrees : 20;
    for (int deg = 0; deg < 360; deg += 10) {
        const int x = toPixel(differenceTo(deg, axis.centreDegrees) / d * 90 + 50);
        if (x > 5 && x < 95) p.drawLine(x, 5, x, 95);
    }
    p.setPen(QColor(0, 255, 225));
    QPolygon curve;
    for (const WindSample& w : samples) {
        const int x = toPixel(differenceTo(w.twdDegrees, axis.centreDegrees) / d * 90 + 50);
        curve << QPoint(x, yOf(w.timeSeconds));
    }
    if (curve.size() == 1)
        p.drawPoint(curve[0]);
    else
        p.drawPolyline(curve);
    return img;
}

}  // namespace korvane
