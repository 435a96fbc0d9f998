// Draws one instant of the race into the scene image: wind and boat
// positions at that time, the fitted view, the map layers, the instruments,
// the boats and the time read-out. It never touches a widget; what the
// window must move comes back in SceneResult.
#pragma once

#include <QFont>
#include <QImage>
#include <vector>

#include "coast/coastline.h"
#include "race/maneuver.h"
#include "race/model.h"
#include "race/race_area.h"
#include "view/display_state.h"
#include "view/landmark_light.h"
#include "view/text_stamps.h"
#include "view/view_state.h"
#include "view/viewport.h"

namespace korvane {

struct SceneInput {
    const RaceModel* model = nullptr;
    const RaceArea* area = nullptr;
    const Coastline* coastline = nullptr;
    const std::vector<LandmarkLight>* landmarks = nullptr;
    // Every boat's maneuvers, [b] for boat slot b; drawn with "Lay Line".
    const std::vector<std::vector<Maneuver>>* maneuvers = nullptr;
};

// Fills the image with the sea colour, as the replay does before each frame
// in Auto Trace mode.
void clearScene(QImage& scene, int seaLevel);

class SceneRenderer {
  public:
    SceneRenderer();

    // The caller has cleared `scene`; `view` keeps the fitted projection for
    // the mouse handlers.
    SceneResult draw(QImage& scene, double timeSeconds, const SceneInput& input,
                     const DisplayState& display, ViewState& state, Viewport& view);

  private:
    QFont font9_;
    TextStamps text9_;
    TextStamps text15_;
    TextStamps text50_;
};

}  // namespace korvane
