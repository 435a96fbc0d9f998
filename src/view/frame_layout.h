// What a frame works out before anything is painted: where every boat is,
// which boats are shown, and the viewport (fit, zoom, turn) that the layers
// are then painted with. Nothing here touches an image.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "race/model.h"
#include "race/race_area.h"
#include "view/display_state.h"
#include "view/view_state.h"
#include "view/viewport.h"

namespace korvane {

struct FrameLayout {
    // The window's choices with "Show Name" applied (it shows hidden boats
    // and at least the names).
    DisplayState display;
    std::vector<bool> visible;      // by slot; every boat when none was checked
    int visibleCount = 0;           // checked boats with a position, before any re-check
    std::vector<int> firstVisible;  // the first few of them, in slot order
    bool drawn = false;             // false: no boat had a position (end of replay)
    // Some boat had a position on its track; false when only finished boats
    // are drawn, held where their tracks end (the replay ends as before).
    bool boatsMoving = false;
    bool recheckAllBoats = false;  // every boat was unchecked: the window re-checks them
    int timePointerTop = 0;
    double symbolLength = 0;  // pixels, the race's default boat as drawn
    std::string sizeNote;     // "Real Size" / "Size Enlarged"
};

// Updates the wind and the boats of `state` to `timeSeconds`, then fits
// `view` to the boats (only when the frame is drawn at all). `view` must
// already have the image's width and height.
// `finishSeconds` (by slot, may be null): a boat that finished stays where
// its track ends once the track is over, so the results keep their map.
FrameLayout layoutFrame(double timeSeconds, const RaceModel& model, const RaceArea& area,
                        const DisplayState& display, ViewState& state, Viewport& view,
                        const std::vector<std::optional<double>>* finishSeconds = nullptr);

}  // namespace korvane
