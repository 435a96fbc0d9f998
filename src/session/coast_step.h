// The coastline step of the race opening: the loader's inputs taken from the
// model and the race area, and its result.
#pragma once

#include <filesystem>

#include "coast/coast_area.h"
#include "coast/coast_loader.h"
#include "race/model.h"
#include "race/race_area.h"

namespace korvane {

CoastArea coastAreaOf(const RaceModel& model, const RaceArea& area);

// The coastline files the race names or its area calls for, read from the
// data root's coastline folder, and the landmarks near the tracks.
CoastData loadRaceCoastline(const std::filesystem::path& dataRoot, const RaceModel& model,
                            const RaceArea& area);

}  // namespace korvane
