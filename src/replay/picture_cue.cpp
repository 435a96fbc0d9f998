#include "replay/picture_cue.h"

namespace korvane {

std::optional<int> pictureCrossed(std::span<const double> pictureTimesSeconds, double offsetSeconds,
                                  double fromSeconds, double toSeconds, int direction) {
    const int n = static_cast<int>(pictureTimesSeconds.size());
    if (direction > 0) {
        for (int k = 0; k < n; ++k) {
            const double t = pictureTimesSeconds[k] + offsetSeconds;
            if (t > fromSeconds && t <= toSeconds) return k;
        }
    } else if (direction < 0) {
        for (int k = n - 1; k >= 0; --k) {
            const double t = pictureTimesSeconds[k] + offsetSeconds;
            if (t >= toSeconds && t < fromSeconds) return k;
        }
    }
    return std::nullopt;
}

}  // namespace korvane
