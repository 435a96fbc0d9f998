// Angle helpers every layer that turns positions into courses shares: the
// bearing of a ground offset and the two ways angles are folded.
#pragma once

namespace korvane {

// Degrees clockwise from north, 0 <= b < 360, of the offset dNorth, dEast
// (any common unit). No movement gives 0.
double bearingOf(double dNorth, double dEast);

// One addition or subtraction of 360 at most, as the map code folds angles.
double foldDegrees180(double degrees);  // into -180 ... 180
double foldDegrees360(double degrees);  // into 0 ... 360

}  // namespace korvane
