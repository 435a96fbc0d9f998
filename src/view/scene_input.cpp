#include "view/scene_input.h"

namespace korvane {

const SceneInput& SceneInputBuilder::build(const DisplayState& display, std::int64_t lightTicks) {
    input_ = SceneInput();
    input_.model = sources_.model;
    input_.area = sources_.area;
    input_.coastline = sources_.coastline;
    if (sources_.landmarks) {
        lights_ = landmarkLightsAt(*sources_.landmarks, lightTicks);
        input_.landmarks = &lights_;
    }
    if (display.layLine && sources_.maneuvers) input_.maneuvers = &sources_.maneuvers();
    input_.finishSeconds = &sources_.finishSeconds;
    return input_;
}

}  // namespace korvane
