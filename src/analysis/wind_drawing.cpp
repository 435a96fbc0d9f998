#include "analysis/wind_drawing.h"

#include "base/numbers.h"

namespace korvane {

std::optional<WindSample> drawnWindSample(const GraphLayout& l, QPoint at) {
    const QRect& panel = l.coursePanel;
    if (at.x() < panel.left() || at.x() > panel.left() + panel.width()) return std::nullopt;
    WindSample s;
    s.timeSeconds = static_cast<double>(roundHalfEvenToInt(l.yToTime(at.y())));
    int twd =
        static_cast<int>(roundHalfEvenToInt(360.0 * (at.x() - panel.left()) / panel.width())) +
        l.windDirection - 90;
    if (twd < 0) twd += 360;
    if (twd >= 360) twd -= 360;
    s.twdDegrees = twd;
    return s;
}

}  // namespace korvane
