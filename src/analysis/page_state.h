// What the window tells the Graph and Analysis pages: the size of the page
// bitmap, which boats are shown, whether names are written. Plain values,
// so a page can be drawn and checked without a widget.
#pragma once

#include <cstddef>
#include <vector>

#include "race/model.h"

namespace korvane {

struct PageState {
    int width = 1280;
    int height = 800;
    int seaLevel = 100;    // the sea-colour bar, the Graph page's background
    bool showName = true;  // "Show Name"
    // Shown boats in table order (item i is model.boats.at(i)); empty means
    // every boat's own visible flag.
    std::vector<bool> boatShown;

    bool shown(const RaceModel& model, int i) const {
        const auto k = static_cast<std::size_t>(i);
        return k < boatShown.size() ? boatShown[k] : model.boats.at(i).visible;
    }
};

}  // namespace korvane
