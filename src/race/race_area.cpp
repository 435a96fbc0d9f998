#include "race/race_area.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvane {

void GeoBox::include(double lat, double lon) {
    maxLat = std::max(maxLat, lat);
    minLat = std::min(minLat, lat);
    maxLon = std::max(maxLon, lon);
    minLon = std::min(minLon, lon);
}

double RaceArea::baseLatScale(int width, int height) const {
    return latSpan > 0 ? std::min(width, height) / latSpan : 0;
}

double RaceArea::baseLonScale(int width, int height) const {
    return lonSpan > 0 ? std::min(width, height) / lonSpan : 0;
}

namespace {

int dayOfYear(Timestamp t) {
    const CalendarFields f = toCalendar(t);
    CalendarFields jan1;
    jan1.year = f.year;
    jan1.month = 1;
    jan1.day = 1;
    const auto first = toTimestamp(jan1);
    return first ? static_cast<int>(std::floor(t) - *first) + 1 : 1;
}

}  // namespace

RaceArea computeRaceArea(const RaceModel& model,
                         const std::vector<std::optional<double>>& lastPointTimes) {
    RaceArea area;
    const Race& race = model.race;
    for (int b = 0; b < model.boatCount(); ++b) {
        // A boat that never reached the last point is not limited.
        const std::optional<double> last = static_cast<int>(lastPointTimes.size()) > b
                                               ? lastPointTimes[static_cast<std::size_t>(b)]
                                               : std::nullopt;
        const bool limited = last.has_value();
        const double limit = limited ? *last + 10 : 0;
        for (const TrackPoint& p : model.boats[b].track) {
            if (p.timeSeconds < race.timelineBegin || p.timeSeconds >= race.timelineEnd) continue;
            if (limited && p.timeSeconds >= limit) continue;
            area.box.include(p.latMinutes, p.lonMinutes);
        }
    }
    if (!area.box.valid()) {
        // No fix inside the timeline: fall back to the marks, then to a point,
        // so that nothing downstream divides by a negative span.
        for (const Mark& m : model.marks) area.box.include(m.latMinutes, m.lonMinutes);
        if (!area.box.valid()) area.box.include(0, 0);
    }
    const GeoBox& box = area.box;
    area.centreLat = (box.maxLat + box.minLat) / 2;
    area.centreLon = (box.maxLon + box.minLon) / 2;
    area.cosLat = std::cos(area.centreLat / 60 * std::numbers::pi / 180);
    area.latSpan = (box.maxLat - box.minLat) * 1.2;
    area.lonSpan = (box.maxLon - box.minLon) * 1.2;
    if (area.latSpan <= area.lonSpan * area.cosLat)
        area.latSpan = area.lonSpan * area.cosLat;
    else
        area.lonSpan = area.latSpan / area.cosLat;
    if (area.latSpan > 0 && area.lonSpan > 0) {
        area.overviewLatScale = 170 / area.latSpan;
        area.overviewLonScale = 170 / area.lonSpan;
    }
    const double k = (area.centreLon - 900.0 * race.timeZoneHours) * 4;
    const double s = std::sin((dayOfYear(race.start) - 83) / 365.0 * 6.28);
    area.sunriseSeconds = 21600 - (4500 * s + k) - k;
    area.sunsetSeconds = (4500 * s + k) + 64800 - k;
    return area;
}

}  // namespace korvane
