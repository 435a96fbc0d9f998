#include "video/film_standings.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "analysis/results_table.h"
#include "view/colours.h"

namespace korvane {

namespace {

// Below the compass and the wind graph, which the map keeps at fixed pixels.
constexpr int kLeft = 5;
constexpr int kTop = 258;
// Room left for the scale bar along the bottom.
constexpr int kBottomMargin = 36;
constexpr int kPadding = 4;
constexpr int kSwatchGap = 4;
constexpr int kColumnGap = 8;
// Long names are cut, so that the table never reaches far into the map.
constexpr int kNameChars = 11;

QFont tableFont(QSize frame) {
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    // 15 pixels in an HD frame, 22 in full HD.
    f.setPixelSize(std::clamp(frame.height() / 48, 11, 28));
    return f;
}

int rowsThatFit(QSize frame, int boats, int rowHeight) {
    const int room = (frame.height() - kTop - kBottomMargin - 2 * kPadding) / rowHeight - 1;
    return std::clamp(std::min(boats, kFilmStandingsRows), 0, std::max(0, room));
}

QString legText(const BoatStanding& s, bool japanese) {
    if (s.status != StandingStatus::Racing)
        return QString::fromStdString(standingStatusMark(s.status));
    return (japanese ? QStringLiteral("レグ%1") : QStringLiteral("L%1")).arg(s.leg);
}

QString gapText(const BoatStanding& s) {
    if (s.place <= 0) return {};
    if (s.secondsBehindLeader)
        return QString::fromStdString(formatGapMinutesSeconds(*s.secondsBehindLeader));
    // A gap the boat's speed cannot turn into time yet is shown in metres.
    return s.metresBehindLeader > 0 ? QStringLiteral("+%1 m").arg(s.metresBehindLeader, 0, 'f', 0)
                                    : QString();
}

struct Row {
    QString place, name, leg, gap;
    QColor colour;
};

}  // namespace

QRect filmStandingsBox(QSize frame, int boats) {
    const QFontMetrics metrics(tableFont(frame));
    const int rowHeight = metrics.height();
    const int rows = rowsThatFit(frame, boats, rowHeight);
    if (rows == 0) return {};
    const int height = (rows + 1) * rowHeight + 2 * kPadding;
    // Wide enough for a full-width name of kNameChars and its columns, and
    // never more than a third of the frame.
    const int width =
        std::min(frame.width() / 3, metrics.horizontalAdvance(QStringLiteral("10")) + rowHeight +
                                        kSwatchGap + kNameChars * metrics.averageCharWidth() +
                                        metrics.horizontalAdvance(QStringLiteral("レグ8 +88:88")) +
                                        3 * kColumnGap + 2 * kPadding);
    return QRect(kLeft, kTop, width, height);
}

void drawFilmStandings(QImage& frame, const RaceModel& model, const Standings& standings,
                       bool japanese) {
    const QRect box = filmStandingsBox(frame.size(), static_cast<int>(standings.boats.size()));
    if (box.isEmpty()) return;
    const QFont font = tableFont(frame.size());
    const QFontMetrics metrics(font);
    const int rowHeight = metrics.height();
    const int rows = box.height() / rowHeight - 1;

    std::vector<Row> table;
    for (int i = 0; i < rows && i < static_cast<int>(standings.boats.size()); ++i) {
        const BoatStanding& s = standings.boats[static_cast<std::size_t>(i)];
        const Boat& boat = model.boats.at(static_cast<std::size_t>(s.slot));
        table.push_back({s.place > 0 ? QString::number(s.place) : QStringLiteral("-"),
                         QString::fromStdString(boat.name), legText(s, japanese), gapText(s),
                         toQColor(boat.colour)});
    }
    int placeWidth = 0, legWidth = 0, gapWidth = 0;
    for (const Row& r : table) {
        placeWidth = std::max(placeWidth, metrics.horizontalAdvance(r.place));
        legWidth = std::max(legWidth, metrics.horizontalAdvance(r.leg));
        gapWidth = std::max(gapWidth, metrics.horizontalAdvance(r.gap));
    }

    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(box, QColor(0, 0, 0, 150));
    p.setFont(font);
    p.setPen(Qt::white);
    const int left = box.left() + kPadding;
    const int right = box.right() - kPadding;
    int y = box.top() + kPadding;
    const QString heading = standings.final
                                ? (japanese ? QStringLiteral("成績") : QStringLiteral("Results"))
                                : (japanese ? QStringLiteral("順位") : QStringLiteral("Standings"));
    p.drawText(QRect(left, y, right - left, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, heading);
    y += rowHeight;
    const int nameLeft = left + placeWidth + kColumnGap + rowHeight / 2 + kSwatchGap;
    const int gapLeft = right - gapWidth;
    const int legLeft = gapLeft - kColumnGap - legWidth;
    for (const Row& r : table) {
        p.drawText(QRect(left, y, placeWidth, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   r.place);
        const int swatch = rowHeight / 2;
        p.fillRect(
            QRect(left + placeWidth + kColumnGap, y + (rowHeight - swatch) / 2, swatch, swatch),
            r.colour);
        const QString name = metrics.elidedText(r.name, Qt::ElideRight,
                                                std::max(0, legLeft - kColumnGap - nameLeft));
        p.drawText(QRect(nameLeft, y, legLeft - nameLeft, rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
        p.drawText(QRect(legLeft, y, legWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, r.leg);
        p.drawText(QRect(gapLeft, y, gapWidth, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   r.gap);
        y += rowHeight;
    }
}

}  // namespace korvane
