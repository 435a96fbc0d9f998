// The coastline step of the race opening: the loader's inputs taken from the
// model and the race area, and its result.
#pragma once

#include <filesystem>
#include <stop_token>

#include "coast/coast_area.h"
#include "coast/coast_loader.h"
#include "coast/gshhg_shoreline.h"
#include "race/model.h"
#include "race/race_area.h"

namespace korvane {

CoastArea coastAreaOf(const RaceModel& model, const RaceArea& area);

// The coastline files the race names or its area calls for, read from the
// data root's coastline folder, and the landmarks near the tracks. Where no
// file gives any shoreline for the area, GSHHG's through GMT (`shoreline`)
// stands in; a stop request kills a running GMT.
CoastData loadRaceCoastline(const std::filesystem::path& dataRoot, const RaceModel& model,
                            const RaceArea& area,
                            const ShorelineOptions& shoreline = defaultShorelineOptions(),
                            std::stop_token stop = {});

}  // namespace korvane
