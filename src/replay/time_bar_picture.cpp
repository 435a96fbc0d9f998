#include "replay/time_bar_picture.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/timestamp.h"
#include "replay/daylight.h"

namespace korvane {

namespace {

const QColor kBarBackground(225, 225, 255);
const QColor kUpwind(255, 255, 255);
const QColor kDownwind(192, 192, 255);
const QColor kPanelBackground(255, 255, 192);
const QColor kRepeatGreen(0, 255, 0);
const QColor kDragBlue(0, 0, 255);

int roundedY(const TimeBarScale& scale, double t) {
    return static_cast<int>(roundHalfEvenToInt(timeBarY(scale, t)));
}

// Degrees off the wind, folded into -180 ... 180.
int offWindDegrees(double courseDegrees, int windDirectionDegrees) {
    int n = static_cast<int>(roundHalfEvenToInt(courseDegrees)) - windDirectionDegrees;
    while (n < -180) n += 360;
    while (n > 180) n -= 360;
    return n;
}

QImage drawStripes(const TimeBarInput& in, int h) {
    QImage bar(kTimeBarStripeWidth, h, QImage::Format_RGB32);
    bar.fill(kBarBackground);
    QPainter p(&bar);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kTimeBarStripeWidth - 1, h - 1);
    if (in.timelineLengthSeconds <= 0) return bar;
    // One pixel less than the bar, so the top of the timeline stays inside it.
    TimeBarScale stripes = timeBarScaleOf(in);
    stripes.heightPixels = h - 1;
    if (in.referenceTrack) {
        for (const TrackPoint& fix : *in.referenceTrack) {
            if (!(fix.timeSeconds > in.timelineBeginSeconds &&
                  fix.timeSeconds < in.timelineEndSeconds))
                continue;
            const bool upwind =
                std::abs(offWindDegrees(fix.courseDegrees, in.windDirectionDegrees)) < 90;
            // Later fixes repaint everything above their row: each band keeps
            // the colour of the fix that begins it.
            const int y = roundedY(stripes, fix.timeSeconds);
            if (y > 1)
                p.fillRect(QRect(1, 1, kTimeBarStripeWidth - 3, y - 1),
                           upwind ? kUpwind : kDownwind);
        }
    }
    const int gun = roundedY(stripes, 0);
    p.fillRect(QRect(0, gun - 1, kTimeBarStripeWidth, 2), Qt::red);
    if (!in.correctedTime) {
        p.setPen(Qt::red);
        p.setBrush(Qt::white);
        for (double t : in.pictureTimesSeconds) {
            const int y = roundedY(stripes, t);
            const QPoint diamond[] = {{5, y}, {10, y - 3}, {15, y}, {10, y + 3}};
            p.drawPolygon(diamond, 4);
        }
    }
    return bar;
}

void drawDaylight(QPainter& p, const TimeBarInput& in, int h) {
    const TimeBarScale scale = timeBarScaleOf(in);
    for (int s = h - 1; s > 0; --s) {
        const double t = timeAtBarY(scale, s);
        const Daylight d =
            daylightAt(secondsOfDay(in.startSecondsOfDay, t), in.sunriseSeconds, in.sunsetSeconds);
        const int g =
            static_cast<int>(std::clamp<std::int64_t>(roundHalfEvenToInt(d.level * 2.55), 0, 255));
        p.setPen(QColor(g, g, 192));
        p.drawLine(0, kTimeBarStripeTop + s, kTimeBarPanelWidth - 1, kTimeBarStripeTop + s);
    }
}

}  // namespace

int timeBarStripeHeight(int panelHeightPixels) {
    return std::max(1, panelHeightPixels - kTimeBarBottomRoom);
}

TimeBarScale timeBarScaleOf(const TimeBarInput& in) {
    return {in.timelineBeginSeconds, in.timelineEndSeconds, in.timelineLengthSeconds,
            timeBarStripeHeight(in.panelHeightPixels)};
}

QImage drawTimeBarPanel(const TimeBarInput& in) {
    const int height = std::max(kTimeBarBottomRoom + 1, in.panelHeightPixels);
    const int h = timeBarStripeHeight(height);
    QImage panel(kTimeBarPanelWidth, height, QImage::Format_RGB32);
    panel.fill(kPanelBackground);
    QPainter p(&panel);
    p.setPen(Qt::yellow);
    p.drawRect(0, 0, kTimeBarPanelWidth - 1, height - 1);
    if (in.timelineLengthSeconds > 0) drawDaylight(p, in, h);

    p.setPen(Qt::red);
    p.setBrush(Qt::red);
    const QRect startBox(5, height - 25, 40, 20);
    p.fillRect(startBox, Qt::red);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(startBox.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("START"));

    if (in.repeat && in.timelineLengthSeconds > 0) {
        const TimeBarScale scale = timeBarScaleOf(in);
        const int a = roundedY(scale, in.repeat->startSeconds) + kTimeBarStripeTop;
        const int b = roundedY(scale, in.repeat->endSeconds) + kTimeBarStripeTop;
        p.fillRect(QRect(QPoint(5, std::min(a, b)), QPoint(45, std::max(a, b) - 1)), kRepeatGreen);
    }
    p.drawImage(kTimeBarStripeLeft, kTimeBarStripeTop, drawStripes(in, h));
    return panel;
}

void drawTimePointer(QPainter& p, int top) {
    p.fillRect(QRect(1, top, kTimeBarPanelWidth, kTimePointerHeight), Qt::red);
}

void drawRepeatDrag(QPainter& p, int fromBarY, int toBarY) {
    const int a = kTimeBarStripeTop + fromBarY;
    const int b = kTimeBarStripeTop + toBarY;
    p.fillRect(QRect(QPoint(5, std::min(a, b)), QPoint(kTimeBarPanelWidth - 5, std::max(a, b) - 1)),
               kDragBlue);
}

}  // namespace korvane
