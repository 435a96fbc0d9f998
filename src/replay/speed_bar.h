// The replay speed bar: a position 0 ... 136 stands for a speed of 1 ... 1500
// race seconds per real second in three stretches (1 ... 10, 10 ... 100,
// 100 ... 1500), ten positions to a decade step, four to each speed.
#pragma once

namespace korvane {

inline constexpr int kSpeedBarMin = 0;
inline constexpr int kSpeedBarMax = 136;
inline constexpr int kSpeedBarLargeStep = 5;
inline constexpr int kSpeedBarDefault = 30;
inline constexpr int kMinReplaySpeed = 1;
inline constexpr int kMaxReplaySpeed = 1500;

// Race seconds per real second shown at bar position `position` (clamped into the bar).
int speedForBarPosition(int position);

// The bar position that shows `speed`; the same mapping the race file uses for its
// play-speed line, clamped into the bar.
int barPositionForSpeed(double speed);

}  // namespace korvane
