#include "view/static_map.h"

#include <QPainter>
#include <algorithm>
#include <climits>

#include "view/coastline_layer.h"
#include "view/colours.h"
#include "view/course_labels.h"
#include "view/course_overlay.h"
#include "view/map_font.h"
#include "view/pixel_lines.h"
#include "view/text_stamps.h"

namespace korvane {

namespace {

QPoint project(const Viewport& v, double lat, double lon) {
    const ScreenPoint s = v.toScreen(lat, lon);
    return {toPixel(s.x), toPixel(s.y)};
}

void drawTrack(QImage& image, QPainter& p, const QPolygon& points, QColor colour) {
    if (points.isEmpty()) return;
    if (acceptsPixelLines(image)) {
        drawPixelPolyline(image, points, colour.rgb());
        return;
    }
    p.setPen(QPen(colour, 1));
    if (points.size() == 1)
        p.drawPoint(points[0]);
    else
        p.drawPolyline(points);
}

void drawMarks(QPainter& p, const Viewport& v, const RaceModel& m, TextStamps& labels,
               CourseLabelPlaces& places, QColor sea) {
    const int r = markCircleRadius(m.race.defaultBoatLength, v.latScale);
    int k = 0;
    for (const Mark& mark : m.marks) {
        ++k;
        const QPoint at = project(v, mark.latMinutes, mark.lonMinutes);
        drawMarkDot(p, at, r);
        labels.draw(p, places.next(at), QStringLiteral("MK%1").arg(k), Qt::red, sea);
    }
}

bool drawLines(QPainter& p, const Viewport& v, const RaceModel& m, TextStamps& labels,
               CourseLabelPlaces& places, QColor sea) {
    const int r = markCircleRadius(m.race.defaultBoatLength, v.latScale);
    bool endMissing = false;
    int k = 0;
    for (const Line& l : m.lines) {
        ++k;
        const QPoint a = project(v, l.lat1Minutes, l.lon1Minutes);
        const QPoint b = project(v, l.lat2Minutes, l.lon2Minutes);
        const bool hasB = l.lat2Minutes != 0;
        if (hasB) {
            p.setPen(QPen(Qt::yellow, 1));
            p.drawLine(a, b);
        } else {
            endMissing = true;
        }
        const QString name = QStringLiteral("L%1").arg(k);
        drawMarkDot(p, a, r);
        labels.draw(p, places.next(a), name, Qt::red, sea);
        if (hasB) {
            drawMarkDot(p, b, r);
            labels.draw(p, places.next(b), name, Qt::red, sea);
        }
    }
    return endMissing;
}

}  // namespace

FixRange fixRangeFor(const std::vector<TrackPoint>& track, const std::optional<TimeSpan>& span) {
    const int n = static_cast<int>(track.size());
    if (!span) return {0, n - 1};
    const double from = std::min(span->startSeconds, span->endSeconds);
    const double to = std::max(span->startSeconds, span->endSeconds);
    auto firstAfter = [&](double t) {
        return static_cast<int>(
            std::upper_bound(track.begin(), track.end(), t,
                             [](double s, const TrackPoint& p) { return s < p.timeSeconds; }) -
            track.begin());
    };
    const int inside = firstAfter(from);
    if (inside >= n) return {};
    const int after = firstAfter(to);
    return {std::max(0, inside - 1), std::min(after, n - 1)};
}

Viewport staticViewport(const RaceArea& area, const StaticView& where) {
    Viewport v;
    v.width = where.width;
    v.height = where.height;
    v.autoTrace = false;
    v.manualZoom = where.manualZoom;
    v.centreLat = v.savedCentreLat = where.centreLat;
    v.centreLon = v.savedCentreLon = where.centreLon;
    v.northUp = where.northUp;
    v.windDirectionDegrees = where.windDirectionDegrees;
    v.boatBox = area.box;
    v.latScale = area.baseLatScale(where.width, where.height) * where.manualZoom;
    v.lonScale = area.baseLonScale(where.width, where.height) * where.manualZoom;
    // A degenerate area must not leave a zero scale for the mouse to divide by.
    if (!(v.latScale > 1e-9)) v.latScale = 1e-9;
    if (!(v.lonScale > 1e-9)) v.lonScale = 1e-9;
    v.pixelsPerKm = v.latScale / 1.852;
    return v;
}

bool boatChecked(const RaceModel& model, const std::vector<bool>& visible, int index) {
    if (index >= 0 && index < static_cast<int>(visible.size()))
        return visible[static_cast<std::size_t>(index)];
    return model.boats.at(index).visible;
}

QPolygon trackPolygon(const std::vector<TrackPoint>& track, FixRange range,
                      const ScreenTransform& t) {
    QPolygon points;
    if (range.empty()) return points;
    points.reserve(range.last - range.first + 1);
    QPoint last(INT_MIN, INT_MIN);
    for (int i = range.first; i <= range.last; ++i) {
        const TrackPoint& f = track[static_cast<std::size_t>(i)];
        const ScreenPoint s = t(f.latMinutes, f.lonMinutes);
        const QPoint q(toPixel(s.x), toPixel(s.y));
        if (q == last) continue;
        points.append(q);
        last = q;
    }
    return points;
}

StaticMapResult drawStaticMap(QImage& image, const StaticMapInput& in, const StaticView& where) {
    StaticMapResult out;
    StaticView w = where;
    w.width = image.width();
    w.height = image.height();
    const QColor sea = toQColor(seaColoursForLevel(in.seaLevel).sea);
    image.fill(sea);
    if (!in.model || !in.area || image.isNull()) return out;
    const RaceModel& m = *in.model;
    out.view = staticViewport(*in.area, w);

    QPainter p(&image);
    if (in.chart) drawChartLayer(p, out.view, *in.chart);
    const ScreenTransform t = out.view.transform();
    // The last boat first, so boat 1 ends on top.
    for (int b = m.boatCount() - 1; b >= 0; --b) {
        if (!boatChecked(m, in.visible, b)) continue;
        const Boat& boat = m.boats.at(b);
        drawTrack(image, p, trackPolygon(boat.track, fixRangeFor(boat.track, in.repeatSpan), t),
                  toQColor(boat.colour));
    }
    TextStamps labels(mapFontOfPoints(9));
    p.setFont(mapFontOfPoints(9));
    if (in.withCourse) {
        CourseLabelPlaces places(labels.height());
        drawMarks(p, out.view, m, labels, places, sea);
        out.lineEndMissing = drawLines(p, out.view, m, labels, places, sea);
    }
    if (in.coastline) {
        p.setPen(QPen(Qt::white, 1));
        CoastlineLayer(*in.coastline).draw(p, out.view);
    }
    return out;
}

QImage drawHighlightTrack(const QImage& staticMap, const Viewport& view,
                          const std::vector<TrackPoint>& track, std::uint32_t colour,
                          const std::optional<TimeSpan>& span) {
    QImage out = staticMap.copy();
    const QPolygon points = trackPolygon(track, fixRangeFor(track, span), view.transform());
    if (points.isEmpty() || out.isNull()) return out;
    QPainter p(&out);
    for (const QPen& pen : {QPen(Qt::white, 6), QPen(toQColor(colour), 2)}) {
        p.setPen(pen);
        if (points.size() == 1)
            p.drawPoint(points[0]);
        else
            p.drawPolyline(points);
    }
    return out;
}

}  // namespace korvane
