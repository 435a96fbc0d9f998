#include "view/boat_layer.h"

#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "view/colours.h"
#include "view/time_text.h"

namespace korvane {

namespace {

constexpr double kRad = std::numbers::pi / 180;

QPoint pixel(ScreenPoint s) {
    return {toPixel(s.x), toPixel(s.y)};
}

QString speedText(double knots) {
    return QString::fromStdString(displayNumber(roundHalfEven(knots * 100) / 100));
}

}  // namespace

HullShape hullShapeFor(double lg) {
    HullShape s = lg > 3 ? HullShape{{{0, -50},
                                      {12, -10},
                                      {15, 20},
                                      {10, 50},
                                      {-10, 50},
                                      {-15, 20},
                                      {-12, -10},
                                      {0, -50},
                                      {0, -15}}}
                         : HullShape{{{0, -50},
                                      {10, -50},
                                      {27, 10},
                                      {20, 50},
                                      {-20, 50},
                                      {-27, 10},
                                      {-10, -50},
                                      {0, -50},
                                      {0, -20}}};
    if (lg > 10) {
        const double k = 1 - (lg - 10) * 0.022;
        for (int i = 1; i <= 6; ++i)
            s[static_cast<std::size_t>(i)].x =
                static_cast<int>(roundHalfEven(s[static_cast<std::size_t>(i)].x * k));
    }
    return s;
}

int wakeStep(double latScale, int fixInterval) {
    if (!(latScale > 0) || fixInterval <= 0) return 1;
    const double k = roundHalfEven(std::trunc(std::min(10000 / latScale / fixInterval, 1e9)));
    return k < 1 ? 1 : static_cast<int>(k);
}

int labelLeft(double boatX, double L, int textWidth, int mapWidth) {
    const int half = toPixel(L / 2);
    const int x = toPixel(boatX) + half + 7;
    if (x + textWidth > mapWidth) return toPixel(boatX) - half - textWidth - 7;
    return x;
}

std::array<QPoint, 9> hullPolygon(const HullShape& shape, QPointF at, double S, double headingDeg) {
    const double h = headingDeg * kRad;
    const double ch = std::cos(h), sh = std::sin(h);
    std::array<QPoint, 9> out;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const double e = shape[i].x * S / 100;
        const double f = -S * shape[i].y / 100;
        out[i] = QPoint(toPixel(at.x() + e * ch + f * sh), toPixel(at.y() + e * sh - f * ch));
    }
    return out;
}

