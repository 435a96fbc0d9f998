#include "view/course_overlay.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "view/colours.h"
#include "view/course_labels.h"

namespace korvane {

namespace {

QPoint project(const Viewport& v, double lat, double lon) {
    const ScreenPoint s = v.toScreen(lat, lon);
    return {toPixel(s.x), toPixel(s.y)};
}

// A mark or line number as the race file writes it (from 1) as an index
// into its table; -1, which no table contains, when there is none.
int fileNumberToIndex(std::optional<std::int64_t> number) {
    const bool fits = number && *number >= 1 && *number <= std::numeric_limits<int>::max();
    return fits ? static_cast<int>(*number - 1) : -1;
}

void drawLabel(QPainter& p, QPoint topLeft, const QString& text, const CourseOverlayStyle& s) {
    s.labels->draw(p, topLeft, text, Qt::red, toQColor(s.seaColour));
}

}  // namespace

void drawMarkDot(QPainter& p, QPoint at, int radius) {
    p.setPen(QPen(Qt::yellow, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, radius, radius);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::yellow);
    p.drawEllipse(at, 4, 4);
}

int markCircleRadius(double boatLength, double latScale) {
    const double r = roundHalfEven(boatLength / kMetresPerMinuteLat * 3 * latScale);
    if (!(r >= 10)) return 10;
    return r > 100000 ? 100000 : static_cast<int>(r);
}

std::vector<GeoPoint> coursePointsOf(const RaceModel& m) {
    std::vector<GeoPoint> points;
    for (const std::string& entry : m.race.course) {
        const std::string e = toUpperAscii(trimBlanks(entry));
        if (e.rfind("MK", 0) == 0) {
            const auto k = fileNumberToIndex(parseInteger(std::string_view(e).substr(2)));
            if (m.marks.contains(k))
                points.push_back({m.marks[k].latMinutes, m.marks[k].lonMinutes});
        } else if (e.rfind("L", 0) == 0) {
            const auto k = fileNumberToIndex(parseInteger(std::string_view(e).substr(1)));
            if (m.lines.contains(k)) {
                const Line& l = m.lines[k];
                points.push_back(
                    {(l.lat1Minutes + l.lat2Minutes) / 2, (l.lon1Minutes + l.lon2Minutes) / 2});
            }
        }
    }
    return points;
}

void drawLaylines(QPainter& p, const Viewport& v, const Race& race, int twdTrue, QPoint at) {
    double w = v.northUp ? twdTrue : twdTrue - race.windDirection;
    if (w < 0) w += 360;
    const double a = race.laylineAngles[0];
    const double b = race.laylineAngles[1];
    const struct {
        double angle;
        std::uint32_t colour;
    } rays[] = {{w + 180, kWindAxisColour},         {w, kWindAxisColour},
                {w + a - 180, kLaylineFirstColour}, {w - a + 180, kLaylineSecondColour},
                {w + b - 180, kLaylineFirstColour}, {w - b + 180, kLaylineSecondColour}};
    for (const auto& ray : rays) {
        const ScreenPoint d = v.polarOffset(ray.angle);
        p.setPen(QPen(toQColor(ray.colour), 1, Qt::DotLine));
        p.drawLine(at, QPoint(toPixel(at.x() + d.x), toPixel(at.y() + d.y)));
    }
}

void drawCourseOverlay(QPainter& p, const Viewport& v, const RaceModel& m,
                       const CourseOverlayStyle& s) {
    const int r = markCircleRadius(s.boatLengthMetres, v.latScale);
    CourseLabelPlaces places(s.labels->height());
    // Labels number marks and lines from 1, as the race file does.
    for (int k = 0; k < m.marks.count(); ++k) {
        const QPoint at = project(v, m.marks[k].latMinutes, m.marks[k].lonMinutes);
        if (s.layLine) drawLaylines(p, v, m.race, s.twdTrue, at);
        drawMarkDot(p, at, r);
        drawLabel(p, places.next(at), QStringLiteral("MK%1").arg(k + 1), s);
    }
    for (int k = 0; k < m.lines.count(); ++k) {
        const Line& l = m.lines[k];
        const QPoint a = project(v, l.lat1Minutes, l.lon1Minutes);
        const QPoint b = project(v, l.lat2Minutes, l.lon2Minutes);
        if (s.layLine) {
            drawLaylines(p, v, m.race, s.twdTrue, a);
            drawLaylines(p, v, m.race, s.twdTrue, b);
        }
        if (l.lat2Minutes != 0) {
            p.setPen(QPen(Qt::yellow, 1));
            p.drawLine(a, b);
        }
        drawMarkDot(p, a, r);
        drawMarkDot(p, b, r);
        drawLabel(p, places.next(a), QStringLiteral("L%1").arg(k + 1), s);
        drawLabel(p, places.next(b), QStringLiteral("L%1").arg(k + 1), s);
    }
    if (m.refLines.count() < 1) {
        if (s.labelLevel > 2 || s.layLine) {
            QPolygon path;
            for (const GeoPoint& g : coursePointsOf(m))
                path << project(v, g.latMinutes, g.lonMinutes);
            p.setPen(QPen(Qt::yellow, 1, Qt::DotLine));
            if (path.size() >= 2) p.drawPolyline(path);
        }
    } else {
        p.setPen(QPen(Qt::red, 1, Qt::DotLine));
        for (const ReferenceLine& l : m.refLines)
            p.drawLine(project(v, l.lat1Minutes, l.lon1Minutes),
                       project(v, l.lat2Minutes, l.lon2Minutes));
    }
    p.setPen(QPen(Qt::white, 1, Qt::SolidLine));
}

}  // namespace korvane
