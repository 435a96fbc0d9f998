#include "base/local_plane.h"

#include <cmath>
#include <numbers>

namespace korvane {

double bearingOf(double northMetres, double eastMetres) {
    double b = 0;
    if (northMetres != 0) {
        // Written as (x * 180) / pi, not x * (180 / pi): the leg bearings of
        // the reports were first computed this way and must not move.
        b = std::atan(eastMetres / northMetres) * 180 / std::numbers::pi;
        if (northMetres < 0) b += 180;
    } else if (eastMetres > 0) {
        b = 90;
    } else if (eastMetres < 0) {
        b = 270;
    }
    if (b < 0) b += 360;
    if (b >= 360) b -= 360;
    return b;
}

double GroundVector::lengthMetres() const {
    return std::sqrt(northMetres * northMetres + eastMetres * eastMetres);
}

LocalPlane LocalPlane::atLatitude(double latMinutes) {
    return LocalPlane(std::cos(latMinutes / 60 * std::numbers::pi / 180));
}

}  // namespace korvane
