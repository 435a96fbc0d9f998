#include "view/instruments.h"

#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "view/colours.h"
#include "view/time_text.h"

namespace korvane {

double gridSpacingKm(int formHeight, double pixelsPerKm) {
    if (!(pixelsPerKm > 0)) return 1;
    const double tenths = std::trunc(std::min(formHeight / pixelsPerKm * 10, 1e12));
    const double g = roundHalfEven(tenths / 4) / 10;
    double s = g <= 0.5 ? g : 0.5;
    if (g > 1) s = 1;
    if (g > 2) s = 2;
    if (g > 5) s = 5;
    if (g > 10) s = std::trunc(g / 10) * 10;
    if (s < 0.1) s = 0.05;
    return s;
}

void drawKilometreGrid(QPainter& p, const Viewport& v, double s, std::uint32_t gridColour) {
    const double step = s * v.pixelsPerKm;
    if (!(step > 0)) return;
    // The anchor rounds the centre to whole multiples of the spacing, so the
    // lines stay put on the water while the view follows the boats.
    const double anchorLat = std::trunc(v.centreLat / s + 0.5) * s;
    const double anchorLon = std::trunc(v.centreLon / s + 0.5) * s;
    Viewport north = v;
    north.northUp = true;  // the grid is not turned in wind-up mode
    const ScreenPoint a = north.toScreen(anchorLat, anchorLon);
    p.setPen(QPen(toQColor(gridColour), 1));
    const int w = v.width, h = v.height;
    for (int i = 0; i <= 100; ++i) {
        const int y = toPixel(a.y + i * step);
        if (y > h) break;
        if (y > 0) p.drawLine(0, y, w, y);
    }
    for (int i = 1; i <= 100; ++i) {
        const int y = toPixel(a.y - i * step);
        if (y < 0) break;
        if (y < h) p.drawLine(0, y, w, y);
    }
    for (int i = 0; i <= 100; ++i) {
        const int x = toPixel(a.x + i * step);
        if (x > w) break;
        if (x > 0) p.drawLine(x, 0, x, h);
    }
    for (int i = 1; i <= 100; ++i) {
        const int x = toPixel(a.x - i * step);
        if (x < 0) break;
        if (x < w) p.drawLine(x, 0, x, h);
    }
}

void drawWindArrow(QPainter& p, const Viewport& v, const WindArrow& arrow) {
    const double A = arrow.angleDegrees * std::numbers::pi / 180;
    const double ca = std::cos(A), sa = std::sin(A);
    const double R = roundHalfEven(v.height / 2.0 * 0.8);
    const double b = roundHalfEven(R * 0.1);
    double a =
        arrow.smoothedTws > 2 ? roundHalfEven(R * arrow.smoothedTws / 20) : roundHalfEven(R * 0.3);
    if (a > 2 * R) a = 2 * R;
    const double m = roundHalfEven(R - a / 2);
    auto toScreen = [&](double u, double vv) {
        return QPoint(toPixel(v.width / 2.0 + u * ca + vv * sa),
                      toPixel(v.height / 2.0 + u * sa - vv * ca));
    };
    QPolygon outline;
    for (auto [u, vv] : {std::pair{-b, R},
                         {-b, m},
                         {-2 * b, m},
                         {0.0, R - a},
                         {2 * b, m},
                         {b, m},
                         {b, R},
                         {-b, R}})
        outline << toScreen(u, vv);
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(outline);

    QString label = QString::number(roundHalfEvenToInt(arrow.smoothedTwd)) + QChar(0x00B0);
    if (arrow.smoothedTws > 2)
        label += QStringLiteral("/ ") +
                 QString::fromStdString(displayNumber(roundHalfEven(arrow.smoothedTws * 10) / 10));
    const QPoint tip = toScreen(0, R - a / 2);
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::yellow);
    p.drawText(QPoint(tip.x() - fm.horizontalAdvance(label) / 2, tip.y() - 4 + fm.ascent()), label);

    if (arrow.shift != 0) {
        double q1 = roundHalfEven(b * 0.1), q2 = roundHalfEven(b * 0.2);
        if (arrow.shift < 0) {
            q1 = -q1;
            q2 = -q2;
        }
        p.setPen(QPen(Qt::white, 3));
        p.drawPolyline(QPolygon{toScreen(q1, R - 20), toScreen(q2, R - 15), toScreen(q1, R - 10)});
        p.drawLine(toScreen(q2, R - 15), toScreen(-q2, R - 15));
    }
    p.setPen(QPen(Qt::white, 1));
}

QString scaleBarText(double s) {
    if (s >= 1) return QString::fromStdString(displayNumber(s)) + QStringLiteral("Km");
    return QString::fromStdString(displayNumber(s * 1000)) + QStringLiteral("M");
}

void drawScaleBar(QPainter& p, const Viewport& v, double s, bool pictureVisible) {
    const int y = pictureVisible ? v.height - 70 : v.height - 10;
    const int x1 = toPixel(s * v.pixelsPerKm + 20);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(20, y - 5, 20, y + 5);
    p.drawLine(x1, y - 5, x1, y + 5);
    p.drawLine(20, y, x1, y);
    p.drawText(QPoint(50, y - 15 + p.fontMetrics().ascent()), scaleBarText(s));
}

ClockHands clockHandsFor(double t) {
    ClockHands h;
    h.hour = t * 6.28 / 12 / 3600;
    h.minute = std::fmod(t, 3600) * 6.28 / 3600;
    h.second = (t - 1440 * std::trunc(t / 1440)) * 6.28 / 60;
    return h;
}

void drawClockFace(QPainter& p, const Viewport& v, double t, int seaLevel) {
    const QPoint c(v.width - 40, v.height - 65);
    p.setPen(QPen(QColor(128, 128, 128), 5));
    p.setBrush(seaLevel > 50 ? QColor(seaLevel * 2 + 55, seaLevel * 2 + 55, seaLevel * 2 + 55)
                             : QColor(192, 192, 55));
    p.drawEllipse(c, 30, 30);
    const ClockHands hands = clockHandsFor(t);
    auto hand = [&](double angle, int length, const QColor& colour, int width) {
        const double sx = std::sin(angle), sy = -std::cos(angle);
        p.setPen(QPen(colour, width));
        p.drawLine(QPoint(toPixel(c.x() - 3 * sx), toPixel(c.y() - 3 * sy)),
                   QPoint(toPixel(c.x() + length * sx), toPixel(c.y() + length * sy)));
    };
    hand(hands.hour, 18, Qt::black, 4);
    hand(hands.minute, 26, QColor(128, 128, 128), 2);
    hand(hands.second, 27, Qt::red, 1);
    p.setPen(Qt::black);
    p.drawText(QPoint(v.width - 60, v.height - 113 + p.fontMetrics().ascent()),
               QString::fromStdString(formatTimeOfDay(static_cast<int>(t))));
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
}

}  // namespace korvane
