#include "app/passing_marks.h"

#include <cmath>

#include "replay/time_bar_picture.h"

namespace korvane {

namespace {
const QColor kChosenColour(255, 120, 0);
const QColor kCorrectedColour(0, 150, 0);
const QColor kCandidateColour(200, 0, 200);
constexpr int kMarkerRadius = 6;
}  // namespace

void drawPassingTicks(QPainter& painter, const TimeBarScale& scale,
                      const std::vector<PassingTick>& ticks, int barTop) {
    painter.save();
    for (const PassingTick& t : ticks) {
        const int y = barTop + static_cast<int>(std::lround(timeBarY(scale, t.timeSeconds)));
        if (t.chosen) {
            painter.fillRect(kTimeBarStripeLeft - 6, y - 1, kTimeBarStripeWidth + 12, 3,
                             t.corrected ? kCorrectedColour : kChosenColour);
        } else {
            // Candidates reach only half across, so a passing on the same row still shows.
            painter.fillRect(kTimeBarStripeLeft + kTimeBarStripeWidth / 2, y,
                             kTimeBarStripeWidth / 2 + 4, 1, kCandidateColour);
        }
    }
    painter.restore();
}

int passingTickAt(const TimeBarScale& scale, const std::vector<PassingTick>& ticks, double y) {
    int best = -1;
    double bestScore = 0;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double d = std::fabs(timeBarY(scale, ticks[i].timeSeconds) - y);
        if (d > kPassingTickReach) continue;
        // A passing wins over a candidate it lies on.
        const double score = d - (ticks[i].chosen ? kPassingTickReach : 0);
        if (best < 0 || score < bestScore) {
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    return best;
}

void drawPassingMarkers(QPainter& painter, const Viewport& viewport,
                        const std::vector<PassingMarker>& markers) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const PassingMarker& m : markers) {
        const ScreenPoint at = viewport.toScreen(m.latMinutes, m.lonMinutes);
        const QPointF centre(at.x, at.y);
        const int r = m.chosen ? kMarkerRadius : kMarkerRadius - 2;
        painter.setPen(QPen(m.chosen ? kChosenColour : kCandidateColour, m.selected ? 3 : 2));
        painter.drawEllipse(centre, r, r);
        if (!m.label.isEmpty()) {
            painter.setPen(kChosenColour);
            painter.drawText(centre + QPointF(r + 2, -r), m.label);
        }
    }
    painter.restore();
}

}  // namespace korvane
