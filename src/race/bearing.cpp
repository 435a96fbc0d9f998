#include "race/bearing.h"

#include <cmath>
#include <numbers>

namespace korvane {

double bearingOf(double dNorth, double dEast) {
    double b = 0;
    if (dNorth != 0) {
        b = std::atan(dEast / dNorth) * 180.0 / std::numbers::pi;
        if (dNorth < 0) b += 180;
    } else if (dEast > 0) {
        b = 90;
    } else if (dEast < 0) {
        b = 270;
    }
    if (b < 0) b += 360;
    if (b >= 360) b -= 360;
    return b;
}

double foldDegrees180(double degrees) {
    if (degrees > 180) return degrees - 360;
    if (degrees < -180) return degrees + 360;
    return degrees;
}

double foldDegrees360(double degrees) {
    if (degrees < 0) return degrees + 360;
    if (degrees > 360) return degrees - 360;
    return degrees;
}

}  // namespace korvane
