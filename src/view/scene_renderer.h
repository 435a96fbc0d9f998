// Draws one instant of the race into the scene image: wind and boat
// positions at that time, the fitted view, the map layers, the instruments,
// the boats and the time read-out. It never touches a widget; what the
// window must move comes back in SceneResult.
#pragma once

#include <QFont>
#include <QImage>
#include <vector>

#include "view/display_state.h"
#include "view/scene_input.h"
#include "view/text_stamps.h"
#include "view/view_state.h"
#include "view/viewport.h"

namespace korvane {

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
