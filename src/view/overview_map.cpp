#include "view/overview_map.h"

#include <QPainter>
#include <numbers>

#include "view/colours.h"

namespace korvane {

namespace {

ScreenPoint overviewOffset(const RaceArea& area, bool northUp, int windDirection, double lat,
                           double lon) {
    Viewport turn;
    turn.northUp = northUp;
    return turn.rotateOffset(-windDirection * std::numbers::pi / 180,
                             (area.centreLat - lat) * area.overviewLatScale,
                             (lon - area.centreLon) * area.overviewLonScale);
}

}  // namespace

QPoint overviewPoint(const RaceArea& area, bool northUp, int windDirection, double lat,
                     double lon) {
    const ScreenPoint d = overviewOffset(area, northUp, windDirection, lat, lon);
    return {toPixel(d.x + kOverviewSize / 2.0), toPixel(d.y + kOverviewSize / 2.0)};
}

QImage drawOverviewMap(const RaceModel& m, const RaceArea& area, const Coastline* coastline,
                       const std::vector<LandmarkLight>* landmarks, bool northUp) {
    QImage img(kOverviewSize, kOverviewSize, QImage::Format_RGB32);
    img.fill(QColor(120, 150, 255));
    QPainter p(&img);
    const int wd = m.race.windDirection;
    auto at = [&](double lat, double lon) { return overviewPoint(area, northUp, wd, lat, lon); };
    for (int b = m.boatCount() - 1; b >= 0; --b) {
        const Boat& boat = m.boats[b];
        QPolygon line;
        line.reserve(boat.pointCount());
        for (const TrackPoint& t : boat.track) line << at(t.latMinutes, t.lonMinutes);
        p.setPen(QPen(toQColor(boat.colour), 1));
        if (line.size() >= 2) p.drawPolyline(line);
    }
    if (coastline) {
        p.setPen(QPen(Qt::white, 1));
        for (const auto& poly : coastline->polylines) {
            QPolygon line;
            for (const GeoPoint& g : poly) {
                const QPoint q = at(g.latMinutes, g.lonMinutes);
                if (line.isEmpty() || line.back() != q) line << q;
            }
            if (line.size() >= 2) p.drawPolyline(line);
        }
    }
    p.setPen(QPen(Qt::red, 1));
    p.setBrush(Qt::yellow);
    if (landmarks)
        for (const LandmarkLight& l : *landmarks)
            p.drawEllipse(at(l.latMinutes, l.lonMinutes), 2, 2);
    p.setPen(QPen(Qt::yellow, 1));
    p.setBrush(Qt::white);
    for (const Mark& mk : m.marks) p.drawEllipse(at(mk.latMinutes, mk.lonMinutes), 2, 2);
    for (const Line& l : m.lines) {
        const QPoint a = at(l.lat1Minutes, l.lon1Minutes);
        const QPoint b = at(l.lat2Minutes, l.lon2Minutes);
        p.drawLine(a, b);
        p.drawEllipse(a, 2, 2);
        p.drawEllipse(b, 2, 2);
    }
    return img;
}

QRect overviewFrameFor(const Viewport& v, const RaceArea& area) {
    const QPoint c =
        overviewPoint(area, v.northUp, v.windDirectionDegrees, v.centreLat, v.centreLon);
    const double ratio = v.lonScale > 0 ? area.overviewLonScale / v.lonScale : 0;
    const int w = std::min(100000, toPixel(v.width * ratio));
    const int h = std::min(100000, toPixel(v.height * ratio));
    const int left = c.x() - w / 2 + 3;
    const int top = c.y() - h / 2 + 3;
    return QRect(QPoint(left, top), QPoint(left + w, top + h));
}

}  // namespace korvane
