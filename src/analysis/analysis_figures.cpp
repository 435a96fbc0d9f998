#include "analysis/analysis_figures.h"

#include <algorithm>
#include <cmath>

#include "base/local_plane.h"
#include "base/numbers.h"

namespace korvane {

namespace {

constexpr double kMinSpan = 100;

int px(double v) {
    // Far-off values (a fan line's far end) are clamped before the cast.
    return static_cast<int>(roundHalfEvenToInt(std::clamp(v, -1e6, 1e6)));
}

void widen(double& lo, double& hi) {
    if (hi - lo >= kMinSpan) return;
    const double centre = (lo + hi) / 2;
    lo = centre - kMinSpan / 2;
    hi = centre + kMinSpan / 2;
}

}  // namespace

std::optional<FigurePoint> figurePoint(Figure figure, const BoatLegResult& r) {
    FigurePoint p;
    switch (figure) {
        case Figure::WholeRace:
            if (!r.finished() || r.legDistanceMetres.empty()) return std::nullopt;
            p = {r.legDistanceMetres.back(), *r.passTimeSeconds.back()};
            break;
        case Figure::Upwind:
            if (!r.upTotalsComplete) return std::nullopt;
            p = {r.upDistanceNm * kMetresPerMinuteLat, r.upTimeSeconds};
            break;
        case Figure::Downwind:
            if (!r.downTotalsComplete) return std::nullopt;
            p = {r.downDistanceNm * kMetresPerMinuteLat, r.downTimeSeconds};
            break;
    }
    if (!(p.distanceMetres > 0 && p.timeSeconds > 0)) return std::nullopt;
    return p;
}

bool setsAxisRanges(Figure figure, const BoatLegResult& r) {
    if (!figurePoint(figure, r)) return false;
    return figure == Figure::Downwind || (!r.passTimeSeconds.empty() && r.passTimeSeconds.front());
}

std::optional<FigureRanges> figureRanges(const std::vector<FigurePoint>& points) {
    if (points.empty()) return std::nullopt;
    FigureRanges r{points[0].distanceMetres, points[0].distanceMetres, points[0].timeSeconds,
                   points[0].timeSeconds};
    for (const FigurePoint& p : points) {
        r.dMin = std::min(r.dMin, p.distanceMetres);
        r.dMax = std::max(r.dMax, p.distanceMetres);
        r.tMin = std::min(r.tMin, p.timeSeconds);
        r.tMax = std::max(r.tMax, p.timeSeconds);
    }
    widen(r.dMin, r.dMax);
    widen(r.tMin, r.tMax);
    return r;
}

int FigureFrame::xOf(double d) const {
    return px(sx * (d - ranges.dCentre()) + centre.x());
}

int FigureFrame::yOf(double t) const {
    return px(centre.y() - sy * (t - ranges.tCentre()));
}

FigureFrame figureFrame(Figure figure, int width, int height, int noteHeight,
                        const FigureRanges& ranges) {
    // The quadrants halve the whole page; the note band only moves the upper
    // figure down and the lower row's origin up by half its height.
    const int qw = px(width * 0.5), qh = px(height * 0.5);
    const int pw = px(qw * 0.8), ph = px(qh * 0.8);
    const int sw = std::max(1, px(qw * 0.6)), sh = std::max(1, px(qh * 0.6));
    const int lower = px((height - noteHeight) * 0.5);
    FigureFrame f;
    f.origin = figure == Figure::WholeRace ? QPoint(0, noteHeight)
               : figure == Figure::Upwind  ? QPoint(0, lower)
                                           : QPoint(px(width * 0.5), lower);
    f.quadrantWidth = qw;
    f.box = QRect(f.origin.x() + px(qw * 0.1), f.origin.y() + px(qh * 0.1), pw, ph);
    f.ranges = ranges;
    f.centre = QPoint(px(f.box.left() + pw * 0.5), px(f.box.top() + ph * 0.5));
    const double rd = ranges.dMax - ranges.dMin, rt = ranges.tMax - ranges.tMin;
    f.sx = sw / rd;
    f.sy = sh / rt;
    const double cd = ranges.dCentre(), ct = ranges.tCentre();
    f.dLeft = cd - (cd - ranges.dMin) * pw / sw;
    f.dRight = cd + (ranges.dMax - cd) * pw / sw;
    f.tBottom = ct - (ct - ranges.tMin) * ph / sh;
    f.tTop = ct - (ct - ranges.tMax) * ph / sh;
    return f;
}

double gridStep(double span) {
    const double k = roundHalfEven(std::log10(span));
    const double unit = std::pow(10.0, k);
    const double l = span / unit;
    if (l > 6) return unit;
    if (l > 3) return 5 * unit / 10;
    if (l > 1.5) return 2 * unit / 10;
    return unit / 10;
}

std::optional<FanLine> fanLine(const FigureFrame& f, double knots) {
    const double v = knots * kMetresPerMinuteLat / 3600;  // metres a second
    if (!(v > 0)) return std::nullopt;
    FanLine line;
    const int yLeft = f.yOf(f.dLeft / v);
    if (yLeft > f.top() && yLeft < f.bottom()) {
        // In through the left edge, out through the top or the right edge.
        line.from = {f.left(), yLeft};
        const int xTop = f.xOf(v * f.tTop);
        line.to = xTop < f.right() ? QPoint(xTop, f.top()) : QPoint(f.right(), f.yOf(f.dRight / v));
        return line;
    }
    // In through the bottom edge, or not at all.
    const int xBottom = f.xOf(v * f.tBottom);
    if (!(xBottom > f.left() && xBottom < f.right())) return std::nullopt;
    line.from = {xBottom, f.bottom()};
    const int yRight = f.yOf(f.dRight / v);
    if (yRight > f.bottom()) return std::nullopt;
    line.to = yRight < f.top() ? QPoint(f.xOf(v * f.tTop), f.top()) : QPoint(f.right(), yRight);
    return line;
}

}  // namespace korvane
