// Race seconds of the UTC dates and times that text logs write on every
// line. A log repeats one date thousands of times, so the day's Timestamp is
// kept; the result is the very value parseTimestamp + secondsBetween give.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/timestamp.h"
#include "tracks/fix_collector.h"

namespace korvane {

class LogClock {
  public:
    explicit LogClock(const FixCollector& collector) : collector_(collector) {}

    // Fields already split into numbers; nullopt when one is out of range
    // (month 13, 31 April, hour 24...).
    std::optional<std::int64_t> seconds(int year, int month, int day, int hour, int minute,
                                        int second);

    // Text in any form parseTimestamp accepts; the route for everything that
    // is not the plain fixed-width form.
    std::optional<std::int64_t> secondsOfText(std::string_view text) const;

  private:
    const FixCollector& collector_;
    int year_ = -1, month_ = -1, day_ = -1;
    std::optional<Timestamp> dayStart_;
};

// Reads exactly `width` decimal digits at text[pos]; false when the text is
// shorter or holds anything else there.
bool readFixedDigits(std::string_view text, std::size_t pos, std::size_t width, int& value);

}  // namespace korvane
