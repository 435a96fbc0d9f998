#include "race/course_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "race/race_file_error.h"

namespace korvane {
namespace {

// Start/finish line on the equator from (0, 0) to (0, 2), mark 1 at (10, 1).
RaceModel equatorRace(std::initializer_list<const char*> course) {
    RaceModel m;
    m.lines.append({0, 0, 0, 2});
    m.marks.append({10, 1});
    for (const char* entry : course) m.race.course.append(entry);
    return m;
}

CourseGeometry geometryOf(const RaceModel& m, double cosLat = 1) {
    return computeCourseGeometry(m, resolveCourse(m, "race.txt"), LocalPlane(cosLat));
}

TEST(CourseGeometry, EquatorCourseLeavesTheLineFromItsFirstEnd) {
    const CourseGeometry g = geometryOf(equatorRace({"L1", "MK1", "L1"}));
    ASSERT_EQ(g.pointCount(), 3);
    ASSERT_EQ(g.legCount(), 2);
    // Course points are the line's midpoint and the mark.
    EXPECT_DOUBLE_EQ(g.points[0].latMinutes, 0);
    EXPECT_DOUBLE_EQ(g.points[0].lonMinutes, 1);
    EXPECT_EQ(g.points[1].kind, CoursePointKind::Mark);
    EXPECT_DOUBLE_EQ(g.points[1].latMinutes, 10);
    // Leg 1 from (0, 0) to (10, 1): atan(1/10).
    EXPECT_NEAR(g.legs[0].bearingDegrees, std::atan(0.1) * 180 / M_PI, 1e-9);
    EXPECT_NEAR(g.legs[0].bearingDegrees, 5.71, 0.01);
    EXPECT_NEAR(g.legs[0].lengthMetres, 1852 * std::sqrt(101.0), 1e-6);
    EXPECT_NEAR(g.legs[0].lengthMetres, 18612, 1);
    // Leg 2 from the mark to the line's midpoint (0, 1).
    EXPECT_DOUBLE_EQ(g.legs[1].bearingDegrees, 180);
    EXPECT_DOUBLE_EQ(g.legs[1].lengthMetres, 18520);
    EXPECT_EQ(g.legs[0].kind, LegKind::Up);
    EXPECT_EQ(g.legs[1].kind, LegKind::Down);
    EXPECT_NEAR(g.totalLengthMetres, 1852 * std::sqrt(101.0) + 18520, 1e-6);
    // The turn at the mark: back along leg 1 is 185.71°, on along leg 2 is
    // 180°; the bisector points away from both, a little east of north.
    ASSERT_EQ(g.bisectorDegrees.size(), 1u);
    EXPECT_NEAR(g.bisectorDegrees[0], (180 - (180 + 5.7106)) / 2 + 185.7106 + 180 - 360, 1e-3);
    EXPECT_NEAR(g.bisectorDegrees[0], 2.855, 1e-3);
}

TEST(CourseGeometry, ASingleEntryHasNoLegs) {
    const CourseGeometry g = geometryOf(equatorRace({"L1"}));
    EXPECT_EQ(g.pointCount(), 1);
    EXPECT_EQ(g.legCount(), 0);
    EXPECT_TRUE(g.bisectorDegrees.empty());
    EXPECT_EQ(g.totalLengthMetres, 0);
}

TEST(CourseGeometry, TwentyEntriesAreAllResolved) {
    RaceModel m = equatorRace({});
    m.marks.append({0, 1});
    for (int i = 0; i < kMaxCourseEntries; ++i) m.race.course.append(i % 2 ? "MK1" : "MK2");
    const CourseGeometry g = geometryOf(m);
    EXPECT_EQ(g.pointCount(), 20);
    EXPECT_EQ(g.legCount(), 19);
    EXPECT_EQ(g.bisectorDegrees.size(), 18u);
    EXPECT_DOUBLE_EQ(g.totalLengthMetres, 19 * 18520.0);
}

// Point of sail of a leg due north (0°) or due east (90°) against the wind
// and the magnetic variation.
struct KindCase {
    bool eastward;
    int windDirection;
    double variation;
    LegKind expected;
};
void PrintTo(const KindCase& c, std::ostream* os) {
    *os << (c.eastward ? "east" : "north") << " wind " << c.windDirection << " var " << c.variation;
}

class LegKinds : public ::testing::TestWithParam<KindCase> {};
TEST_P(LegKinds, ClassifiesByAngleOffTheWind) {
    const KindCase& c = GetParam();
    RaceModel m;
    m.marks.append({0, 0});
    m.marks.append({c.eastward ? 0.0 : 1.0, c.eastward ? 1.0 : 0.0});
    m.race.course.append("MK1");
    m.race.course.append("MK2");
    m.race.windDirection = c.windDirection;
    m.race.magneticVariation = c.variation;
    EXPECT_EQ(geometryOf(m).legs[0].kind, c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Boundaries, LegKinds,
    ::testing::Values(KindCase{false, 0, 0, LegKind::Up}, KindCase{false, 44, 0, LegKind::Up},
                      KindCase{false, 45, 0, LegKind::Across},   // exactly 45: neither
                      KindCase{false, 315, 0, LegKind::Across},  // -45 the other way
                      KindCase{false, 135, 0, LegKind::Across},  // exactly 135: neither
                      KindCase{false, 136, 0, LegKind::Down},
                      KindCase{false, 180, 0, LegKind::Down},
                      KindCase{false, 350, 0, LegKind::Up},       // across north
                      KindCase{true, 0, 0, LegKind::Across},      // a reach
                      KindCase{true, 0, 50, LegKind::Up},         // 40° magnetic
                      KindCase{false, 0, -44.5, LegKind::Up},     // 44.5° magnetic
                      KindCase{false, 45, 0.5, LegKind::Across},  // 359.5° magnetic: 45.5 off
                      KindCase{true, 270, 0, LegKind::Down}));

// Entries that must stop the opening, and the text the message carries.
struct BadEntryCase {
    const char* entry;
    const char* messagePart;
};
void PrintTo(const BadEntryCase& c, std::ostream* os) {
    *os << c.entry;
}

class BadEntries : public ::testing::TestWithParam<BadEntryCase> {};
TEST_P(BadEntries, StopTheOpeningNamingTheEntry) {
    RaceModel m = equatorRace({"L1", "MK1"});
    m.race.course.append(GetParam().entry);
    try {
        resolveCourse(m, "race.txt");
        FAIL() << "no error for " << GetParam().entry;
    } catch (const RaceFileError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().messagePart), std::string::npos)
            << e.what();
        EXPECT_EQ(e.file(), "race.txt");
    }
}
INSTANTIATE_TEST_SUITE_P(
    Entries, BadEntries,
    ::testing::Values(
        // "ML3" holds an "L", so it is a line numbered "L3", which does not convert.
        BadEntryCase{"ML3", "'L3' は整数ではありません"},
        BadEntryCase{"MK", "'' は整数ではありません"},
        BadEntryCase{"MKx", "'x' は整数ではありません"},
        BadEntryCase{"MK2", "course entry 'MK2' names mark 2"},
        BadEntryCase{"MK0", "course entry 'MK0' names mark 0"},
        BadEntryCase{"MK-1", "course entry 'MK-1' names mark -1"},
        BadEntryCase{"MK-2147483648", "course entry 'MK-2147483648' names mark -2147483648"},
        BadEntryCase{"L2", "course entry 'L2' names line 2"},
        BadEntryCase{"L99999999999", "'99999999999' は整数ではありません"}));

TEST(CourseGeometry, MarkNumbersStartAtTheThirdCharacter) {
    RaceModel m = equatorRace({});
    m.marks.append({3, 3});
    m.race.course.append("M 2");  // any two characters before the number
    m.race.course.append("XL1");  // any "L" makes a line, read from the 2nd character
    // "XL1" reads "L1" from its 2nd character, which is not a number.
    EXPECT_THROW(resolveCourse(m, "r.txt"), RaceFileError);
    m.race.course.clear();
    m.race.course.append("M 2");
    const auto points = resolveCourse(m, "r.txt");
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].index, 1);  // the second mark
    EXPECT_DOUBLE_EQ(points[0].latMinutes, 3);
}

}  // namespace
}  // namespace korvane
