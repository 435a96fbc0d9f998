#include "race/course_geometry.h"

#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "race/race_file_error.h"

namespace korvane {

namespace {

struct Position {
    double lat = 0;
    double lon = 0;
};

Position midpoint(const Line& line) {
    return {(line.lat1Minutes + line.lat2Minutes) / 2, (line.lon1Minutes + line.lon2Minutes) / 2};
}

CoursePoint resolveEntry(const RaceModel& model, const std::string& entry,
                         const std::string& fileName) {
    CoursePoint point;
    point.name = entry;
    const bool isLine = entry.find('L') != std::string::npos;
    point.kind = isLine ? CoursePointKind::Line : CoursePointKind::Mark;
    const std::size_t from = isLine ? 1 : 2;
    const std::string numberText = entry.size() > from ? entry.substr(from) : std::string();
    const auto number = parseInt32(numberText);
    if (!number)
        throw RaceFileError("CRS entry '" + entry + "': " + integerConversionMessage(numberText),
                            fileName, model.race.courseLine);
    // The file numbers marks and lines from 1.
    point.index = *number >= 1 ? *number - 1 : -1;
    if (isLine) {
        if (!model.lines.contains(point.index))
            throw RaceFileError("course entry '" + entry + "' names line " +
                                    std::to_string(*number) + ", which the race does not have",
                                fileName, model.race.courseLine);
        const Position mid = midpoint(model.lines[point.index]);
        point.latMinutes = mid.lat;
        point.lonMinutes = mid.lon;
    } else {
        if (!model.marks.contains(point.index))
            throw RaceFileError("course entry '" + entry + "' names mark " +
                                    std::to_string(*number) + ", which the race does not have",
                                fileName, model.race.courseLine);
        point.latMinutes = model.marks[point.index].latMinutes;
        point.lonMinutes = model.marks[point.index].lonMinutes;
    }
    return point;
}

// Where a leg leaves from: a line is left from its first end, the end the
// race officer lays at the committee boat.
Position legStart(const RaceModel& model, const CoursePoint& point) {
    if (point.kind == CoursePointKind::Line) {
        const Line& line = model.lines[point.index];
        return {line.lat1Minutes, line.lon1Minutes};
    }
    return {point.latMinutes, point.lonMinutes};
}

LegKind classify(double bearing, const Race& race) {
    double a = bearing - race.magneticVariation;
    if (a < 0) a += 360;
    if (a > 360) a -= 360;
    a -= race.windDirection;
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    a = std::fabs(a);
    if (a < 45) return LegKind::Up;
    if (a > 135) return LegKind::Down;
    return LegKind::Across;
}

}  // namespace

const char* legKindLabel(LegKind kind) {
    switch (kind) {
        case LegKind::Up:
            return "UP";
        case LegKind::Down:
            return "DN";
        case LegKind::Across:
            break;
    }
    return "-";
}

std::vector<CoursePoint> resolveCourse(const RaceModel& model, const std::string& fileName) {
    std::vector<CoursePoint> points;
    for (const std::string& entry : model.race.course)
        points.push_back(resolveEntry(model, entry, fileName));
    return points;
}

CourseGeometry computeCourseGeometry(const RaceModel& model, std::vector<CoursePoint> points,
                                     const LocalPlane& plane) {
    CourseGeometry geometry;
    geometry.points = std::move(points);
    const int n = geometry.pointCount();
    for (int k = 0; k + 1 < n; ++k) {
        const Position a = legStart(model, geometry.points[static_cast<std::size_t>(k)]);
        const CoursePoint& b = geometry.points[static_cast<std::size_t>(k + 1)];
        const GroundVector v = plane.vector(a.lat, a.lon, b.latMinutes, b.lonMinutes);
        CourseLeg leg;
        leg.bearingDegrees = v.bearingDegrees();
        leg.lengthMetres = v.lengthMetres();
        leg.kind = classify(leg.bearingDegrees, model.race);
        geometry.totalLengthMetres += leg.lengthMetres;
        geometry.legs.push_back(leg);
    }
    for (int k = 0; k + 2 < n; ++k) {
        double back = geometry.legs[static_cast<std::size_t>(k)].bearingDegrees + 180;
        if (back > 360) back -= 360;
        double turn = geometry.legs[static_cast<std::size_t>(k + 1)].bearingDegrees - back;
        if (turn > 180) turn -= 360;
        if (turn < -180) turn += 360;
        double bisector = turn / 2 + back + 180;
        if (bisector > 360) bisector -= 360;
        geometry.bisectorDegrees.push_back(bisector);
    }
    return geometry;
}

}  // namespace korvane
