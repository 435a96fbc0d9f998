#include "tracks/fix_collector.h"

#include <algorithm>
#include <cmath>

#include "race/race_time.h"

namespace korvane {

namespace {
// The extended window reaches back one hour before the standard one opens.
constexpr double kExtendedWindowSeconds = -3599;
}  // namespace

FixCollector::FixCollector(const ReadWindow& window, std::size_t expectedFixes)
    : window_(window),
      lowerBound_(-static_cast<double>(window.preStartSeconds) - 60),
      upperBound_(window.timelineEnd + 120) {
    // A guess from the file size; past a few million fixes the vector grows
    // on its own rather than claiming memory for a file of mostly noise.
    constexpr std::size_t kMaxReserve = std::size_t{1} << 22;
    fixes_.reserve(std::min(expectedFixes, kMaxReserve));
}

std::int64_t FixCollector::secondsOf(Timestamp utc) const {
    return static_cast<std::int64_t>(secondsBetween(window_.startUtc, utc)) +
           window_.timeOffsetSeconds;
}

FixCollector::Verdict FixCollector::judge(std::int64_t seconds) const {
    const double s = static_cast<double>(seconds);
    if (s > lowerBound_ && s < upperBound_) return Verdict::Store;
    if (window_.kind == WindowKind::Extended && s >= kExtendedWindowSeconds && s <= lowerBound_)
        return Verdict::Store;
    if (window_.stopsAfterWindow && s > upperBound_) return Verdict::Stop;
    return Verdict::Skip;
}

bool FixCollector::store(std::int64_t seconds, double latMinutes, double lonMinutes) {
    if (!std::isfinite(latMinutes) || !std::isfinite(lonMinutes)) return false;
    const double s = static_cast<double>(seconds);
    // A fix before the standard window replaces whatever slot 1 held.
    if (s <= lowerBound_) fixes_.clear();
    TrackPoint p;
    p.timeSeconds = s;
    p.latMinutes = latMinutes;
    p.lonMinutes = lonMinutes;
    fixes_.push_back(p);
    return true;
}

void FixCollector::store(std::int64_t seconds, double latMinutes, double lonMinutes,
                         double speedKnots, double courseDegrees) {
    if (!store(seconds, latMinutes, lonMinutes)) return;
    TrackPoint& p = fixes_.back();
    p.speedKnots = std::isfinite(speedKnots) ? speedKnots : 0;
    p.courseDegrees = std::isfinite(courseDegrees) ? courseDegrees : 0;
}

std::vector<TrackPoint> FixCollector::take() {
    releaseSpareCapacity(fixes_);
    return std::move(fixes_);
}

}  // namespace korvane
