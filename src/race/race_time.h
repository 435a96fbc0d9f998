// Date-time helpers shared by the race file, the wind file and the log
// readers: text to Timestamp, whole seconds between two instants, and the
// normalisation of dates found in logs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/timestamp.h"

namespace korvane {

inline constexpr int kSecondsBetweenFailed = -1000000;

// Accepts "Y/M/D h:m:s", "Y-M-D h:m:s" (either date separator, one- or
// two-digit fields, optional ".fff" on the seconds, optional seconds), a
// date alone, or a time alone (which lands on day 0). nullopt otherwise.
std::optional<Timestamp> parseTimestamp(std::string_view text);

// Whole seconds from a to b, rounded half up on the absolute difference;
// negative when b is earlier by more than 1 ms, 0 within 1 ms.
// kSecondsBetweenFailed when either value is not a finite time.
int secondsBetween(Timestamp a, Timestamp b);

// "Y-M-D" becomes "Y/M/D"; a date 365 days or more from raceDate becomes
// "2000/1/1" so its fixes fall outside every race. Text without "-" is
// returned unchanged.
std::string normalizeLogDate(std::string_view text, Timestamp raceDate);

}  // namespace korvane
