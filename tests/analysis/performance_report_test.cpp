#include "analysis/performance_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/file_io.h"
#include "base/text.h"
#include "equator_race.h"

namespace korvane {
namespace {

using testing::analyse;
using testing::equatorRace;

std::string reportOf(RaceModel& m) {
    const auto r = analyse(m);
    return formatPerformanceReport(m, r.geometry, r.legs);
}

std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    for (std::string_view line : splitLines(report)) lines.emplace_back(line);
    return lines;
}

// The line after the first line equal to `heading`, `offset` lines on.
std::string lineAfter(const std::vector<std::string>& lines, const std::string& heading,
                      int offset) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == heading && i + offset < lines.size()) return lines[i + offset];
    return "<no " + heading + ">";
}

TEST(PerformanceReport, ElapsedTimeHasNoNoteAndNoFactorColumn) {
    RaceModel m = equatorRace();
    const auto lines = linesOf(reportOf(m));
    EXPECT_EQ(lines[0], "Equator Cup");
    EXPECT_EQ(lines[1], "Start Time,2023/03/15 12:00:00");
    EXPECT_EQ(lines[2], "Mean Wind Dir,0 deg");
    EXPECT_EQ(lines[3], " ");
    EXPECT_EQ(lines[4], "Time by each leg (Sec)");
    EXPECT_EQ(lines[5], ",(UP),(DN)");
    EXPECT_EQ(lines[6], "Boat Name,ST->MK1,MK1->L1,Total(A),,Sail Dist(B),BSP(C=B/A),,Start Time");
}

TEST(PerformanceReport, TimeTableRows) {
    RaceModel m = equatorRace();
    const auto lines = linesOf(reportOf(m));
    // Alpha: 19.985' in 4003 s = 17.9730 kn; starts 3 s after the gun.
    EXPECT_EQ(lineAfter(lines, "Time by each leg (Sec)", 3),
              "Alpha,2000,2003,4003,,19.9850,17.9730, ,3");
    // Delta missed the mark: no leg times, but its race and distance count.
    EXPECT_EQ(lineAfter(lines, "Time by each leg (Sec)", 6), "Delta,-,-,5003,,19.9880,14.3827, ,3");
    // Echo may not finish: no total, no distance, no speed.
    EXPECT_EQ(lineAfter(lines, "Time by each leg (Sec)", 7), "Echo,2000,-,-,,-,-, ,3");
}

TEST(PerformanceReport, BoatWithoutStartHasNoStartField) {
    RaceModel m = equatorRace();
    // Already north of the line before the gun, never near its end A: no
    // start time, and no field for it (the row is two fields shorter).
    m.boats[0].track =
        testing::sampleTrack({{-90, 0.1, 1}, {2003, 10, 1}, {5300, -6.485, 1}}, -90, 5300);
    const auto lines = linesOf(reportOf(m));
    const std::string row = lineAfter(lines, "Time by each leg (Sec)", 3);
    EXPECT_EQ(row.substr(0, 22), "Alpha,2000,2003,4003,,");
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 6) << row;
    EXPECT_EQ(lineAfter(lines, "Position by each Mark/Line", 2), "Alpha,-,1,1");
}

TEST(PerformanceReport, OnePointCourse) {
    RaceModel m = equatorRace();
    m.race.course.truncate(1);
    const auto lines = linesOf(reportOf(m));
    EXPECT_EQ(lineAfter(lines, "Time by each leg (Sec)", 1), "");
    EXPECT_EQ(lineAfter(lines, "Time by each leg (Sec)", 2),
              "Boat Name,Total(A),,Sail Dist(B),BSP(C=B/A),,Start Time");
    EXPECT_EQ(lineAfter(lines, "Position by each Mark/Line", 1), "Boat Name,FINISH");
    EXPECT_EQ(lineAfter(lines, "Course Length by each leg (N Miles)", 3), "Length,0,,0,0");
    EXPECT_EQ(lineAfter(lines, "Course Length by each leg (N Miles)", 4), "BRG(deg/Mag),-");
}

