// Races built in code for the map tests and the frame benchmark: boats
// beating to windward in a steady breeze, a start line, a windward mark, an
// optional coastline and landmarks.
#pragma once

#include <cmath>
#include <numbers>

#include "coast/coastline.h"
#include "coast/landmarks.h"
#include "race/angles.h"
#include "race/model.h"
#include "race/race_area.h"
#include "tracks/course_speed.h"
#include "view/colours.h"

namespace korvane::testing {

inline constexpr double kBaseLat = 2100;  // 35° N
inline constexpr double kBaseLon = 8370;  // 139.5° E

// Course and speed from the fixes, so the symbols point where they sail.
inline void deriveCourses(Boat& boat, double cosLat) {
    auto& t = boat.track;
    for (std::size_t j = 0; j + 1 < t.size(); ++j) {
        const double dn = (t[j + 1].latMinutes - t[j].latMinutes) * kMetresPerMinuteLat;
        const double de = (t[j + 1].lonMinutes - t[j].lonMinutes) * kMetresPerMinuteLat * cosLat;
        t[j].courseDegrees = std::round(bearingOf(dn, de));
        const double dt = t[j + 1].timeSeconds - t[j].timeSeconds;
        t[j].speedKnots = dt > 0 ? std::hypot(dn, de) / dt * 3.6 / 1.852 : 0;
    }
}

// A straight track at `headingDegrees` and `speedKnots`, fixes every
// `stepSeconds` from `from` to `to`.
inline std::vector<TrackPoint> straightTrack(double lat, double lon, double headingDegrees,
                                             double speedKnots, double from, double to,
                                             double stepSeconds) {
    const double cosLat = std::cos(lat / 60 * std::numbers::pi / 180);
    const double a = headingDegrees * std::numbers::pi / 180;
    const double metresPerSecond = speedKnots * 1852 / 3600;
    std::vector<TrackPoint> t;
    for (double s = from; s <= to + 1e-9; s += stepSeconds) {
        const double d = metresPerSecond * (s - from);
        TrackPoint p;
        p.timeSeconds = s;
        p.latMinutes = lat + d * std::cos(a) / 1852;
        p.lonMinutes = lon + d * std::sin(a) / (1852 * cosLat);
        p.courseDegrees = headingDegrees;
        p.speedKnots = speedKnots;
        t.push_back(p);
    }
    return t;
}

inline RaceModel syntheticRace(int boats, double fixStep = 2, double to = 3600) {
    RaceModel m;
    m.race.start = 45424 + 11.0 / 24;  // 2024-05-12 11:00
    m.race.windDirectionInput = 200;
    m.race.windDirection = 200;
    m.race.magneticVariation = 0;
    m.race.laylineAngles = {45, 45};
    m.race.northUp = true;
    m.race.defaultBoatLength = 9.5;
    m.race.timelineBegin = -300;
    m.race.timelineEnd = to;
    m.race.timelineLength = static_cast<int>(to + 300);
    const double cosLat = std::cos(kBaseLat / 60 * std::numbers::pi / 180);
    for (int b = 1; b <= boats; ++b) {
        Boat boat;
        boat.name = "Boat " + std::to_string(b);
        boat.lengthMetres = 9.5f;
        boat.fixIntervalSeconds = static_cast<int>(fixStep);
        // Port and starboard tackers spread along the start line, beating to a 200° wind.
        const double heading = b % 2 ? 155 : 245;
        const double lat = kBaseLat - 0.3 - 0.002 * b;
        const double lon = kBaseLon - 0.4 + 0.01 * b;
        boat.track = straightTrack(lat, lon, heading, 5 + 0.05 * b, -300, to, fixStep);
        deriveCourses(boat, cosLat);
        m.boats.append(boat);
    }
    m.marks.append(Mark{kBaseLat - 1.5, kBaseLon - 0.3});
    m.lines.append(Line{kBaseLat - 0.3, kBaseLon - 0.45, kBaseLat - 0.32, kBaseLon + 0.45});
    m.race.course.append("L1");
    m.race.course.append("MK1");
    assignBoatColours(m);
    return m;
}

// A wiggly coastline with `points` points in a few polylines, running
// east-west across the race area (the fleet sails over it, which a real
// shore would not allow, but every polyline then meets the view).
inline Coastline syntheticCoastline(int points, int polylines = 10) {
    Coastline c;
    const int per = std::max(2, points / polylines);
    for (int k = 0; k < polylines; ++k) {
        std::vector<GeoPoint> line;
        for (int i = 0; i < per; ++i) {
            const double x = i / static_cast<double>(per);
            line.push_back(
                {kBaseLat - 1.2 + 0.1 * k + 0.02 * std::sin(x * 4000), kBaseLon - 6 + 12 * x});
        }
        c.polylines.push_back(std::move(line));
    }
    return c;
}

// Red lights flashing every other second, every other one lit at a time.
inline std::vector<Landmark> syntheticLandmarks(int count) {
    std::vector<Landmark> v;
    for (int i = 0; i < count; ++i)
        v.push_back({"Light " + std::to_string(i), kBaseLat + 0.5 + 0.05 * i,
                     kBaseLon - 1 + 0.1 * i, 2, 1, "R", 3});
    return v;
}

}  // namespace korvane::testing
