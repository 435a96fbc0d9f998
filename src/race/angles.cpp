#include "race/angles.h"

namespace korvane {

double foldDegrees360(double degrees) {
    if (degrees < 0) return degrees + 360;
    if (degrees > 360) return degrees - 360;
    return degrees;
}

}  // namespace korvane
