#include "view/boat_panel_layout.h"

#include <algorithm>

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

BoatListPlacement placeBoatList(const std::vector<std::optional<int>>& classOfBoat, int classCount,
                                bool withClasses) {
    constexpr int kLeft = 5, kRight = 132, kTitleLeft = 9, kClassStep = 21, kTail = 20;
    const int boats = static_cast<int>(classOfBoat.size());
    BoatListPlacement out;
    out.title = QPoint(kTitleLeft, 0);
    out.boatBoxes.assign(static_cast<std::size_t>(boats), QPoint());
    if (!withClasses || classCount < 1) {
        const BoatPanelLayout sizes = computeBoatPanelLayout(boats, classCount, false);
        const int rows = std::max(1, sizes.rows);
        for (int b = 0; b < boats; ++b) {
            const int i = b + 1;  // rows count from 1 under the title
            out.boatBoxes[static_cast<std::size_t>(b)] =
                i <= rows ? QPoint(kLeft, i * kBoatRowPixels + 4)
                          : QPoint(kRight, (i - rows) * kBoatRowPixels + 4);
        }
        out.neededHeight = rows * kBoatRowPixels + kTail;
        return out;
    }
    int top = 0;
    for (int k = 0; k < classCount; ++k) {
        top += kClassStep;
        out.classBoxes.push_back(QPoint(kLeft, top));
        int inRow = 0;
        for (int b = 0; b < boats; ++b) {
            if (classOfBoat[static_cast<std::size_t>(b)] != k) continue;
            if (inRow == 0) top += kBoatRowPixels;
            out.boatBoxes[static_cast<std::size_t>(b)] = QPoint(inRow == 0 ? kLeft : kRight, top);
            inRow = 1 - inRow;
        }
    }
    // Boats of no class (or of a class the race does not list) close the list.
    int inRow = 0;
    for (int b = 0; b < boats; ++b) {
        const auto& c = classOfBoat[static_cast<std::size_t>(b)];
        if (c && *c >= 0 && *c < classCount) continue;
        if (inRow == 0) top += kBoatRowPixels;
        out.boatBoxes[static_cast<std::size_t>(b)] = QPoint(inRow == 0 ? kLeft : kRight, top);
        inRow = 1 - inRow;
    }
    out.neededHeight = top + kTail;
    return out;
}

}  // namespace korvane
