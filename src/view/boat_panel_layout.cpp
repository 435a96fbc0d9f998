#include "view/boat_panel_layout.h"

#include "base/numbers.h"

namespace korvane {

BoatPanelLayout computeBoatPanelLayout(int boatCount, int classCount, bool withClasses) {
    BoatPanelLayout layout;
    // Two boats to a row; the 0.6 makes an odd count take its extra row.
    layout.rows = static_cast<int>(roundHalfEvenToInt((boatCount + 0.6) / 2));
    layout.boatPanelHeight = layout.rows * 14 + 25;
    if (withClasses) {
        layout.classPanelHeight = classCount * 14 + 10;
        layout.boatPanelHeight += layout.classPanelHeight;
    }
    return layout;
}

}  // namespace korvane
