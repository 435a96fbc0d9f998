#include "app/compare_drawing.h"

#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "ui_text/compare_texts.h"

namespace korvane {

namespace {

constexpr int kLeftMargin = 64;  // room for the strips' scale
constexpr int kRightMargin = 16;
constexpr int kGap = 6;
constexpr int kHeadingHeight = 16;
// The strips take this share of the height; the bars the rest.
constexpr double kStripsShare = 0.64;
const QColor kColourA(20, 80, 200);
const QColor kColourB(210, 40, 30);
const QColor kGrid(225, 225, 225);

using Value = std::function<std::optional<double>(const CompareMoment&)>;

struct Strip {
    CompareText heading;
    Value a;
    Value b;  // empty: the strip draws one line, in black
    bool zeroLine = false;
    // A compass course: always 0 to 360, and no line across north.
    bool compass = false;
};

std::optional<double> boatValue(const CompareMoment& m, std::size_t i, double BoatMoment::*field) {
    if (!m.boats[i]) return std::nullopt;
    return (*m.boats[i]).*field;
}

// A round step that gives about four lines over `span`.
double niceStep(double span) {
    const double raw = std::max(span, 1e-9) / 4;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0})
        if (raw <= f * power) return f * power;
    return 10 * power;
}

QString timeText(double seconds) {
    const int s = static_cast<int>(std::lround(seconds));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

void drawStrip(QPainter& p, const QRect& r, const Strip& strip, const CompareSeries& series,
               Language language) {
    double low = 0, high = 0;
    bool any = false;
    for (const CompareMoment& m : series.moments)
        for (const Value* v : {&strip.a, &strip.b}) {
            if (!*v) continue;
            if (const auto x = (*v)(m)) {
                low = any ? std::min(low, *x) : *x;
                high = any ? std::max(high, *x) : *x;
                any = true;
            }
        }
    if (strip.zeroLine) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    if (strip.compass) {
        low = 0;
        high = 360;
    }
    if (!(high > low)) {
        low -= 1;
        high += 1;
    }
    const double step = strip.compass ? 90 : niceStep(high - low);
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    const QRect plot = r.adjusted(0, kHeadingHeight, 0, 0);
    auto y = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };
    p.fillRect(plot, Qt::white);
    p.setPen(kGrid);
    const QFontMetrics fm = p.fontMetrics();
    for (double v = low; v <= high + step / 2; v += step) {
        p.setPen(std::abs(v) < step / 2 && strip.zeroLine ? QColor(120, 120, 120) : kGrid);
        p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        p.setPen(Qt::darkGray);
        const QString label = QString::number(v, 'g', 4);
        p.drawText(QPointF(plot.left() - 4 - fm.horizontalAdvance(label), y(v) + fm.ascent() / 2.0),
                   label);
    }
    p.setPen(Qt::black);
    p.drawText(QPointF(r.left(), r.top() + fm.ascent()),
               QString::fromUtf8(compareText(strip.heading, language)));
    p.setPen(QColor(160, 160, 160));
    p.drawRect(plot);
    p.save();
    p.setClipRect(plot);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& [value, colour] : {std::pair{&strip.a, strip.b ? kColourA : QColor(Qt::black)},
                                        std::pair{&strip.b, kColourB}}) {
        if (!*value) continue;
        QPainterPath path;
        bool open = false;
        double last = 0;
        for (const CompareMoment& m : series.moments) {
            const auto v = (*value)(m);
            if (!v || (strip.compass && open && std::abs(*v - last) > 180)) open = false;
            if (!v) continue;
            last = *v;
            const QPointF at(compareTimeX(plot, series, m.timeSeconds), y(*v));
            if (open)
                path.lineTo(at);
            else
                path.moveTo(at);
            open = true;
        }
        p.setPen(QPen(colour, 1.2));
        p.drawPath(path);
    }
    p.restore();
}

void drawTimeAxis(QPainter& p, const QRect& strips, const CompareSeries& series) {
    if (series.moments.empty()) return;
    const double end = series.moments.back().timeSeconds;
    double step = 60;
    for (double s : {300.0, 600.0, 900.0, 1800.0, 3600.0, 7200.0})
        if (end / step > 12) step = s;
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::darkGray);
    for (double t = 0; t <= end; t += step) {
        const double x = compareTimeX(strips, series, t);
        const QString label = timeText(t);
        p.drawText(
            QPointF(x - fm.horizontalAdvance(label) / 2.0, strips.bottom() + fm.ascent() + 2),
            label);
    }
}

