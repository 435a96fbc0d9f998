// The texts of the map: the race-time read-out, the time of day, numbers.
#pragma once

#include <string>

namespace korvane {

// "59", "50:00", "0:50:01"; negative times count whole seconds up.
std::string formatReplayTime(double timeSeconds);
// A number as the map writes it: shortest general form, up to 15
// significant digits, plain digits for ordinary magnitudes ("100", "0.05").
std::string displayNumber(double value);

// "h:mm:ss" (hours not zero-filled).
std::string formatTimeOfDay(int secondsOfDay);

}  // namespace korvane
