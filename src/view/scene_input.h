// What the scene renderer draws from, and the one place it is put
// together: the window, korvane-cli and the benchmarks all build a frame's
// input here, so what one of them draws the others draw too.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "coast/coastline.h"
#include "coast/landmarks.h"
#include "race/maneuver.h"
#include "race/model.h"
#include "race/race_area.h"
#include "view/chart_layer.h"
#include "view/display_state.h"
#include "view/landmark_light.h"

namespace korvane {

using ManeuverTable = std::vector<std::vector<Maneuver>>;  // [b]: boat slot b

struct SceneInput {
    const RaceModel* model = nullptr;
    const RaceArea* area = nullptr;
    const Coastline* coastline = nullptr;
    const std::vector<LandmarkLight>* landmarks = nullptr;
    // Drawn with "Lay Line".
    const ManeuverTable* maneuvers = nullptr;
    // By slot: each boat's finish, empty when it did not finish.
    const std::vector<std::optional<double>>* finishSeconds = nullptr;
    // The chart under the map; none without "Chart". With a chart, a live
    // (Auto Trace) frame paints its own sea, and the image given to the
    // renderer need not be cleared.
    const ChartInput* chart = nullptr;
};

// The race's tables, as the open race keeps them.
struct SceneSources {
    const RaceModel* model = nullptr;
    const RaceArea* area = nullptr;
    const Coastline* coastline = nullptr;
    const std::vector<Landmark>* landmarks = nullptr;
    // Finding the maneuvers takes a while on a large fleet and happens the
    // first time they are asked for, so only a frame that draws them asks.
    std::function<const ManeuverTable&()> maneuvers;
    // By slot: each boat's finish (finished boats stay on the map).
    std::vector<std::optional<double>> finishSeconds;
};

class SceneInputBuilder {
  public:
    explicit SceneInputBuilder(SceneSources sources) : sources_(std::move(sources)) {}

    // The input of a frame with `display`, its landmark lights as the light
    // timer's counter `lightTicks` sets them. Valid until the next call.
    const SceneInput& build(const DisplayState& display, std::int64_t lightTicks);

  private:
    SceneSources sources_;
    std::vector<LandmarkLight> lights_;
    SceneInput input_;
};

}  // namespace korvane