TEST(PerformanceReport, CourseTable) {
    RaceModel m = equatorRace();
    m.race.magneticVariation = 10;
    const auto lines = linesOf(reportOf(m));
    const std::string h = "Course Length by each leg (N Miles)";
    EXPECT_EQ(lineAfter(lines, h, 1), "Line/Mark,ST->MK1,MK1->L1,Total(A)");
    // 10° variation turns the 5.7° leg upwind into 355.7° magnetic; the
    // wind is still 0°, so it stays "UP".
    EXPECT_EQ(lineAfter(lines, h, 2), "Point of sail,(UP),(DN),,,UP_DIST,DN_DIST");
    EXPECT_EQ(lineAfter(lines, h, 3), "Length,10.0498,10,20.0498,,10.0498756211209,10");
    EXPECT_EQ(lineAfter(lines, h, 4), "BRG(deg/Mag),355,170,-");
}

TEST(PerformanceReport, PositionsAndSpeeds) {
    RaceModel m = equatorRace();
    const auto lines = linesOf(reportOf(m));
    const std::string p = "Position by each Mark/Line";
    EXPECT_EQ(lineAfter(lines, p, 1), "Boat Name,START,MK1,FINISH");
    // The start times of Alpha, Charlie, Delta and Echo agree only to the
    // last bits, so their start positions are not compared here. Alpha and
    // Charlie share the mark and the finish; Bravo's late start is 5th.
    auto afterStart = [](const std::string& row) {
        return row.substr(row.find(',', row.find(',') + 1));
    };
    EXPECT_EQ(afterStart(lineAfter(lines, p, 2)), ",1,1");
    EXPECT_EQ(lineAfter(lines, p, 3), "Bravo,5,4,3");
    EXPECT_EQ(afterStart(lineAfter(lines, p, 4)), ",1,1");
    EXPECT_EQ(afterStart(lineAfter(lines, p, 5)), ",-,4");
    EXPECT_EQ(afterStart(lineAfter(lines, p, 6)), ",1,-");
    const std::string s = "Boat speed by each leg (KTS)";
    // 10' in 2000 s is 18 kn (the sum of 200 pieces carries its last digit
    // into the cut); 9.985' in 2003 s is 17.9460 kn.
    EXPECT_EQ(lineAfter(lines, s, 3), "Alpha,18.0000,17.9460,17.9730");
    EXPECT_EQ(lineAfter(lines, s, 6), "Delta,-,-,14.3827");
}

TEST(PerformanceReport, SummaryShowsDashForTotalsOverAMissedPoint) {
    RaceModel m = equatorRace();
    const auto lines = linesOf(reportOf(m));
    const std::string h = "SUMMARY OF SAILING PERFORMANCE";
    EXPECT_EQ(lineAfter(lines, h, 1), ",(UP),(UP),(UP),(UP),,(DN),(DN),(DN),(DN)");
    EXPECT_EQ(lineAfter(lines, h, 2), "BOAT NAME,TIME,DIST,BSP,VMC,,TIME,DIST,BSP,VMC");
    // VMC upwind: 10.0499 NM of course in 2000 s.
    EXPECT_EQ(lineAfter(lines, h, 3), "Alpha,2000,10,18.00,18.08,,2003,9.985,17.94,17.97");
    EXPECT_EQ(lineAfter(lines, h, 6), "Delta,-,-,-,-,,-,-,-,-");
    EXPECT_EQ(lineAfter(lines, h, 7), "Echo,2000,0,0,18.08,,-,-,-,-");
}

TEST(PerformanceReport, DifferencesToTheBestBoat) {
    RaceModel m = equatorRace();
    const auto lines = linesOf(reportOf(m));
    const std::string t = "Difference of Time by each leg (SEC: difference from Best Boat)";
    EXPECT_EQ(lineAfter(lines, "COMPARISON OF DATA (Best boat:=0", 1), " ");
    EXPECT_EQ(lineAfter(lines, t, 2), "Boat Name,ST->MK1,MK1->L1,Total(B)");
    EXPECT_EQ(lineAfter(lines, t, 3), "Alpha,0,0,0");
    // Leg differences carry no "+"; the total does.
    EXPECT_EQ(lineAfter(lines, t, 4), "Bravo,30,0,+30");
    EXPECT_EQ(lineAfter(lines, t, 6), "Delta,-,-,+1000");
    EXPECT_EQ(lineAfter(lines, t, 7), "Echo,0,-,-");
    const std::string d = "Difference of Sailed Distance by each leg (Meters)";
    EXPECT_EQ(lineAfter(lines, d, 3), "Alpha,0,0,0");
    EXPECT_EQ(lineAfter(lines, d, 6), "Delta,-,-,+6");
    EXPECT_EQ(lineAfter(lines, d, 7), "Echo,-,-,-");
    const std::string s = "Difference of Boat speed by each leg (KTS)";
    EXPECT_EQ(lineAfter(lines, s, 3), "Alpha,0,0,0");
    // 14.38273 - 17.97302 kn, cut after four decimals.
    EXPECT_EQ(lineAfter(lines, s, 6), "Delta,-,-,-3.5902");
    // Equal speeds up to the last bits show as 0, not as an exponent's digits.
    EXPECT_EQ(lineAfter(lines, s, 5).substr(0, 10), "Charlie,0,");
}

