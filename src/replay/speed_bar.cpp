#include "replay/speed_bar.h"

#include <algorithm>
#include <cmath>

#include "race/race_file.h"

namespace korvane {

int speedForBarPosition(int position) {
    const double p = std::clamp(position, kSpeedBarMin, kSpeedBarMax);
    if (p < 40) return static_cast<int>(std::trunc(p / 4 + 1));
    if (p < 80) return static_cast<int>(std::trunc((p - 40) / 4 + 1)) * 10;
    return static_cast<int>(std::trunc((p - 80) / 4 + 1)) * 100;
}

int barPositionForSpeed(double speed) {
    if (!std::isfinite(speed)) return kSpeedBarDefault;
    const double bounded = std::clamp(speed, 0.0, double{kMaxReplaySpeed} * 10);
    return std::clamp(speedSliderPosition(bounded), kSpeedBarMin, kSpeedBarMax);
}

}  // namespace korvane
