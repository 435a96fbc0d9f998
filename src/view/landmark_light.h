// A landmark light as the map draws it; the session fills these from the
// landmark files and the light phases of the current second.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "coast/landmarks.h"

namespace korvane {

struct LandmarkLight {
    double latMinutes = 0;
    double lonMinutes = 0;
    std::uint32_t colour = 0;  // 0x00BBGGRR
    bool lit = false;
    double size = 0;  // size field of the landmark file; the ring grows to size/5 minutes
    std::string name;
};

// The lights of the landmarks after the light timer's counter reached `tick`.
std::vector<LandmarkLight> landmarkLightsAt(const std::vector<Landmark>& landmarks,
                                            std::int64_t tick);

// Night at the venue: the time of day (seconds) outside sunrise ... sunset.
bool isNightAt(double secondsOfDay, double sunriseSeconds, double sunsetSeconds);

}  // namespace korvane
