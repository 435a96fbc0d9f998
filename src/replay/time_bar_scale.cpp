#include "replay/time_bar_scale.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace korvane {

namespace {
constexpr double kAboveEndBackSeconds = 100;
constexpr double kShortestRepeatSeconds = 5;
}  // namespace

double timeBarY(const TimeBarScale& s, double t) {
    if (s.timelineLengthSeconds <= 0) return 0;
    return (s.timelineEndSeconds - t) * s.heightPixels / s.timelineLengthSeconds;
}

double timeAtBarY(const TimeBarScale& s, double y) {
    if (s.heightPixels <= 0) return s.timelineEndSeconds;
    return roundHalfEven(s.timelineEndSeconds - y / s.heightPixels * s.timelineLengthSeconds);
}

double pickedTimeAt(const TimeBarScale& s, double y) {
    const double t = timeAtBarY(s, y);
    if (t > s.timelineEndSeconds)
        return std::max(s.timelineEndSeconds - kAboveEndBackSeconds, s.timelineBeginSeconds);
    return std::max(t, s.timelineBeginSeconds);
}

double previewTimeAt(const TimeBarScale& s, double y) {
    const double t = timeAtBarY(s, y);
    return std::clamp(t, s.timelineBeginSeconds,
                      std::max(s.timelineBeginSeconds, s.timelineEndSeconds));
}

std::optional<RepeatSpan> repeatSpanBetween(double anchor, double other) {
    if (!(std::abs(other - anchor) > kShortestRepeatSeconds)) return std::nullopt;
    return RepeatSpan{std::min(anchor, other), std::max(anchor, other)};
}

}  // namespace korvane
