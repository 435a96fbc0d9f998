// The texts of the replay clock: the race-time read-out and the time of day.
#pragma once

#include <string>

namespace korvane {

// "59", "50:00", "0:50:01"; negative times count whole seconds up.
std::string formatReplayTime(double timeSeconds);
// "h:mm:ss" (hours not zero-filled).
std::string formatTimeOfDay(int secondsOfDay);

}  // namespace korvane