TEST(PerformanceReport, NoFinisherLeavesTheDifferencesEmpty) {
    RaceModel m = equatorRace();
    for (Boat& b : m.boats) b.mayFinish = false;
    const auto lines = linesOf(reportOf(m));
    EXPECT_EQ(
        lineAfter(lines, "Difference of Time by each leg (SEC: difference from Best Boat)", 3),
        "Alpha,-,-,-");
    EXPECT_EQ(lineAfter(lines, "Difference of Sailed Distance by each leg (Meters)", 3),
              "Alpha,-,-,-");
    EXPECT_EQ(lineAfter(lines, "Difference of Boat speed by each leg (KTS)", 3), "Alpha,-,-,-");
}

TEST(PerformanceReport, CommasInNamesKeepTheColumns) {
    RaceModel m = equatorRace();
    m.boats[0].name = "Sun, Moon";
    m.race.course[1] = "MK1";  // the entry as written is the point's name
    const auto lines = linesOf(reportOf(m));
    const std::string row = lineAfter(lines, "Position by each Mark/Line", 2);
    EXPECT_EQ(row.substr(0, 12), "Sun\xEF\xBC\x8C Moon,");
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 3) << row;
}

// The spreadsheet the report opens in would run a cell beginning "=", "+",
// "-" or "@" as a formula, and a cell beginning '"' would swallow the rows
// after it: such names are shown as text and quoted, the rows stay rows.
TEST(PerformanceReport, NamesThatLookLikeFormulasStayText) {
    struct Case {
        const char* name;
        const char* cell;
    };
    for (const Case c : {Case{"=HYPERLINK(\"http://x\",\"y\")",
                              "\"'=HYPERLINK(\"\"http://x\"\"\xEF\xBC\x8C\"\"y\"\")\""},
                         Case{"+1", "'+1"}, Case{"-2", "'-2"}, Case{"@SUM(A1)", "'@SUM(A1)"},
                         Case{"\"Alpha", "\"\"\"Alpha\""}, Case{"Al-pha", "Al-pha"}}) {
        RaceModel m = equatorRace();
        m.boats[0].name = c.name;
        m.race.caption = c.name;
        const auto lines = linesOf(reportOf(m));
        EXPECT_EQ(lines[0], c.cell);
        EXPECT_EQ(
            lineAfter(lines, "Position by each Mark/Line", 2).substr(0, std::strlen(c.cell) + 1),
            std::string(c.cell) + ",")
            << c.name;
    }
}

// The whole report of the equator race, reviewed by eye and frozen. Set
// KORVANE_UPDATE_GOLDEN=1 to write it anew after a reviewed change.
TEST(PerformanceReport, MatchesTheGoldenFile) {
    RaceModel m = equatorRace();
    m.race.timeMode = TimeMode::Corrected;
    for (int b = 0; b < m.boatCount(); ++b) m.boats[b].tcf = 0.99 - 0.01 * b;
    m.boats[1].name = "Bravo, Jr.";
    const std::string report = reportOf(m);
    const std::string golden = KORVANE_TEST_DATA_DIR "/analysis/equator-race-report.csv";
    if (std::getenv("KORVANE_UPDATE_GOLDEN")) {
        ASSERT_TRUE(writeFileAtomically(golden, report));
    }
    const auto expected = readFileBytes(golden);
    ASSERT_TRUE(expected) << golden;
    EXPECT_EQ(report, *expected);
}

}  // namespace
}  // namespace korvane
