#include "view/edit_snapshot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/timestamp.h"
#include "view/boat_layer.h"
#include "view/colours.h"
#include "view/compass.h"
#include "view/course_labels.h"
#include "view/course_overlay.h"
#include "view/map_font.h"
#include "view/text_stamps.h"

namespace korvane {

namespace {

constexpr double kSnapshotHullPixels = 16;
constexpr int kCompassLeft = 5;

QPoint project(const Viewport& v, double lat, double lon) {
    const ScreenPoint s = v.toScreen(lat, lon);
    return {toPixel(s.x), toPixel(s.y)};
}

// Marks and lines as bare points, without the live map's circles: the
// editor places points, not roundings.
void drawCoursePoints(QPainter& p, const Viewport& v, const RaceModel& m, TextStamps& labels,
                      QColor sea) {
    CourseLabelPlaces places(labels.height());
    auto dot = [&](QPoint at, const QString& name) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::yellow);
        p.drawEllipse(at, 4, 4);
        labels.draw(p, places.next(at), name, Qt::red, sea);
    };
    int k = 0;
    for (const Mark& mark : m.marks)
        dot(project(v, mark.latMinutes, mark.lonMinutes), QStringLiteral("MK%1").arg(++k));
    k = 0;
    for (const Line& l : m.lines) {
        const QString name = QStringLiteral("L%1").arg(++k);
        const QPoint a = project(v, l.lat1Minutes, l.lon1Minutes);
        if (l.lat2Minutes != 0) {
            const QPoint b = project(v, l.lat2Minutes, l.lon2Minutes);
            p.setPen(QPen(Qt::yellow, 1));
            p.drawLine(a, b);
            dot(b, name);
        }
        dot(a, name);
    }
}

}  // namespace

std::optional<SnapshotBoat> snapshotBoatAt(const std::vector<TrackPoint>& track, double t) {
    if (track.empty() || !(t >= track.front().timeSeconds) || t > track.back().timeSeconds)
        return std::nullopt;
    // The last fix at or before t.
    const auto after =
        std::upper_bound(track.begin(), track.end(), t,
                         [](double s, const TrackPoint& p) { return s < p.timeSeconds; });
    const TrackPoint& a = *(after - 1);
    SnapshotBoat boat{a.latMinutes, a.lonMinutes, a.courseDegrees, a.speedKnots};
    if (after != track.end() && after->timeSeconds > a.timeSeconds) {
        const double f = (t - a.timeSeconds) / (after->timeSeconds - a.timeSeconds);
        boat.latMinutes += (after->latMinutes - a.latMinutes) * f;
        boat.lonMinutes += (after->lonMinutes - a.lonMinutes) * f;
    }
    return boat;
}

EditSnapshotResult drawEditSnapshot(QImage& scene, const EditSnapshotInput& in,
                                    const StaticView& where) {
    EditSnapshotResult out;
    StaticMapInput map = in.map;
    // The snapshot shows the whole tracks whatever span the replay repeats.
    map.repeatSpan.reset();
    map.withCourse = false;
    const StaticMapResult drawn = drawStaticMap(scene, map, where);
    out.view = drawn.view;
    if (!in.map.model || !in.map.area || scene.isNull()) return out;
    const RaceModel& m = *in.map.model;
    const Race& race = m.race;
    if (race.timelineLength > 0)
        out.timePointerTop =
            toPixel((race.timelineEnd - in.timeSeconds) * in.timeBarHeight / race.timelineLength) +
            in.timeBarTop;

    QPainter p(&scene);
    const QColor sea = toQColor(seaColoursForLevel(in.map.seaLevel).sea);
    TextStamps labels(mapFontOfPoints(9));
    drawCoursePoints(p, out.view, m, labels, sea);

    const HullShape hull = hullShapeFor(race.defaultBoatLength);
    const QColor outline = in.map.seaLevel > 75 ? QColor(Qt::black) : QColor(192, 192, 192);
    const double turn = out.view.northUp ? 0 : race.windDirection;
    for (int b = m.boatCount() - 1; b >= 0; --b) {
        if (!boatChecked(m, in.map.visible, b)) continue;
        const Boat& boat = m.boats.at(b);
        const auto at = snapshotBoatAt(boat.track, in.timeSeconds);
        if (!at) continue;
        const ScreenPoint s = out.view.toScreen(at->latMinutes, at->lonMinutes);
        const auto pts =
            hullPolygon(hull, QPointF(s.x, s.y), kSnapshotHullPixels, at->headingDegrees - turn);
        p.setPen(QPen(outline, 1));
        p.setBrush(toQColor(boat.colour));
        p.drawPolygon(pts.data(), 8);
        ++out.boatsDrawn;
        if (in.showName)
            labels.draw(p, QPoint(toPixel(s.x) + 10, toPixel(s.y) - 6),
                        QString::fromStdString(boat.name), Qt::white, sea);
    }

    const double theta =
        out.view.northUp ? race.magneticVariation : race.magneticVariation - race.windDirection;
    p.drawImage(kCompassLeft, kCompassLeft, buildCompassImage(drawCompassRose(), theta));

    const std::string when = formatTimestamp(race.start + std::nearbyint(in.timeSeconds) / 86400.0);
    const auto space = when.find(' ');
    const QString clock =
        QString::fromStdString(space == std::string::npos ? when : when.substr(space + 1));
    TextStamps(mapFontOfPoints(12))
        .draw(p, QPoint(scene.width() - 63, scene.height() - 25), clock, Qt::white, sea);
    return out;
}

}  // namespace korvane
