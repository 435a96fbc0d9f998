// The fleet's mean speed on each side of the wind, recomputed once a second;
// a boat's wake turns red while it sails faster than the mean of its side.
#pragma once

#include <span>

namespace korvane {

// What the averages need of one boat at the replayed instant.
struct BoatSpeedSample {
    bool visible = false;
    bool hasPosition = false;
    double speedKnots = 0;
    double windAngleDegrees = 0;  // true wind direction - heading, -180 ... 180
};

// The mean of a side that has no moving boat: so high that no wake turns red.
inline constexpr double kNoSideAverageKnots = 10000;

struct SideAverages {
    double upwindKnots = kNoSideAverageKnots;    // |wind angle| < 90
    double downwindKnots = kNoSideAverageKnots;  // |wind angle| >= 90
};

// Means over visible boats on the water (a position now, speed above 0).
SideAverages sideAverageSpeeds(std::span<const BoatSpeedSample> boats);

}  // namespace korvane
