// The compass: a rose drawn once per run, and the 100 x 120 instrument
// image with the rose turned to the map orientation.
#pragma once

#include <QImage>

namespace korvane {

inline constexpr int kCompassRoseSize = 83;
inline constexpr int kCompassWidth = 100;
inline constexpr int kCompassHeight = 120;

// 83 x 83: a ring, ticks every 10 degrees (longer every 30), N E S W.
QImage drawCompassRose();

// The rose turned by thetaDegrees (clockwise) on a black 100 x 120 image,
// centred at (50, 50), with a caption line at the bottom. A zero angle
// copies the rose unturned.
QImage buildCompassImage(const QImage& rose, double thetaDegrees);

}  // namespace korvane
