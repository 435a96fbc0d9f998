#include "race/wind_query.h"

#include "base/numbers.h"
#include "race/angles.h"

namespace korvane {

std::optional<WindReading> windAt(const std::vector<WindSample>& s, double time,
                                  WindCursor& cursor) {
    const int n = static_cast<int>(s.size());
    if (n == 0) return std::nullopt;
    if (time <= s.front().timeSeconds) return WindReading{s.front().twdDegrees, s.front().tws, 0};
    if (time >= s.back().timeSeconds) return WindReading{s.back().twdDegrees, s.back().tws, 0};
    int e = (cursor.sampleIndex >= 0 && cursor.sampleIndex < n - 1) ? cursor.sampleIndex : 0;
    for (int tries = 0; tries < n - 1; ++tries) {
        const WindSample& a = s[static_cast<std::size_t>(e)];
        const WindSample& b = s[static_cast<std::size_t>(e) + 1];
        if (a.timeSeconds <= time && time < b.timeSeconds) {
            const double f = (time - a.timeSeconds) / (b.timeSeconds - a.timeSeconds);
            // Folded both ways, so a shift through north keeps its true side.
            const double d = foldDegrees180(b.twdDegrees - a.twdDegrees);
            double twd = roundHalfEven(d * f + a.twdDegrees);
            if (twd < 0) twd += 360;
            if (twd > 360) twd -= 360;
            cursor.sampleIndex = e;
            return WindReading{static_cast<int>(twd), (b.tws - a.tws) * f + a.tws,
                               d > 0 ? 1 : (d < 0 ? -1 : 0)};
        }
        if (++e >= n - 1) e = 0;
    }
    return std::nullopt;
}

}  // namespace korvane
