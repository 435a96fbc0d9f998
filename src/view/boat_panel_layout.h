// The boat panel's size: rows of check boxes for the boats, two to a row,
// and the class panel's share when the race has classes. The panel code asks
// for it whenever the boats or classes change; the model does not keep it.
#pragma once

#include <QPoint>
#include <optional>
#include <vector>

namespace korvane {

struct BoatPanelLayout {
    int rows = 0;
    int boatPanelHeight = 0;
    int classPanelHeight = 0;
};

BoatPanelLayout computeBoatPanelLayout(int boatCount, int classCount, bool withClasses);

// Where each check box of the boat list goes (top left corners, panel
// pixels) and the height the list needs.
struct BoatListPlacement {
    QPoint title;
    std::vector<QPoint> classBoxes;  // by class, 0-based
    std::vector<QPoint> boatBoxes;   // by boat, 0-based
    int neededHeight = 0;
};

inline constexpr int kBoatRowPixels = 14;
inline constexpr int kBoatBoxWidth = 120;
inline constexpr int kBoatBoxHeight = 12;

// Without classes the boats fill the left column down `rows` rows, then the
// right one. With classes each class box heads its boats, two to a row.
// classOfBoat[b]: boat b's class (0-based), nothing for none.
BoatListPlacement placeBoatList(const std::vector<std::optional<int>>& classOfBoat, int classCount,
                                bool withClasses);

}  // namespace korvane
