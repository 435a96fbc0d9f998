#include "race/model.h"

namespace korvane {

int RaceModel::hiddenBoatCount() const {
    int n = 0;
    for (const Boat& b : boats)
        if (!b.visible) ++n;
    return n;
}

}  // namespace korvane
