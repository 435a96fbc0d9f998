// The course L1, MK1, L1 on the equator (start and finish line from (0, 0)
// to (0, 2), mark 1 at (10, 1), wind from the north) sailed by five boats
// whose passings are worked out by hand:
//   1 Alpha    starts at 3 s, rounds at 2000 s, finishes at 4003 s.
//   2 Bravo    crosses the start at -35, 15 and 44.91 s, rounds at 2030 s,
//              finishes at 4033 s and crosses the finish again at 4093 s.
//   3 Charlie  as Alpha, 0.15' east of the mark, fixes on half seconds: its
//              closest fix at 2000.5 s rounds to 2000 s.
//   4 Delta    slower, never within 0.2' of the mark, finishes at 5003 s.
//   5 Echo     sails as Alpha but may not finish.
#pragma once

#include "analysis/leg_analysis.h"
#include "race/course_geometry.h"
#include "track_builder.h"

namespace korvane::testing {

inline RaceModel equatorRace() {
    RaceModel m;
    m.race.caption = "Equator Cup";
    m.race.start = 45000.5;  // 2023/03/15 12:00:00
    m.lines.append({0, 0, 0, 2});
    m.marks.append({10, 1});
    for (const char* entry : {"L1", "MK1", "L1"}) m.race.course.append(entry);
    const auto alpha = sampleTrack({{-90, -0.465, 1}, {2003, 10, 1}, {5300, -6.485, 1}}, -90, 5300);
    m.boats.append(makeBoat("Alpha", alpha));
    m.boats.append(makeBoat("Bravo", sampleTrack({{-90, -0.275, 1},
                                                  {-10, 0.125, 1},
                                                  {30, -0.075, 1},
                                                  {2033, 10, 1},
                                                  {4033, 0, 1},
                                                  {4063, -0.15, 1},
                                                  {5300, 6.035, 1}},
                                                 -90, 5300)));
    m.boats.append(makeBoat(
        "Charlie", sampleTrack({{-89.5, -0.4625, 1.15}, {2003, 10, 1.15}, {5300.5, -6.4875, 1.15}},
                               -89.5, 5300.5)));
    m.boats.append(makeBoat(
        "Delta",
        sampleTrack({{-90, -0.372, 1.25}, {2503, 10, 1.25}, {5300, -1.188, 1.25}}, -90, 5300)));
    Boat echo = makeBoat("Echo", alpha);
    echo.mayFinish = false;
    m.boats.append(echo);
    return m;
}

// The opening's analysis steps on a model, with the area's cosLat given.
struct AnalysedRace {
    CourseGeometry geometry;
    LegAnalysis legs;
};

inline AnalysedRace analyse(RaceModel& m, double cosLat = 1) {
    AnalysedRace r;
    auto points = resolveCourse(m, "race.txt");
    r.legs = detectPassings(m, points);
    if (m.race.courseLength() > 1) cutTracksAfterFinish(m, r.legs);
    computeSailedDistances(m, cosLat, r.legs);
    r.geometry = computeCourseGeometry(m, std::move(points), LocalPlane(cosLat));
    computeLegTotals(r.geometry, r.legs);
    return r;
}

}  // namespace korvane::testing
