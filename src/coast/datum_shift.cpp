#include "coast/datum_shift.h"

#include <cmath>
#include <numbers>

namespace korvane {

namespace {

constexpr double kBesselMajorMetres = 6377397.155;
constexpr double kBesselFlattening = 1 / 299.152813;
constexpr double kGpsFlattening = 1 / 298.257222101;
// Geocentric offset of the Tokyo datum's origin, metres.
constexpr double kShiftX = -148;
constexpr double kShiftY = 508;
constexpr double kShiftZ = 680;

constexpr double kDegrees = 180 / std::numbers::pi;

}  // namespace

DatumShift datumShift(double latMinutes, double lonMinutes) {
    const double phi = latMinutes / 60 / kDegrees;
    const double lambda = lonMinutes / 60 / kDegrees;
    const double e2 = 2 * kBesselFlattening - kBesselFlattening * kBesselFlattening;
    const double sinPhi = std::sin(phi);
    const double n = kBesselMajorMetres / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const double x = n * std::cos(phi) * std::cos(lambda) + kShiftX;
    const double y = n * std::cos(phi) * std::sin(lambda) + kShiftY;
    const double z = n * (1 - e2) * sinPhi + kShiftZ;

    // The geodetic latitude on the GPS ellipsoid is taken at zero height:
    // the height error is far below what a coastline drawing shows.
    double lambdaOut = std::atan(y / x) * kDegrees;
    if (lambdaOut > 180) lambdaOut -= 180;
    if (lambdaOut < 0) lambdaOut += 180;
    const double gpsE2 = 2 * kGpsFlattening - kGpsFlattening * kGpsFlattening;
    const double axisDistance = y / std::sin(lambdaOut / kDegrees);
    const double phiOut = std::atan((z / (1 - gpsE2)) / axisDistance) * kDegrees;

    DatumShift shift{(phiOut - latMinutes / 60) * 60, (lambdaOut - lonMinutes / 60) * 60};
    if (!std::isfinite(shift.latMinutes) || !std::isfinite(shift.lonMinutes)) return {};
    return shift;
}

}  // namespace korvane