struct PartStyle {
    CompareText name;
    double TimeParts::*part;
    QColor colour;
};

const std::array<PartStyle, 5> kParts{{
    {CompareText::Start, &TimeParts::start, QColor(150, 150, 150)},
    {CompareText::SailingSpeed, &TimeParts::speed, QColor(240, 150, 30)},
    {CompareText::Angle, &TimeParts::angle, QColor(60, 170, 80)},
    {CompareText::Maneuvers, &TimeParts::maneuvers, QColor(150, 80, 190)},
    {CompareText::Rest, &TimeParts::rest, QColor(120, 190, 230)},
}};

void drawBars(QPainter& p, const QRect& r, const RaceBreakdown& race, Language language) {
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::black);
    p.drawText(QPointF(r.left(), r.top() + fm.ascent()),
               QString::fromUtf8(compareText(CompareText::WhereTimeWent, language)));
    // The legend, on the heading's line, right of it.
    int x =
        r.left() +
        fm.horizontalAdvance(QString::fromUtf8(compareText(CompareText::WhereTimeWent, language))) +
        24;
    for (const PartStyle& s : kParts) {
        const QString name = QString::fromUtf8(compareText(s.name, language));
        p.fillRect(QRect(x, r.top() + 3, 12, 10), s.colour);
        p.drawText(QPointF(x + 16, r.top() + fm.ascent()), name);
        x += 16 + fm.horizontalAdvance(name) + 14;
    }
    p.drawText(QPointF(x, r.top() + fm.ascent()),
               QStringLiteral("◆ ") + QString::fromUtf8(compareText(CompareText::Total, language)));

    const QRect plot = r.adjusted(kLeftMargin, kHeadingHeight + 6, -kRightMargin, -fm.height() - 4);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(plot);
    if (race.legs.empty()) {
        p.setPen(Qt::darkGray);
        p.drawText(plot, Qt::AlignCenter,
                   QString::fromUtf8(compareText(CompareText::NoLegs, language)));
        return;
    }
    // The legs, then the whole race, each a column.
    std::vector<std::pair<QString, const TimeParts*>> columns;
    std::vector<double> totals;
    for (const LegBreakdown& leg : race.legs) {
        columns.emplace_back(QString::fromUtf8(compareText(CompareText::Leg, language)) +
                                 QStringLiteral(" %1").arg(leg.leg + 1),
                             &leg.parts);
        totals.push_back(leg.secondsDifference);
    }
    columns.emplace_back(QString::fromUtf8(compareText(CompareText::Total, language)), &race.parts);
    totals.push_back(race.secondsDifference);
    double low = 0, high = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        double up = 0, down = 0;
        for (const PartStyle& s : kParts) {
            const double v = columns[c].second->*s.part;
            (v > 0 ? up : down) += v;
        }
        low = std::min({low, down, totals[c]});
        high = std::max({high, up, totals[c]});
    }
    if (!(high > low)) high = low + 1;
    const double step = niceStep(high - low);
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    auto y = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };
    for (double v = low; v <= high + step / 2; v += step) {
        p.setPen(std::abs(v) < step / 2 ? QColor(120, 120, 120) : kGrid);
        p.drawLine(QPointF(plot.left() + 1, y(v)), QPointF(plot.right() - 1, y(v)));
        p.setPen(Qt::darkGray);
        const QString label = QString::number(v, 'g', 5);
        p.drawText(QPointF(plot.left() - 4 - fm.horizontalAdvance(label), y(v) + fm.ascent() / 2.0),
                   label);
    }
    const double width = static_cast<double>(plot.width()) / static_cast<double>(columns.size());
    const double barWidth = std::min(width * 0.5, 60.0);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double middle = plot.left() + width * (static_cast<double>(c) + 0.5);
        double up = 0, down = 0;
        for (const PartStyle& s : kParts) {
            const double v = columns[c].second->*s.part;
            double& base = v > 0 ? up : down;
            const QRectF bar(QPointF(middle - barWidth / 2, y(base + v)),
                             QPointF(middle + barWidth / 2, y(base)));
            p.fillRect(bar.normalized(), s.colour);
            base += v;
        }
        // The total: a diamond where the parts' sum ends, and its number.
        const QPointF at(middle, y(totals[c]));
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::black);
        p.setPen(Qt::white);
        p.drawPolygon(QPolygonF(
            {at + QPointF(0, -5), at + QPointF(5, 0), at + QPointF(0, 5), at + QPointF(-5, 0)}));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::black);
        const QString total = QString::number(totals[c], 'f', 0);
        p.drawText(QPointF(middle + barWidth / 2 + 3, at.y() + fm.ascent() / 2.0), total);
        const QString& name = columns[c].first;
        p.drawText(
            QPointF(middle - fm.horizontalAdvance(name) / 2.0, plot.bottom() + fm.ascent() + 3),
            name);
    }
}

}  // namespace

