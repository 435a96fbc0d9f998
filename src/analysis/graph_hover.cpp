#include "analysis/graph_hover.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "analysis/page_text.h"
#include "base/numbers.h"
#include "race/wind_query.h"
#include "tracks/track_query.h"
#include "view/colours.h"

namespace korvane {

namespace {

constexpr int kCaptionTop = 18;

bool inside(const QRect& r, QPoint p) {
    return p.x() >= r.left() && p.x() <= r.left() + r.width() && p.y() >= r.top() &&
           p.y() <= r.top() + r.height();
}

QString raceClock(double seconds) {
    const auto s = roundHalfEvenToInt(std::abs(seconds));
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QString())
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

void drawHalo(QPainter& p, const std::vector<QPolygon>& pieces, QColor colour, int width) {
    p.setPen(QPen(Qt::white, width + 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygon& piece : pieces) p.drawPolyline(piece);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygon& piece : pieces) p.drawPolyline(piece);
}

}  // namespace

GraphHover graphHoverAt(const GraphLayout& l, const RaceModel& model, const PageState& state,
                        QPoint mouse) {
    GraphHover hover;
    const bool onCourse = inside(l.coursePanel, mouse);
    if (!onCourse && !inside(l.speedPanel, mouse)) return hover;
    const double t = l.yToTime(mouse.y());
    if (!l.inTimeline(t)) return hover;
    hover.timeSeconds = t;
    int nearest = kGraphPickPixels + 1;
    for (int i = 0; i < model.boatCount(); ++i) {
        if (!state.shown(model, i)) continue;
        TrackCursor cursor;
        const auto s = sampleAt(model.boats.at(i).track, t, cursor);
        if (!s) continue;
        const int x = onCourse ? l.courseToX(s->headingDegrees - l.magneticVariation)
                               : l.speedToX(s->speedKnots);
        const int d = std::abs(x - mouse.x());
        if (d < nearest) {
            nearest = d;
            hover.boat = i;
        }
    }
    return hover;
}

void drawGraphBoatHighlight(QImage& window, const GraphLayout& l, const RaceModel& model,
                            int boat) {
    if (boat < 0 || boat >= model.boatCount()) return;
    const Boat& b = model.boats.at(boat);
    const BoatTraces traces = boatTraces(l, b, l.magneticVariation);
    QPainter p(&window);
    p.setRenderHint(QPainter::Antialiasing);
    drawHalo(p, traces.course, toQColor(b.colour), 2);
    drawHalo(p, traces.speed, toQColor(b.colour), 2);
    p.setFont(pageFont(12));
    const QString name = QString::fromStdString(b.name);
    // Right-aligned over the course panel, clear of the wind labels.
    const int x = l.coursePanel.left() + l.coursePanel.width() - pageTextWidth(p, name);
    drawPageText(p, {x, kCaptionTop - 16}, name, Qt::red);
}

void drawGraphHover(QImage& window, const GraphLayout& l, const RaceModel& model,
                    const GraphHover& hover) {
    if (hover.boat) drawGraphBoatHighlight(window, l, model, *hover.boat);
    if (!hover.timeSeconds) return;
    const double t = *hover.timeSeconds;
    const int y = l.timeToY(t);
    QPainter p(&window);
    p.setFont(pageFont(9));
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    for (const QRect& r : {l.coursePanel, l.speedPanel})
        p.drawLine(r.left(), y, r.left() + r.width(), y);
    QString text = raceClock(t);
    WindCursor windCursor;
    if (const auto wind = windAt(model.windSamples, t, windCursor))
        text += QStringLiteral("  TWD %1  TWS %2")
                    .arg(wind->twdDegrees)
                    .arg(QString::fromStdString(formatNumber(roundHalfEven(wind->tws * 10) / 10)));
    if (hover.boat) {
        TrackCursor cursor;
        const Boat& b = model.boats.at(*hover.boat);
        if (const auto s = sampleAt(b.track, t, cursor)) {
            const double course = std::fmod(s->headingDegrees - l.magneticVariation + 720, 360);
            text += QStringLiteral("  %1  COG %2  SOG %3kt")
                        .arg(QString::fromStdString(b.name))
                        .arg(roundHalfEvenToInt(course))
                        .arg(QString::fromStdString(
                            formatNumber(roundHalfEven(s->speedKnots * 10) / 10)));
        }
    }
    drawPageText(p, {l.coursePanel.left() + 4, y - 18}, text, Qt::black, QColor(Qt::white));
}

void drawWindOverlay(QImage& window, const GraphLayout& l, const RaceModel& model) {
    QPainter p(&window);
    p.setRenderHint(QPainter::Antialiasing);
    if (model.maxTws > 0) {
        p.setFont(pageFont(12));
        drawPageText(p, {340, kCaptionTop - 16}, QStringLiteral("TWD"), Qt::red);
        drawPageText(p, {window.width() / 2 + 210, kCaptionTop - 16}, QStringLiteral("TWS"),
                     Qt::red);
        QPolygon speeds;
        for (const WindSample& s : model.windSamples)
            if (l.inTimeline(s.timeSeconds))
                speeds.append({l.speedToX(s.tws / 2), l.timeToY(s.timeSeconds)});
        p.save();
        p.setClipRect(l.speedPanel.adjusted(0, 0, 1, 1));
        drawHalo(p, {speeds}, Qt::blue, 2);
        p.restore();
    }
    drawHalo(p, windDirectionTrace(l, model.windSamples), Qt::red, 2);
}

}  // namespace korvane
