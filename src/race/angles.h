// How the map and the analysis fold angles: one addition or subtraction of
// 360 at most. (The bearing of a ground vector, bearingOf, lives with the
// plane arithmetic in base/local_plane.h.)
#pragma once

namespace korvane {

// Into -180 ... 180; inline, as the analyses fold a course change per second.
inline double foldDegrees180(double degrees) {
    if (degrees > 180) return degrees - 360;
    if (degrees < -180) return degrees + 360;
    return degrees;
}
double foldDegrees360(double degrees);  // into 0 ... 360

}  // namespace korvane
