#include "session/coast_step.h"

#include "base/paths.h"
#include "coast/corridor_mask.h"

namespace korvane {

namespace fs = std::filesystem;

CoastArea coastAreaOf(const RaceModel& model, const RaceArea& area) {
    CoastArea coast;
    // The race area falls back to the marks when no fix counts; with
    // neither there is no area to choose coastline for.
    bool anyPosition = !model.marks.empty();
    for (const Boat& b : model.boats) anyPosition = anyPosition || !b.track.empty();
    coast.known = anyPosition && area.box.valid();
    coast.trackBox = {area.box.maxLat, area.box.minLat, area.box.maxLon, area.box.minLon};
    coast.centreLat = area.centreLat;
    coast.centreLon = area.centreLon;
    coast.cosLat = area.cosLat;
    coast.latSpan = area.latSpan;
    coast.lonSpan = area.lonSpan;
    coast.marginMinutes = model.race.addArea;
    return coast;
}

CoastData loadRaceCoastline(const fs::path& dataRoot, const RaceModel& model, const RaceArea& area,
                            const ShorelineOptions& shoreline, std::stop_token stop) {
    std::vector<std::string> named(model.race.coastFiles.begin(), model.race.coastFiles.end());
    // Only the points the corridor joins are handed on: a copy of every fix
    // would cost more than the rest of the coastline step.
    std::vector<std::vector<GeoPoint>> paths;
    for (const Boat& b : model.boats)
        paths.push_back(corridorPath(b.track, [](const TrackPoint& p) {
            return GeoPoint{p.latMinutes, p.lonMinutes};
        }));
    const fs::path folder =
        resolveCaseInsensitive(dataRoot, "coastline").value_or(dataRoot / "coastline");
    const CoastArea coastArea = coastAreaOf(model, area);
    CoastData data = loadCoastline(folder, named, coastArea, paths);
    // A race abroad finds no Japanese mesh tile nor any of the country
    // file: the world's shoreline is better than plain sea. It is not one
    // of the race's files, so it joins no MAP line.
    if (data.coastline.empty() && coastArea.known) {
        ShorelineLookup world = lookUpShoreline(coastArea.extended(), shoreline, stop);
        data.coastline = std::move(world.coastline);
        if (!world.warning.empty()) data.warnings.push_back(std::move(world.warning));
    }
    return data;
}

}  // namespace korvane
