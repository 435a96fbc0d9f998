#include "view/time_preview.h"

#include "tracks/track_query.h"
#include "view/overview_map.h"

namespace korvane {

std::vector<std::optional<QPoint>> overviewDotsAt(const RaceModel& model, const RaceArea& area,
                                                  bool northUp, const std::vector<bool>& checked,
                                                  double timeSeconds) {
    std::vector<std::optional<QPoint>> dots;
    dots.reserve(static_cast<std::size_t>(model.boatCount()));
    for (const Boat& boat : model.boats) {
        const std::size_t k = dots.size();
        const bool shown = checked.empty() ? boat.visible : k < checked.size() && checked[k];
        TrackCursor cursor;
        const auto s = shown ? sampleAt(boat.track, timeSeconds, cursor) : std::nullopt;
        if (s)
            dots.emplace_back(overviewPoint(area, northUp, model.race.windDirection, s->latMinutes,
                                            s->lonMinutes));
        else
            dots.emplace_back();
    }
    return dots;
}

}  // namespace korvane
