#include "analysis/analysis_page.h"

#include <QPainter>
#include <cmath>

#include "analysis/page_text.h"
#include "base/local_plane.h"
#include "base/numbers.h"
#include "view/colours.h"

namespace korvane {

namespace {

constexpr int kFanLines = 120;  // 0.1 to 12 knots
constexpr int kDotRadius = 4;
constexpr int kHighlightRadius = 6;
const QColor kGridGrey(192, 192, 192);
const QColor kTitleGreen(0, 128, 0);
const QString kCtNote =
    QStringLiteral(" NOTE: All data related \"time\" including BSP are corrected by TCC/TMF ");

QString figureTitle(Figure f) {
    switch (f) {
        case Figure::WholeRace:
            return QStringLiteral(" Fig.1  Total/Time and Sailed Distance ");
        case Figure::Upwind:
            return QStringLiteral(" Fig.2  UP WIND / Time and Sailed Distance ");
        case Figure::Downwind:
            return QStringLiteral(" Fig.3 DOWN WIND / Time and Sailed Distance ");
    }
    return {};
}

QString number(double v) {
    return QString::fromStdString(formatNumber(v));
}

int px(double v) {
    return static_cast<int>(roundHalfEvenToInt(v));
}

// Title, axis captions, axes and both grids.
void drawFrame(QPainter& p, const FigureFrame& f, Figure figure) {
    const QString title = figureTitle(figure);
    drawPageText(
        p, {f.origin.x() + px((f.quadrantWidth - pageTextWidth(p, title)) / 2.0), f.top() - 20},
        title, Qt::white, kTitleGreen);
    drawPageText(p, {f.left() - 30, f.top() - 5}, QStringLiteral(" TIME "), Qt::white,
                 QColor(Qt::blue));
    const QString distance = QStringLiteral(" Distance(m) ");
    drawPageText(
        p,
        {f.origin.x() + px((f.quadrantWidth - pageTextWidth(p, distance)) / 2.0), f.bottom() + 18},
        distance, Qt::white, QColor(Qt::blue));

    const FigureRanges& r = f.ranges;
    const double ts = gridStep(r.tMax - r.tMin);
    for (auto i = roundHalfEvenToInt(r.tMin / ts); i <= roundHalfEvenToInt(r.tMax / ts) + 3; ++i) {
        const int y = f.yOf(i * ts);
        if (y <= f.top() || y >= f.bottom()) continue;
        p.setPen(kGridGrey);
        p.drawLine(f.left(), y, f.right(), y);
        const QString label = number(i * ts);
        drawPageText(p, {f.left() - pageTextWidth(p, label) - 3, y - 5}, label, Qt::black);
    }
    const double ds = gridStep(r.dMax - r.dMin);
    for (auto i = roundHalfEvenToInt(r.dMin / ds); i <= roundHalfEvenToInt(r.dMax / ds) + 3; ++i) {
        const int x = f.xOf(i * ds);
        if (x <= f.left() || x >= f.right()) continue;
        p.setPen(kGridGrey);
        p.drawLine(x, f.top(), x, f.bottom());
        if (i % 2 != 0) continue;
        const QString label = number(i * ds);
        drawPageText(p, {x - pageTextWidth(p, label) / 2, f.bottom() + 5}, label, Qt::black);
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawPolyline(QPolygon(
        {QPoint(f.left(), f.top()), QPoint(f.left(), f.bottom()), QPoint(f.right(), f.bottom())}));
}

void drawFan(QPainter& p, const FigureFrame& f) {
    for (int k = 1; k <= kFanLines; ++k) {
        const auto line = fanLine(f, k * 0.1);
        if (!line) continue;
        const bool labelled = k % 5 == 0;
        p.setPen(QPen(Qt::red, 1, labelled ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(line->from, line->to);
        if (labelled)
            drawPageText(p, {line->to.x() + 2, line->to.y() - 5},
                         number(k / 10.0) + QStringLiteral("kt"), Qt::red, QColor(Qt::white));
    }
}

std::vector<FigurePoint> rangePoints(Figure figure, const RaceModel& model, const LegAnalysis& legs,
                                     const PageState& state) {
    std::vector<FigurePoint> points;
    for (int i = 0; i < model.boatCount(); ++i) {
        const BoatLegResult& r = legs.boats.at(static_cast<std::size_t>(i));
        if (state.shown(model, i) && setsAxisRanges(figure, r))
            points.push_back(*figurePoint(figure, r));
    }
    return points;
}

}  // namespace

AnalysisDots drawAnalysisPage(QImage& page, const RaceModel& model, const LegAnalysis& legs,
                              const PageState& state) {
    AnalysisDots dots;
    const int boats = std::min(model.boatCount(), static_cast<int>(legs.boats.size()));
    dots.byBoat.resize(static_cast<std::size_t>(boats));
    page.fill(Qt::white);
    QPainter p(&page);
    p.setFont(pageFont(9));
    const bool corrected = model.race.timeMode == TimeMode::Corrected;
    if (corrected)
        drawPageText(p, {px((page.width() - pageTextWidth(p, kCtNote)) / 2.0), 4}, kCtNote,
                     Qt::white, QColor(Qt::red));
    for (std::size_t fi = 0; fi < kFigures.size(); ++fi) {
        const Figure figure = kFigures[fi];
        const auto ranges = figureRanges(rangePoints(figure, model, legs, state));
        if (!ranges) continue;
        const FigureFrame f = figureFrame(figure, page.width(), page.height(),
                                          corrected ? kNoteBandPixels : 0, *ranges);
        drawFrame(p, f, figure);
        drawFan(p, f);
        for (int i = boats - 1; i >= 0; --i) {
            const auto point = figurePoint(figure, legs.boats.at(static_cast<std::size_t>(i)));
            if (!point) continue;
            const QPoint at(f.xOf(point->distanceMetres), f.yOf(point->timeSeconds));
            if (!f.strictlyInside(at)) continue;
            const Boat& boat = model.boats.at(i);
            const bool shown = state.shown(model, i);
            p.setPen(QPen(toQColor(boat.colour), 1));
            p.setBrush(shown ? toQColor(boat.colour) : QColor(Qt::white));
            p.drawEllipse(at, kDotRadius, kDotRadius);
            p.setBrush(Qt::NoBrush);
            dots.byBoat[static_cast<std::size_t>(i)][fi] = at;
            if (state.showName && shown)
                drawPageText(p, {at.x() + 5, at.y() - 5}, QString::fromStdString(boat.name),
                             Qt::black, QColor(Qt::white));
        }
    }
    return dots;
}

std::optional<int> analysisBoatAt(const AnalysisDots& dots, QPoint mouse) {
    std::optional<int> best;
    int bestDistance = kHighlightRadius * kHighlightRadius + 1;
    for (std::size_t i = 0; i < dots.byBoat.size(); ++i)
        for (const auto& dot : dots.byBoat[i]) {
            if (!dot) continue;
            const QPoint d = *dot - mouse;
            const int squared = d.x() * d.x() + d.y() * d.y();
            if (squared < bestDistance) {
                bestDistance = squared;
                best = static_cast<int>(i);
            }
        }
    return best;
}

QString analysisDotCaption(const std::string& name, const FigurePoint& point) {
    const double knots =
        roundHalfEven(point.distanceMetres / point.timeSeconds * 360 / 1.852) / 100;
    return QStringLiteral(" %1  %2m / %3sec / %4kts")
        .arg(QString::fromStdString(name))
        .arg(roundHalfEvenToInt(point.distanceMetres))
        .arg(roundHalfEvenToInt(point.timeSeconds))
        .arg(number(knots));
}

void highlightAnalysisBoat(QImage& window, const RaceModel& model, const LegAnalysis& legs,
                           const AnalysisDots& dots, int boat) {
    if (boat < 0 || static_cast<std::size_t>(boat) >= dots.byBoat.size()) return;
    const Boat& b = model.boats.at(boat);
    const BoatLegResult& r = legs.boats.at(static_cast<std::size_t>(boat));
    QPainter p(&window);
    p.setFont(pageFont(9));
    for (std::size_t fi = 0; fi < kFigures.size(); ++fi) {
        const auto& dot = dots.byBoat[static_cast<std::size_t>(boat)][fi];
        const auto point = figurePoint(kFigures[fi], r);
        if (!dot || !point) continue;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(toQColor(b.colour));
        p.drawEllipse(*dot, kHighlightRadius, kHighlightRadius);
        // White on the boat's colour: white on the white page would vanish.
        drawPageText(p, {dot->x() + 8, dot->y() - 6}, analysisDotCaption(b.name, *point), Qt::white,
                     toQColor(b.colour));
    }
}

}  // namespace korvane
