// The boat panel's size: rows of check boxes for the boats, two to a row,
// and the class panel's share when the race has classes. The panel code asks
// for it whenever the boats or classes change; the model does not keep it.
#pragma once

namespace korvane {

struct BoatPanelLayout {
    int rows = 0;
    int boatPanelHeight = 0;
    int classPanelHeight = 0;
};

BoatPanelLayout computeBoatPanelLayout(int boatCount, int classCount, bool withClasses);

}  // namespace korvane
