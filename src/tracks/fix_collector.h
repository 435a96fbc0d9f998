// The per-point rules every log reader shares: the race's time window, where
// a fix lands in the track and when reading stops. Readers only parse; what
// they find goes through one FixCollector, so the window logic exists once.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/timestamp.h"
#include "race/model.h"

namespace korvane {

enum class WindowKind {
    // s > -preStart - 60 and s < timelineEnd + 120.
    Standard,
    // Also keeps the latest fix of the hour before the standard window as
    // the first fix, so a boat that switched its logger on early still has a
    // position at the start of the replay.
    Extended,
};

// Everything a reader needs from the race and the boat: values, no model.
struct ReadWindow {
    Timestamp startUtc = 0;
    std::int32_t preStartSeconds = 180;
    double timelineEnd = 30;  // race seconds
    std::int32_t timeOffsetSeconds = 0;
    Timestamp raceDate = 0;  // local date of the start, for log dates
    WindowKind kind = WindowKind::Standard;
    // Reading ends at the first fix later than timelineEnd + 120.
    bool stopsAfterWindow = false;
};

class FixCollector {
  public:
    enum class Verdict { Skip, Store, Stop };

    explicit FixCollector(const ReadWindow& window, std::size_t expectedFixes = 0);

    // Race seconds of a UTC Timestamp, the boat's offset included.
    std::int64_t secondsOf(Timestamp utc) const;

    Verdict judge(std::int64_t seconds) const;
    // Stores a fix that judge() let through. Non-finite coordinates are
    // refused: one NaN would poison the race area and every distance sum.
    // Returns whether the fix was stored.
    bool store(std::int64_t seconds, double latMinutes, double lonMinutes);
    // The same for a log that recorded speed and course with its fixes;
    // values that are not finite are kept as 0.
    void store(std::int64_t seconds, double latMinutes, double lonMinutes, double speedKnots,
               double courseDegrees);

    // Judge and store in one step, for readers whose coordinates are cheap.
    Verdict offer(std::int64_t seconds, double latMinutes, double lonMinutes) {
        const Verdict v = judge(seconds);
        if (v == Verdict::Store) store(seconds, latMinutes, lonMinutes);
        return v;
    }

    // Where the standard window ends (exclusive), for readers that keep
    // other things than fixes (an instrument's events) around the race.
    double upperBound() const { return upperBound_; }

    std::size_t count() const { return fixes_.size() + (early_ ? 1 : 0); }
    // The fixes, holding at most kMaxTrackBytesPerFix each.
    std::vector<TrackPoint> take();

  private:
    ReadWindow window_;
    double lowerBound_;  // exclusive end of the pre-start part
    double upperBound_;
    std::vector<TrackPoint> fixes_;
    std::optional<TrackPoint> early_;  // the one fix of the extended hour

    TrackPoint* place(std::int64_t seconds, double latMinutes, double lonMinutes);
};

}  // namespace korvane
