// What the Graph page shows over its bitmap: the time under the mouse with
// the boat whose trace passes nearest, a boat's curves picked out, and the
// true wind drawn boldly over the boats. Which time and boat the mouse
// points at is a pure function of the mouse position, so the window only
// forwards the mouse.
#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

#include "analysis/graph_page.h"
#include "analysis/page_state.h"
#include "race/model.h"

namespace korvane {

// A trace this close to the mouse (in pixels, across) is the one pointed at.
inline constexpr int kGraphPickPixels = 8;

struct GraphHover {
    std::optional<double> timeSeconds;  // the mouse's row, inside the timeline
    std::optional<int> boat;            // item of model.boats
};

GraphHover graphHoverAt(const GraphLayout& layout, const RaceModel& model, const PageState& state,
                        QPoint mouse);

// The time line across both panels with each boat's course and speed read
// at that time, and the wind; then the hovered boat picked out.
void drawGraphHover(QImage& window, const GraphLayout& layout, const RaceModel& model,
                    const GraphHover& hover);
// The boat's name in red at the top and its curves redrawn boldly.
void drawGraphBoatHighlight(QImage& window, const GraphLayout& layout, const RaceModel& model,
                            int boat);
// The wind history over the boats: direction in red, speed in blue at half
// scale on the speed axis, each on a white halo.
void drawWindOverlay(QImage& window, const GraphLayout& layout, const RaceModel& model);

}  // namespace korvane
