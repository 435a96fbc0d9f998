#include <gtest/gtest.h>

#include <ostream>

#include "view/boat_layer.h"
#include "view/colours.h"
#include "view/compass.h"
#include "view/course_labels.h"
#include "view/course_overlay.h"
#include "view/instruments.h"
#include "view/time_text.h"
#include "view/wind_graph.h"

namespace korvane {
namespace {

struct ReadoutCase {
    double time;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const ReadoutCase& c) {
    return os << c.time;
}

class ReplayTimeText : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(ReplayTimeText, ShowsSecondsMinutesOrHours) {
    EXPECT_EQ(formatReplayTime(GetParam().time), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Forms, ReplayTimeText,
                         ::testing::Values(ReadoutCase{0, "0"}, ReadoutCase{59, "59"},
                                           ReadoutCase{59.9, "59"}, ReadoutCase{60, "01:00"},
                                           ReadoutCase{3000, "50:00"}, ReadoutCase{3001, "0:50:01"},
                                           ReadoutCase{3600, "1:00:00"},
                                           ReadoutCase{7325, "2:02:05"}, ReadoutCase{-0.5, "1"},
                                           ReadoutCase{-59.5, "01:00"},
                                           ReadoutCase{-125.2, "02:06"},
                                           ReadoutCase{-3001, "0:50:02"}));

TEST(TimeOfDay, HoursAreNotZeroFilled) {
    EXPECT_EQ(formatTimeOfDay(3 * 3600 + 5 * 60 + 7), "3:05:07");
    EXPECT_EQ(formatTimeOfDay(86400 + 61), "0:01:01");
    EXPECT_EQ(formatTimeOfDay(-1), "23:59:59");
}

TEST(DisplayNumber, WritesOrdinaryMagnitudesInPlainDigits) {
    EXPECT_EQ(displayNumber(100), "100");
    EXPECT_EQ(displayNumber(0.05), "0.05");
    EXPECT_EQ(displayNumber(7.3), "7.3");
    EXPECT_EQ(displayNumber(-2.5), "-2.5");
}

TEST(WakeStep, FollowsScaleAndFixInterval) {
    EXPECT_EQ(wakeStep(100, 2), 50);   // 10000 / 100 / 2
    EXPECT_EQ(wakeStep(3000, 2), 1);   // high zoom: every fix
    EXPECT_EQ(wakeStep(20000, 1), 1);  // below one rounds up to one
    EXPECT_EQ(wakeStep(100, 0), 1);    // no interval known
    EXPECT_EQ(wakeStep(0, 2), 1);
    EXPECT_EQ(wakeStep(300, 5), 6);  // Int(6.67)
}

TEST(LabelLeft, MovesToTheLeftAtTheRightEdge) {
    EXPECT_EQ(labelLeft(100, 20, 50, 800), 100 + 10 + 7);
    // 780 + 10 + 7 + 50 > 800: right end 7 pixels before the hull's half length.
    EXPECT_EQ(labelLeft(780, 20, 50, 800), 780 - 10 - 50 - 7);
    EXPECT_EQ(labelLeft(733, 20, 50, 800), 750);  // 750 + 50 = 800 still fits
}

// A start and a finish line sharing the committee boat: the second label of
// that spot goes under the first, a label elsewhere stays beside its point.
TEST(CourseLabels, LabelsOfOneSpotStackAndOthersStayBesideTheirPoint) {
    CourseLabelPlaces places(14);
    EXPECT_EQ(places.next({100, 100}), QPoint(108, 94));
    EXPECT_EQ(places.next({300, 40}), QPoint(308, 34));
    EXPECT_EQ(places.next({101, 99}), QPoint(109, 107));
    EXPECT_EQ(places.next({100, 100}), QPoint(108, 122));
    EXPECT_EQ(places.next({104, 100}), QPoint(112, 94));
}

TEST(HullShape, ChosenByLengthAndSlimmedWhenLong) {
    const HullShape small = hullShapeFor(3);
    EXPECT_EQ(small[2].x, 27);
    EXPECT_EQ(small[8].y, -20);
    const HullShape keel = hullShapeFor(9.5);
    EXPECT_EQ(keel[2].x, 15);
    EXPECT_EQ(keel[8].y, -15);
    const HullShape big = hullShapeFor(20);  // factor 0.78
    EXPECT_EQ(big[2].x, 12);                 // 11.7
    EXPECT_EQ(big[1].x, 9);                  // 9.36
    EXPECT_EQ(big[0].x, 0);
    EXPECT_EQ(big[7].y, -50);
}

TEST(HullPolygon, BowPointsAlongTheHeading) {
    const HullShape s = hullShapeFor(9.5);
    const auto north = hullPolygon(s, QPointF(100, 100), 40, 0);
    EXPECT_EQ(north[0], QPoint(100, 80));
    const auto east = hullPolygon(s, QPointF(100, 100), 40, 90);
    EXPECT_EQ(east[0], QPoint(120, 100));
    EXPECT_EQ(east[3], QPoint(80, 104));  // starboard quarter lies south-west of the centre
}

TEST(GridSpacing, StepsThroughTheTable) {
    // A quarter of the map height in km, to 0.1 km, then the nearest round step.
    EXPECT_DOUBLE_EQ(gridSpacingKm(20, 100), 0.05);
    EXPECT_DOUBLE_EQ(gridSpacingKm(160, 100), 0.4);
    EXPECT_DOUBLE_EQ(gridSpacingKm(600, 100), 1);
    EXPECT_DOUBLE_EQ(gridSpacingKm(1000, 100), 2);
    EXPECT_DOUBLE_EQ(gridSpacingKm(3000, 100), 5);
    EXPECT_DOUBLE_EQ(gridSpacingKm(10000, 100), 20);
    EXPECT_DOUBLE_EQ(gridSpacingKm(800, 0), 1);
}

TEST(ScaleBarText, KilometresOrMetres) {
    EXPECT_EQ(scaleBarText(2).toStdString(), "2Km");
    EXPECT_EQ(scaleBarText(0.1).toStdString(), "100M");
    EXPECT_EQ(scaleBarText(0.05).toStdString(), "50M");
}

TEST(SeaColours, GridIsLightUpToLevel50AndDarkAbove) {
    const SeaColours at50 = seaColoursForLevel(50);
    EXPECT_EQ(at50.sea, bgr(55, 80, 232));  // 232.5 rounds to even
    EXPECT_EQ(at50.grid, bgr(135, 160, 255));
    const SeaColours at51 = seaColoursForLevel(51);
    EXPECT_EQ(at51.sea, bgr(56, 82, 236));
    EXPECT_EQ(at51.grid, bgr(6, 32, 236));
    const SeaColours at100 = seaColoursForLevel(100);
    EXPECT_EQ(at100.sea, bgr(110, 160, 255));
    EXPECT_EQ(seaColoursForLevel(0).grid, bgr(80, 80, 150));
}

TEST(BoatColours, FifteenColoursRepeat) {
    EXPECT_EQ(boatColourForSlot(0), bgr(255, 0, 0));
    EXPECT_EQ(boatColourForSlot(6), bgr(0, 0, 0));
    EXPECT_EQ(boatColourForSlot(15), boatColourForSlot(0));
    EXPECT_EQ(boatColourForSlot(80), boatColourForSlot(5));
    RaceModel m;
    for (int i = 0; i < 20; ++i) m.boats.append(Boat{});
    assignBoatColours(m);
    EXPECT_EQ(m.boats[1].colour, bgr(0, 0, 255));
    EXPECT_EQ(m.boats[16].colour, bgr(0, 0, 255));
    EXPECT_EQ(toQColor(bgr(1, 2, 3)), QColor(1, 2, 3));
}

TEST(MarkCircle, ThreeBoatLengthsAtLeastTen) {
    EXPECT_EQ(markCircleRadius(9.26, 1000), 15);  // 9.26 / 1852 * 3 * 1000
    EXPECT_EQ(markCircleRadius(9.26, 100), 10);
}

TEST(CoursePoints, MarksAndLineMiddlesInCourseOrder) {
    RaceModel m;
    m.marks.append(Mark{10, 1});
    m.lines.append(Line{0, 0, 0, 2});
    for (const char* e : {"L1", "mk1", "MK9", "L1"}) m.race.course.append(e);
    const auto p = coursePointsOf(m);
    ASSERT_EQ(p.size(), 3u);  // MK9 does not exist
    EXPECT_EQ(p[0].lonMinutes, 1);
    EXPECT_EQ(p[1].latMinutes, 10);
}

int reddishPixels(const QImage& img, int top, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 120 && c.blue() < 120) ++n;
        }
    return n;
}

TEST(CompassImage, ZeroAngleCopiesTheRoseAndAHalfTurnPutsNorthDown) {
    const QImage rose = drawCompassRose();
    ASSERT_EQ(rose.size(), QSize(83, 83));
    const QImage straight = buildCompassImage(rose, 0);
    ASSERT_EQ(straight.size(), QSize(100, 120));
    for (int y = 0; y < 83; y += 3)
        for (int x = 0; x < 83; x += 3)
            ASSERT_EQ(straight.pixel(x + 9, y + 9), rose.pixel(x, y)) << x << "," << y;
    EXPECT_GT(reddishPixels(straight, 0, 50), 5);
    EXPECT_EQ(reddishPixels(straight, 50, 100), 0);
    const QImage turned = buildCompassImage(rose, 180);
    EXPECT_EQ(reddishPixels(turned, 0, 50), 0);
    EXPECT_GT(reddishPixels(turned, 50, 100), 5);
}

TEST(WindGraph, AxisCentresOnTheDirectionsMet) {
    const std::vector<WindSample> s{{0, 5, 350}, {100, 5, 20}, {200, 5, 0}};
    const WindAxis axis = windAxisFor(s);
    EXPECT_NEAR(axis.centreDegrees, 5, 1e-9);
    EXPECT_NEAR(axis.spanDegrees, 50, 1e-9);
    EXPECT_EQ(windGraphTimeStep(3000), 300);
    EXPECT_EQ(windGraphTimeStep(5000), 600);
    EXPECT_EQ(windGraphTimeStep(30000), 3600);
    EXPECT_EQ(windGraphTimeStep(1e6), 18000);
}

}  // namespace
}  // namespace korvane
