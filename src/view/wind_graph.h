// The small wind-direction graph beside the compass: time runs upward, the
// direction across, centred on the middle of the directions met.
#pragma once

#include <QImage>
#include <vector>

#include "race/model.h"

namespace korvane {

inline constexpr int kWindGraphWidth = 100;
inline constexpr int kWindGraphHeight = 120;
// Where the live map shows it: under the compass.
inline constexpr int kWindGraphLeft = 5;
inline constexpr int kWindGraphTop = 130;

struct WindAxis {
    double centreDegrees = 0;  // direction drawn at x = 50
    double spanDegrees = 20;   // direction range across the 90 pixels
};

// The direction axis of the samples (empty samples give centre 0, span 20).
WindAxis windAxisFor(const std::vector<WindSample>& samples);
// Time grid step in seconds for a timeline span.
int windGraphTimeStep(double spanSeconds);

QImage buildWindGraph(const std::vector<WindSample>& samples, const Race& race);

}  // namespace korvane
