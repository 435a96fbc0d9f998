#include "analysis/graph_page.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/page_text.h"
#include "base/numbers.h"
#include "view/colours.h"
#include "view/pixel_lines.h"

namespace korvane {

namespace {

constexpr int kPanelTop = 40;
constexpr int kBottomMargin = 37;  // under the panels: the axis labels
const QColor kGridColour(192, 192, 225);
const QColor kThirdLineColour(162, 162, 225);
const QColor kHourColour(142, 142, 225);
const QColor kPanelColour(225, 225, 255);
const QString kCtNote =
    QStringLiteral(" NOTE: All data related \"time\" including BSP are corrected by TCC/TMF ");

int px(double v) {
    return static_cast<int>(roundHalfEvenToInt(v));
}

double foldDegrees360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360 : a;
}

QString hoursMinutes(int t) {
    const int minutes = px((t % 3600) / 60.0);
    return QStringLiteral("%1:%2").arg(t / 3600).arg(minutes, 2, 10, QLatin1Char('0'));
}

// Both panels' fill, time grid and time labels.
void drawTimeGrid(QPainter& p, const GraphLayout& l) {
    for (const QRect& r : {l.coursePanel, l.speedPanel})
        p.fillRect(QRect(QPoint(r.left() - 1, r.top() - 1),
                         QPoint(r.left() + r.width() + 1, r.top() + r.height() + 2)),
                   kPanelColour);
    const int step = timeGridStepSeconds(l.timelineLength);
    const int lines = px(l.timelineLength / step) + 1;
    for (int i = 0; i <= lines; ++i) {
        const int t = i * step;
        const int y = l.timeToY(t);
        if (y <= l.top() || y > l.bottom()) continue;
        p.setPen(i == 0 ? QColor(Qt::red) : (t % 3600 == 0 ? kHourColour : kGridColour));
        for (const QRect& r : {l.coursePanel, l.speedPanel})
            p.drawLine(r.left(), y, r.left() + r.width(), y);
        drawPageText(p, {10, y - 4}, hoursMinutes(t), Qt::black);
    }
}

void drawCourseAxis(QPainter& p, const GraphLayout& l) {
    const QRect& r = l.coursePanel;
    drawPageText(p, {60, r.top() - 14},
                 QStringLiteral("Boat course and Wind Direction (Deg in Mag)"), Qt::white);
    for (int a = 0; a < 360; a += 10) {
        const int x = l.courseToX(a);
        const bool third = a % 30 == 0;
        p.setPen(third ? kThirdLineColour : kGridColour);
        p.drawLine(x, r.top(), x, r.top() + r.height());
        if (!third) continue;
        const QString label = QString::number(a);
        drawPageText(p, {x - pageTextWidth(p, label) / 2, l.bottom() + 5}, label, Qt::black);
    }
}

void drawSpeedAxis(QPainter& p, const GraphLayout& l, bool windSpeeds) {
    const QRect& r = l.speedPanel;
    drawPageText(p, {r.left() + 60, r.top() - 14}, QStringLiteral("Boat Speed (KTS)"), Qt::white);
    drawPageText(p, {r.left(), l.bottom() + 5}, QStringLiteral("BSP"), Qt::black);
    if (windSpeeds) drawPageText(p, {r.left(), l.bottom() + 19}, QStringLiteral("TWS"), Qt::blue);
    for (int k = 1; k <= l.speedMaxKnots; ++k) {
        const int x = l.speedToX(k);
        p.setPen(kGridColour);
        p.drawLine(x, r.top(), x, r.top() + r.height());
        const QString label = QString::number(k);
        drawPageText(p, {x - pageTextWidth(p, label) / 2, l.bottom() + 5}, label, Qt::black);
        if (!windSpeeds) continue;
        // Wind speed runs at half scale on the same axis.
        const QString wind = QString::number(2 * k);
        drawPageText(p, {x - pageTextWidth(p, wind) / 2, l.bottom() + 19}, wind, Qt::blue);
    }
}

void drawPieces(QImage& page, QPainter& p, const std::vector<QPolygon>& pieces, QColor colour) {
    if (acceptsPixelLines(page)) {
        for (const QPolygon& piece : pieces) drawPixelPolyline(page, piece, colour.rgb());
        return;
    }
    p.setPen(QPen(colour, 1));
    for (const QPolygon& piece : pieces) p.drawPolyline(piece);
}

}  // namespace

