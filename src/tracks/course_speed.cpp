#include "tracks/course_speed.h"

#include <cmath>

#include "base/numbers.h"

namespace korvane {

namespace {
constexpr int kMinimumFixes = 6;
}  // namespace

void deriveCourseAndSpeed(std::vector<TrackPoint>& track, double cosLat) {
    const int n = static_cast<int>(track.size());
    if (n < kMinimumFixes) return;
    const LocalPlane plane(cosLat);
    auto at = [&](int k) -> TrackPoint& { return track[static_cast<std::size_t>(k)]; };
    auto step = [&](int k) {
        return plane.vector(at(k).latMinutes, at(k).lonMinutes, at(k + 1).latMinutes,
                            at(k + 1).lonMinutes);
    };
    for (int j = 0; j + 1 < n; ++j) {
        const GroundVector v = step(j);
        if (v.northMetres == 0 && v.eastMetres == 0 && j > 0) {
            at(j).courseDegrees = at(j - 1).courseDegrees;
        } else {
            double course = roundHalfEven(v.bearingDegrees());
            // 359.5 and above round up to 360, which is north: 0.
            if (course >= 360) course -= 360;
            at(j).courseDegrees = course;
        }
        const int lo = std::max(j - 1, 0);
        const int hi = std::min(j + 2, n - 1);
        double metres = 0;
        for (int k = lo; k < hi; ++k) metres += step(k).lengthMetres();
        const double dt = at(hi).timeSeconds - at(lo).timeSeconds;
        at(j).speedKnots = dt > 0 ? metres / dt * 3.6 / 1.852 : 0;
    }
}

void deriveCourseAndSpeed(RaceModel& model, double cosLat) {
    for (Boat& boat : model.boats)
        if (!boat.loggedCourseAndSpeed) deriveCourseAndSpeed(boat.track, cosLat);
}

}  // namespace korvane
