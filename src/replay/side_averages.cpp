#include "replay/side_averages.h"

#include <cmath>

namespace korvane {

SideAverages sideAverageSpeeds(std::span<const BoatSpeedSample> boats) {
    double upSum = 0, downSum = 0;
    int upCount = 0, downCount = 0;
    for (const BoatSpeedSample& b : boats) {
        // A boat without a position keeps the speed of its last frame; counting it
        // would let boats long finished or out of their logs set the mean.
        if (!b.visible || !b.hasPosition || !(b.speedKnots > 0)) continue;
        if (std::abs(b.windAngleDegrees) < 90) {
            upSum += b.speedKnots;
            ++upCount;
        } else {
            downSum += b.speedKnots;
            ++downCount;
        }
    }
    SideAverages out;
    if (upCount > 0) out.upwindKnots = upSum / upCount;
    if (downCount > 0) out.downwindKnots = downSum / downCount;
    return out;
}

}  // namespace korvane
