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

void FixCollector::store(std::int64_t seconds, double latMinutes, double lonMinutes) {
    if (!std::isfinite(latMinutes) || !std::isfinite(lonMinutes)) return;
    TrackPoint p;
    p.timeSeconds = static_cast<double>(seconds);
    p.latMinutes = latMinutes;
    p.lonMinutes = lonMinutes;
    // Before the standard window only the latest fix counts; kept aside, so
    // a log that steps back into that hour cannot wipe the race stored so far.
    if (p.timeSeconds <= lowerBound_) {
        if (!early_ || p.timeSeconds > early_->timeSeconds) early_ = p;
        return;
    }
    fixes_.push_back(p);
}

std::vector<TrackPoint> FixCollector::take() {
    if (early_) fixes_.insert(fixes_.begin(), *early_);
    early_.reset();
    releaseSpareCapacity(fixes_);
    return std::move(fixes_);
}

}  // namespace korvane
