// Which photograph the replay reached during one frame tick, so the window can
// hold the replay on it.
#pragma once

#include <optional>
#include <span>

namespace korvane {

// The picture (0-based) whose time + `offsetSeconds` the replay crossed going from
// `fromSeconds` to `toSeconds` in `direction` (+1 forward, -1 backward): forward the
// first in (from, to], backward the last in [to, from). Nothing when none was crossed.
std::optional<int> pictureCrossed(std::span<const double> pictureTimesSeconds, double offsetSeconds,
                                  double fromSeconds, double toSeconds, int direction);

}  // namespace korvane
