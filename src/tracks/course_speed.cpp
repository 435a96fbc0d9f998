#include "tracks/course_speed.h"

#include <cmath>
#include <numbers>

#include "base/numbers.h"

namespace korvane {

namespace {
constexpr int kMinimumFixes = 6;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
}  // namespace

double bearingOf(double dNorth, double dEast) {
    double b = 0;
    if (dNorth != 0) {
        b = std::atan(dEast / dNorth) * kDegreesPerRadian;
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

void deriveCourseAndSpeed(std::vector<TrackPoint>& track, double cosLat) {
    const int n = static_cast<int>(track.size());
    if (n < kMinimumFixes) return;
    const double metresPerMinuteLon = kMetresPerMinuteLat * cosLat;
    // 1-based slot k is track[k - 1].
    auto at = [&](int k) -> TrackPoint& { return track[static_cast<std::size_t>(k - 1)]; };
    auto segment = [&](int k) {
        const double dNorth = (at(k + 1).latMinutes - at(k).latMinutes) * kMetresPerMinuteLat;
        const double dEast = (at(k + 1).lonMinutes - at(k).lonMinutes) * metresPerMinuteLon;
        return std::sqrt(dNorth * dNorth + dEast * dEast);
    };
    for (int j = 1; j <= n - 1; ++j) {
        const double dNorth = (at(j + 1).latMinutes - at(j).latMinutes) * kMetresPerMinuteLat;
        const double dEast = (at(j + 1).lonMinutes - at(j).lonMinutes) * metresPerMinuteLon;
        if (dNorth == 0 && dEast == 0 && j > 1) {
            at(j).courseDegrees = at(j - 1).courseDegrees;
        } else {
            double course = roundHalfEven(bearingOf(dNorth, dEast));
            // 359.5 and above round up to 360, which is north: 0.
            if (course >= 360) course -= 360;
            at(j).courseDegrees = course;
        }
        const int lo = std::max(j - 1, 1);
        const int hi = std::min(j + 2, n);
        double metres = 0;
        for (int k = lo; k < hi; ++k) metres += segment(k);
        const double dt = at(hi).timeSeconds - at(lo).timeSeconds;
        at(j).speedKnots = dt > 0 ? metres / dt * 3.6 / 1.852 : 0;
    }
}

void deriveCourseAndSpeed(RaceModel& model, double cosLat) {
    for (Boat& boat : model.boats)
        if (!boat.loggedCourseAndSpeed) deriveCourseAndSpeed(boat.track, cosLat);
}

}  // namespace korvane
