// The course of a race as geometry: which mark or line every entry of the
// course list names, the position of each course point, and per leg its
// bearing, length and point of sail. Built once per race opening; the leg
// analysis, the course drawing and the report read it.
#pragma once

#include <string>
#include <vector>

#include "race/model.h"

namespace korvane {

enum class CoursePointKind { Mark, Line };

// One entry of the course list, resolved against the mark and line tables.
struct CoursePoint {
    std::string name;  // the entry as the race file writes it ("L1", "MK3")
    CoursePointKind kind = CoursePointKind::Mark;
    int index = 0;  // into the mark or line table, always inside it
    // The mark, or the midpoint of the line's two ends.
    double latMinutes = 0;
    double lonMinutes = 0;
};

enum class LegKind { Up = 1, Down = 2, Across = 3 };

struct CourseLeg {
    double bearingDegrees = 0;  // 0 .. 360, clockwise from north
    double lengthMetres = 0;
    LegKind kind = LegKind::Across;
};

struct CourseGeometry {
    std::vector<CoursePoint> points;
    std::vector<CourseLeg> legs;  // legs[k] runs from points[k] to points[k + 1]
    // bisectorDegrees[k]: the turn at points[k + 1], pointing outside it.
    std::vector<double> bisectorDegrees;
    double totalLengthMetres = 0;

    int pointCount() const { return static_cast<int>(points.size()); }
    int legCount() const { return static_cast<int>(legs.size()); }
};

// Reads the course list: an entry holding "L" names the line numbered from
// its 2nd character on, any other entry the mark numbered from its 3rd
// character on. Throws RaceFileError naming the entry when the number does
// not convert or names no existing mark or line; `fileName` goes into it.
std::vector<CoursePoint> resolveCourse(const RaceModel& model, const std::string& fileName);

// Bearings, lengths, bisectors, kinds and the total length of the resolved
// course. Legs start at a line's first end, not at its midpoint.
CourseGeometry computeCourseGeometry(const RaceModel& model, std::vector<CoursePoint> points,
                                     const LocalPlane& plane);

const char* legKindLabel(LegKind kind);  // "UP", "DN", "-"

}  // namespace korvane