QRect compareStripsArea(const QRect& area) {
    const int height = static_cast<int>(area.height() * kStripsShare);
    return QRect(area.left() + kLeftMargin, area.top() + kGap + 18,
                 std::max(1, area.width() - kLeftMargin - kRightMargin),
                 std::max(1, height - kGap - 18 - 16));
}

double compareTimeX(const QRect& strips, const CompareSeries& series, double timeSeconds) {
    const double end =
        series.moments.empty() ? 1 : std::max(1.0, series.moments.back().timeSeconds);
    return strips.left() + std::clamp(timeSeconds / end, 0.0, 1.0) * strips.width();
}

void drawCompare(QPainter& p, const QRect& area, const CompareFigure& f) {
    p.fillRect(area, QColor(245, 245, 240));
    if (!f.series || !f.breakdown) return;
    const CompareSeries& series = *f.series;
    const QFontMetrics fm = p.fontMetrics();
    // Who is who, in the colours of their lines.
    int x = area.left() + kLeftMargin;
    for (const auto& [name, colour] : {std::pair{QStringLiteral("A  ") + f.nameA, kColourA},
                                       std::pair{QStringLiteral("B  ") + f.nameB, kColourB}}) {
        p.fillRect(QRect(x, area.top() + kGap + 4, 18, 3), colour);
        p.setPen(colour);
        p.drawText(QPointF(x + 24, area.top() + kGap + fm.ascent()), name);
        x += 24 + fm.horizontalAdvance(name) + 30;
    }
    if (series.boatA == series.boatB) {
        p.setPen(Qt::darkGray);
        p.drawText(QPointF(x, area.top() + kGap + fm.ascent()),
                   QString::fromUtf8(compareText(CompareText::SameBoat, f.language)));
    }
    const QRect strips = compareStripsArea(area);
    const std::array<Strip, 5> rows{{
        {CompareText::Speed,
         [](const CompareMoment& m) { return boatValue(m, 0, &BoatMoment::speedKnots); },
         [](const CompareMoment& m) { return boatValue(m, 1, &BoatMoment::speedKnots); }},
        {CompareText::MadeGood,
         [](const CompareMoment& m) { return boatValue(m, 0, &BoatMoment::madeGoodKnots); },
         [](const CompareMoment& m) { return boatValue(m, 1, &BoatMoment::madeGoodKnots); }, true},
        {CompareText::Course,
         [](const CompareMoment& m) { return boatValue(m, 0, &BoatMoment::courseDegrees); },
         [](const CompareMoment& m) { return boatValue(m, 1, &BoatMoment::courseDegrees); }, false,
         true},
        {CompareText::Windward, [](const CompareMoment& m) { return m.windwardMetres; }, {}, true},
        {CompareText::Behind, [](const CompareMoment& m) { return m.behindSeconds; }, {}, true},
    }};
    const int each = strips.height() / static_cast<int>(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        drawStrip(p,
                  QRect(strips.left(), strips.top() + static_cast<int>(i) * each, strips.width(),
                        each - kGap),
                  rows[i], series, f.language);
    drawTimeAxis(p, strips, series);
    const int barsTop = strips.bottom() + fm.height() + 10;
    drawBars(p, QRect(area.left(), barsTop, area.width(), area.bottom() - barsTop - kGap),
             *f.breakdown, f.language);
}

void drawCompareCursor(QPainter& p, const QRect& area, const CompareSeries& series,
                       double timeSeconds) {
    const QRect strips = compareStripsArea(area);
    const double x = compareTimeX(strips, series, timeSeconds);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1, Qt::DashLine));
    p.drawLine(QPointF(x, strips.top()), QPointF(x, strips.bottom()));
}

}  // namespace korvane
