// How the map and the analysis fold angles: one addition or subtraction of
// 360 at most. (The bearing of a ground vector, bearingOf, lives with the
// plane arithmetic in base/local_plane.h.)
#pragma once

namespace korvane {

double foldDegrees180(double degrees);  // into -180 ... 180
double foldDegrees360(double degrees);  // into 0 ... 360

}  // namespace korvane