namespace {

struct Context {
    QPainter& p;
    const Viewport& v;
    const BoatLayerInput& in;
    const DisplayState& d;
    const RaceModel& m;
};

void drawWakeAndLabel(Context& c, int b) {
    const Boat& boat = c.m.boats[b];
    const BoatNow& now = (*c.in.boats)[static_cast<std::size_t>(b)];
    const bool visible = (*c.in.visible)[static_cast<std::size_t>(b)];
    const ScreenPoint here = c.v.toScreen(now.latMinutes, now.lonMinutes);
    const QPoint at = pixel(here);
    const int j = now.pointIndex;
    if (visible && c.in.timeSeconds >= 0) {
        const int k = wakeStep(c.v.latScale, boat.fixIntervalSeconds);
        QColor colour = Qt::white;
        if (c.d.wakeColouringOn) {
            const double avg = std::abs(now.windAngleDegrees) >= 90 ? c.d.avgDownwindSpeedKnots
                                                                    : c.d.avgUpwindSpeedKnots;
            if (boat.track[static_cast<std::size_t>(j)].speedKnots > avg) colour = Qt::red;
        }
        std::array<QPoint, 5> wake;
        wake[0] = at;
        for (int i = 0; i < 4; ++i) {
            const TrackPoint& t = boat.track[static_cast<std::size_t>(std::max(j - i * k, 0))];
            wake[static_cast<std::size_t>(i + 1)] = pixel(c.v.toScreen(t.latMinutes, t.lonMinutes));
        }
        c.p.setPen(QPen(colour, 1));
        c.p.setBrush(colour);
        c.p.drawPolyline(wake.data(), 5);
        for (int i = 1; i <= 3; ++i) {
            const QPoint q = wake[static_cast<std::size_t>(i)];
            c.p.drawEllipse(QRect(QPoint(q.x() - 1, q.y() - 1), QPoint(q.x() + 1, q.y() + 1)));
        }
        if (c.d.compLine || c.d.labelLevel > 2) {
            const double r = c.v.northUp ? 0 : c.m.race.windDirection;
            const double a = c.in.wind->smoothedTwd - r + 90 + c.m.race.magneticVariation;
            const ScreenPoint e1 = c.v.polarOffset(a);
            const ScreenPoint e2 = c.v.polarOffset(a - 180);
            c.p.setPen(QPen(toQColor(boat.colour), 1));
            c.p.drawLine(pixel({here.x + e1.x, here.y + e1.y}),
                         pixel({here.x + e2.x, here.y + e2.y}));
        }
    }

    // The label goes out in parts (name, speed, difference): names never
    // change and speeds repeat, so each part is a stamp already made.
    std::array<QString, 3> parts;
    QColor textColour = Qt::white;
    const QString name = QString::fromStdString(boat.name);
    if (c.d.labelLevel == 1) {
        if (visible) parts[0] = name;
    } else if (c.d.labelLevel >= 2) {
        const double speed = boat.track[static_cast<std::size_t>(j)].speedKnots;
        parts[0] = name;
        if (visible) {
            parts[0] += QStringLiteral("  ");
            parts[1] = speedText(speed) + QStringLiteral("Kts");
        }
        std::optional<int> other;
        if (c.in.measured && c.in.measured->first == b) other = c.in.measured->second;
        if (c.in.measured && c.in.measured->second == b) other = c.in.measured->first;
        if (visible && c.in.visibleCount == 2 && c.d.labelLevel > 2 && other) {
            const double otherSpeed =
                c.m.boats[*other]
                    .track[static_cast<std::size_t>(
                        (*c.in.boats)[static_cast<std::size_t>(*other)].pointIndex)]
                    .speedKnots;
            const double diff = roundHalfEven((speed - otherSpeed) * 100) / 100;
            parts[2] = QStringLiteral(" (") + (diff > 0 ? QStringLiteral("+") : QString()) +
                       QString::fromStdString(displayNumber(diff)) + QStringLiteral("kts)");
            if (diff > 0) textColour = Qt::red;
        }
    } else if (c.d.blinkNamesOn && c.d.blinkPhase) {
        parts[0] = name;
    }
    if (parts[0].isEmpty()) return;
    int width = 0;
    for (const QString& part : parts) width += part.isEmpty() ? 0 : c.in.labels->width(part);
    int x = labelLeft(here.x, c.in.symbolLength, width, c.v.width);
    for (const QString& part : parts) {
        if (part.isEmpty()) continue;
        c.in.labels->draw(c.p, QPoint(x, at.y() - 6), part, textColour, toQColor(c.in.seaColour));
        x += c.in.labels->width(part);
    }
}

void drawHighlights(Context& c) {
    const auto ring = [&](int b, const QColor& pen) {
        const BoatNow& now = (*c.in.boats)[static_cast<std::size_t>(b)];
        const QPoint at = pixel(c.v.toScreen(now.latMinutes, now.lonMinutes));
        const int r = toPixel(c.in.symbolLength * 0.5 + 3);
        c.p.setPen(QPen(pen, 1));
        c.p.setBrush(QColor(192, 255, 255));
        c.p.drawEllipse(at, r, r);
        return now;
    };
    const std::optional<int> hb = c.d.highlightBoat;
    const auto hasPosition = [&](std::optional<int> b) {
        return b && *b >= 0 && *b < c.m.boatCount() &&
               (*c.in.boats)[static_cast<std::size_t>(*b)].hasPosition;
    };
    if (hasPosition(hb)) {
        const BoatNow now = ring(*hb, Qt::black);
        const Boat& boat = c.m.boats[*hb];
        const QString text =
            QString::fromStdString(boat.name) + QStringLiteral("  ") +
            speedText(boat.track[static_cast<std::size_t>(now.pointIndex)].speedKnots) +
            QStringLiteral("Kts");
        const ScreenPoint here = c.v.toScreen(now.latMinutes, now.lonMinutes);
        const int x = labelLeft(here.x, c.in.symbolLength, c.in.labels->width(text), c.v.width);
        c.in.labels->draw(c.p, QPoint(x, toPixel(here.y) - 6), text, Qt::black, Qt::white);
    }
    const std::optional<int> pb = c.d.pickedBoat;
    if (pb != hb && hasPosition(pb)) ring(*pb, Qt::red);
}

void drawSail(Context& c, const BoatNow& now, QPoint mast, double S) {
    const double t = std::abs(now.windAngleDegrees) * kRad;
    const double sigma = now.windAngleDegrees > 0 ? 1 : -1;
    const double u = 10 * std::cos(t) + now.speedKnots;
    const double vv = 10 * std::sin(t);
    double a = u != 0 ? std::atan(vv / u) / kRad : 90;
    if (a < 0) a += 180;
    a *= sigma;
    double s = a / 2 + 180;
    if (s > 180) s -= 360;
    const double r = c.v.northUp ? 0 : -c.m.race.windDirection;
    const double base = now.headingDegrees + s + r;
    const auto polar = [&](double angle, double dist) {
        return QPoint(toPixel(mast.x() + dist * std::sin(angle * kRad)),
                      toPixel(mast.y() - dist * std::cos(angle * kRad)));
    };
    const QPoint pts[4] = {mast, polar(base + 40 * sigma, 0.1 * S),
                           polar(base + 16 * sigma, 0.25 * S), polar(base, 0.5 * S)};
    c.p.setPen(QPen(Qt::white, 1));
    c.p.setBrush(Qt::white);
    c.p.drawPolygon(pts, 4);
}

}  // namespace