int graphSpeedMaxKnots(const RaceModel& model) {
    double fastest = 0;
    for (const Boat& boat : model.boats)
        for (const TrackPoint& fix : boat.track) fastest = std::max(fastest, fix.speedKnots);
    const double axis = roundHalfEven(std::max(3.0, 1.5 * fastest));
    return static_cast<int>(std::clamp(axis, 5.0, 16.0));
}

int timeGridStepSeconds(double length) {
    if (length > 24 * 3600) return 3600;
    if (length > 12 * 3600) return 1800;
    if (length > 6 * 3600) return 900;
    if (length > 3 * 3600) return 600;
    return 300;
}

int GraphLayout::timeToY(double t) const {
    return px(bottom() - (t - timelineBegin) * coursePanel.height() / timelineLength);
}

double GraphLayout::yToTime(int y) const {
    return timelineBegin + (bottom() - y) * timelineLength / coursePanel.height();
}

int GraphLayout::courseToX(double degrees) const {
    const double a = foldDegrees360(degrees - windDirection + 90);
    return px(coursePanel.width() * a / 360 + coursePanel.left());
}

int GraphLayout::speedToX(double knots) const {
    return px(speedPanel.width() * knots / speedMaxKnots + speedPanel.left());
}

GraphLayout graphLayout(const RaceModel& model, int width, int height) {
    GraphLayout l;
    const int panelHeight = std::max(1, height - kPanelTop - kBottomMargin);
    l.coursePanel = QRect(40, kPanelTop, std::max(1, px(width / 2.0 - 45)), panelHeight);
    l.speedPanel =
        QRect(px(width / 2.0 + 10), kPanelTop, std::max(1, px(width / 2.0 - 20)), panelHeight);
    l.speedMaxKnots = graphSpeedMaxKnots(model);
    const Race& race = model.race;
    l.timelineBegin = race.timelineBegin;
    l.timelineEnd = race.timelineEnd;
    // A timeline of no length still gets an axis rather than a division by 0.
    l.timelineLength = std::max(1.0, static_cast<double>(race.timelineLength));
    l.windDirection = race.windDirection;
    l.magneticVariation = race.magneticVariation;
    return l;
}

BoatTraces boatTraces(const GraphLayout& l, const Boat& boat, double magneticVariation) {
    TracePath course(l.courseEdges());
    TracePath speed;
    for (const TrackPoint& fix : boat.track) {
        if (!l.inTimeline(fix.timeSeconds)) continue;
        const int y = l.timeToY(fix.timeSeconds);
        course.add({l.courseToX(fix.courseDegrees - magneticVariation), y});
        speed.add({l.speedToX(fix.speedKnots), y});
    }
    return {course.finish(), speed.finish()};
}

std::vector<QPolygon> windDirectionTrace(const GraphLayout& l,
                                         const std::vector<WindSample>& samples) {
    TracePath trace(l.courseEdges());
    for (const WindSample& s : samples)
        if (l.inTimeline(s.timeSeconds))
            trace.add({l.courseToX(s.twdDegrees), l.timeToY(s.timeSeconds)});
    return trace.finish();
}

void drawGraphPage(QImage& page, const RaceModel& model, const PageState& state) {
    const GraphLayout l = graphLayout(model, page.width(), page.height());
    page.fill(toQColor(seaColoursForLevel(state.seaLevel).sea));
    QPainter p(&page);
    p.setFont(pageFont(9));
    if (model.race.timeMode == TimeMode::Corrected)
        drawPageText(p, {(page.width() - pageTextWidth(p, kCtNote)) / 2, 4}, kCtNote, Qt::white,
                     QColor(Qt::red));
    drawTimeGrid(p, l);
    drawCourseAxis(p, l);
    drawSpeedAxis(p, l, model.maxTws > 0);

    // From the last boat to the first, so the first boats lie on top.
    std::vector<BoatTraces> traces(static_cast<std::size_t>(model.boatCount()));
    for (int i = model.boatCount() - 1; i >= 0; --i)
        if (state.shown(model, i))
            traces[static_cast<std::size_t>(i)] =
                boatTraces(l, model.boats.at(i), model.race.magneticVariation);
    for (int i = model.boatCount() - 1; i >= 0; --i)
        drawPieces(page, p, traces[static_cast<std::size_t>(i)].course,
                   toQColor(model.boats.at(i).colour));
    p.setPen(QPen(Qt::red, 3));
    for (const QPolygon& piece : windDirectionTrace(l, model.windSamples)) p.drawPolyline(piece);
    for (int i = model.boatCount() - 1; i >= 0; --i)
        drawPieces(page, p, traces[static_cast<std::size_t>(i)].speed,
                   toQColor(model.boats.at(i).colour));
}

}  // namespace korvane