int drawBoatLayer(QPainter& p, const Viewport& v, const BoatLayerInput& in) {
    const RaceModel& m = *in.model;
    Context c{p, v, in, *in.display, m};
    const int n = m.boatCount();
    for (int b = n - 1; b >= 0; --b)
        if ((*in.boats)[static_cast<std::size_t>(b)].hasPosition) drawWakeAndLabel(c, b);
    drawHighlights(c);

    std::array<ScreenPoint, 3> vane{};
    if (c.d.boatVanesOn) {
        const double w = in.wind->twdTrue;
        const double turn = -m.race.windDirection * kRad;
        const double L = in.symbolLength;
        const double angles[3] = {w, w - 5, w + 5};
        const double lengths[3] = {L, 2 * L, 2 * L};
        for (int i = 0; i < 3; ++i) {
            const double a = angles[i] * kRad;
            vane[static_cast<std::size_t>(i)] =
                v.rotateOffset(turn, -std::cos(a) * lengths[i], std::sin(a) * lengths[i]);
        }
    }

    const std::uint32_t outline = c.d.seaLevel > 75 ? bgr(0, 0, 0) : bgr(192, 192, 192);
    int onScreen = 0;
    for (int b = n - 1; b >= 0; --b) {
        const BoatNow& now = (*in.boats)[static_cast<std::size_t>(b)];
        if (!now.hasPosition) continue;
        const ScreenPoint here = v.toScreen(now.latMinutes, now.lonMinutes);
        if (!(here.x > 0 && here.x < v.width && here.y > 0 && here.y < v.height)) continue;
        const bool visible = (*in.visible)[static_cast<std::size_t>(b)];
        if (!visible && !c.d.showHiddenBoats) continue;
        const Boat& boat = m.boats[b];
        double S = v.latScale * boat.lengthMetres / kMetresPerMinuteLat;
        if (c.d.bigBoat && S < 14) S = 14;
        if (S < 6) S = 6;
        if (S > 100000) S = 100000;
        double h = now.headingDegrees - (v.northUp ? 0 : m.race.windDirection);
        if (h > 180) h -= 360;
        if (h < -180) h += 360;
        const auto pts = hullPolygon(in.hull, QPointF(here.x, here.y), S, h);
        p.setPen(QPen(toQColor(outline), 1));
        p.setBrush(visible ? toQColor(boat.colour) : toQColor(in.seaColour));
        p.drawPolygon(pts.data(), 8);
        ++onScreen;
        if (c.d.boatVanesOn) {
            QPoint q[4];
            for (int i = 0; i < 3; ++i)
                q[i] = QPoint(toPixel(here.x + vane[static_cast<std::size_t>(i)].x),
                              toPixel(here.y + vane[static_cast<std::size_t>(i)].y));
            q[3] = q[0];
            p.setPen(QPen(Qt::yellow, 1));
            p.drawPolyline(q, 4);
        }
        if (S > 8 && visible) drawSail(c, now, pts[8], S);
    }
    return onScreen;
}

}  // namespace korvane
