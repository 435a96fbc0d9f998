// The Graph page: its axes, the wrap-round of course traces, the time
// window, the per-row reduction against a plain polyline, and the hover.
#include "analysis/graph_page.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "analysis/graph_hover.h"
#include "page_fixtures.h"
#include "support/one_pixel_match.h"

namespace korvane {
namespace {

using testing::fixedBoat;
using testing::pageRace;

constexpr int kW = 1280, kH = 800;
constexpr std::uint32_t kGreen = bgr(0, 200, 0);

// With the mean wind from 0°, an absolute course c sits at c + 90 on the axis.
double courseForAxis(double axisDegrees) {
    return axisDegrees - 90;
}

struct SpeedCase {
    double fastestKnots;
    int axisKnots;
};
class GraphSpeedAxis : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(GraphSpeedAxis, IsOneAndAHalfTimesTheFastestFixWithinFiveToSixteen) {
    RaceModel m = pageRace();
    m.boats.append(fixedBoat("A", kGreen, {{0, 0, 0, 1, 0}, {10, 0, 0, 0.5, 0}}));
    m.boats.append(fixedBoat("B", kGreen, {{0, 0, 0, GetParam().fastestKnots, 0}}));
    EXPECT_EQ(graphSpeedMaxKnots(m), GetParam().axisKnots);
}
INSTANTIATE_TEST_SUITE_P(Races, GraphSpeedAxis,
                         ::testing::Values(SpeedCase{2, 5}, SpeedCase{20, 16}, SpeedCase{6, 9},
                                           SpeedCase{8.5, 13}, SpeedCase{7, 10}));

struct GridCase {
    double lengthSeconds;
    int stepSeconds;
};
class TimeGrid : public ::testing::TestWithParam<GridCase> {};

TEST_P(TimeGrid, StepGrowsOnlyPastEachLimit) {
    EXPECT_EQ(timeGridStepSeconds(GetParam().lengthSeconds), GetParam().stepSeconds);
}
INSTANTIATE_TEST_SUITE_P(Lengths, TimeGrid,
                         ::testing::Values(GridCase{3 * 3600, 300}, GridCase{3 * 3600 + 1, 600},
                                           GridCase{6 * 3600, 600}, GridCase{6 * 3600 + 1, 900},
                                           GridCase{12 * 3600 + 1, 1800},
                                           GridCase{24 * 3600 + 1, 3600}));

struct WrapCase {
    double fromAxis, toAxis;
    bool leavesRight;  // the first piece ends on the right edge
};
class CourseWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(CourseWrap, SplitsAtBothEdgesAtTheSameHeight) {
    const WrapCase c = GetParam();
    RaceModel m = pageRace();
    m.boats.append(fixedBoat(
        "A", kGreen,
        {{1000, 0, 0, 5, courseForAxis(c.fromAxis)}, {1300, 0, 0, 5, courseForAxis(c.toAxis)}}));
    const GraphLayout l = graphLayout(m, kW, kH);
    const auto pieces = boatTraces(l, m.boats.at(0), 0).course;
    ASSERT_EQ(pieces.size(), 2u);
    const int left = l.coursePanel.left(), right = left + l.coursePanel.width();
    const QPoint end = pieces[0].back(), start = pieces[1].front();
    EXPECT_EQ(end.x(), c.leavesRight ? right : left);
    EXPECT_EQ(start.x(), c.leavesRight ? left : right);
    EXPECT_EQ(end.y(), start.y());
    EXPECT_EQ(end.y(), std::nearbyint((l.timeToY(1000) + l.timeToY(1300)) / 2.0));

    // Drawn, nothing of the boat crosses the middle of the panel.
    QImage page(kW, kH, QImage::Format_RGB32);
    drawGraphPage(page, m, PageState{});
    const QRgb boat = toQColor(kGreen).rgb();
    for (int y = l.top(); y < l.bottom(); ++y)
        EXPECT_NE(page.pixel(left + l.coursePanel.width() / 2, y), boat) << "row " << y;
}
INSTANTIATE_TEST_SUITE_P(Directions, CourseWrap,
                         ::testing::Values(WrapCase{350, 10, true}, WrapCase{10, 350, false}));

TEST(GraphPage, FixesOutsideTheTimelineAreNotDrawn) {
    RaceModel m = pageRace(3600);
    m.boats.append(fixedBoat("A", kGreen,
                             {{-300, 0, 0, 12, courseForAxis(180)},
                              {100, 0, 0, 4, courseForAxis(90)},
                              {3000, 0, 0, 4, courseForAxis(90)},
                              {3700, 0, 0, 12, courseForAxis(180)}}));
    const GraphLayout l = graphLayout(m, kW, kH);
    const BoatTraces t = boatTraces(l, m.boats.at(0), 0);
    for (const auto* pieces : {&t.course, &t.speed})
        for (const QPolygon& piece : *pieces)
            for (const QPoint p : piece) {
                EXPECT_GE(p.y(), l.top());
                EXPECT_LE(p.y(), l.bottom());
                EXPECT_NE(p.x(), l.courseToX(courseForAxis(180) + 0));
                EXPECT_NE(p.x(), l.speedToX(12));
            }
}

struct TraceCase {
    const char* what;
    int raceSeconds;
    std::vector<TrackPoint> fixes;
};

TraceCase swingingLog() {
    // Many fixes to a pixel row, swinging widely: the reduction has work.
    std::vector<TrackPoint> fixes;
    std::srand(7);
    for (int i = 0; i < 20000; ++i) {
        const double course = 150 + std::rand() % 60 + 20 * std::sin(i / 300.0);
        fixes.push_back({i * 0.03, 0, 0, 3 + (std::rand() % 100) / 40.0, course});
    }
    return {"swinging", 600, fixes};
}

TraceCase spikesOffThePage() {
    // A sparse log faster than the axis (16 kn): the speed trace leaves the
    // page at its right edge, steeply, and comes back.
    std::vector<TrackPoint> fixes;
    const double knots[] = {16, 17, 15.5, 17.5, 16.2};
    for (int i = 0; i < 5; ++i) fixes.push_back({i * 300.0, 0, 0, knots[i], 180});
    return {"spikes", 1200, fixes};
}

class GraphTraceMatch : public ::testing::TestWithParam<TraceCase> {};

TEST_P(GraphTraceMatch, PageTracesAreThePlainPolylineWithinOnePixel) {
    const TraceCase& c = GetParam();
    RaceModel m = pageRace(c.raceSeconds);
    m.boats.append(fixedBoat("A", kGreen, c.fixes));
    const GraphLayout l = graphLayout(m, kW, kH);

    QImage page(kW, kH, QImage::Format_RGB32);
    drawGraphPage(page, m, PageState{});
    QImage plain(kW, kH, QImage::Format_RGB32);
    PageState hidden;
    hidden.boatShown = {false};
    drawGraphPage(plain, m, hidden);
    {
        QPainter p(&plain);
        p.setPen(QPen(toQColor(kGreen), 1));
        QPolygon course, speed;
        for (const TrackPoint& f : c.fixes) {
            course.append({l.courseToX(f.courseDegrees), l.timeToY(f.timeSeconds)});
            speed.append({l.speedToX(f.speedKnots), l.timeToY(f.timeSeconds)});
        }
        p.drawPolyline(course);
        p.drawPolyline(speed);
    }
    const QRgb boat = toQColor(kGreen).rgb();
    const QImage drawn = testing::pixelsOfColour(page, boat);
    ASSERT_GT(testing::countDrawn(drawn), 100);
    const auto mismatch =
        testing::compareWithinOnePixel(drawn, testing::pixelsOfColour(plain, boat));
    EXPECT_EQ(mismatch.fastOnly, 0);
    EXPECT_EQ(mismatch.plainOnly, 0);
}
INSTANTIATE_TEST_SUITE_P(Logs, GraphTraceMatch,
                         ::testing::Values(swingingLog(), spikesOffThePage()),
                         [](const auto& info) { return std::string(info.param.what); });

struct HoverCase {
    const char* what;
    double axisDegrees;  // where on the course axis the mouse is, + 3 px
    bool onSpeedPanel;
    std::optional<int> boat;
};
class GraphHoverPick : public ::testing::TestWithParam<HoverCase> {};

TEST_P(GraphHoverPick, PicksTheTraceNearestTheMouseAtItsTime) {
    const HoverCase c = GetParam();
    RaceModel m = pageRace(3600);
    m.boats.append(fixedBoat(
        "A", kGreen, {{0, 0, 0, 4, courseForAxis(90)}, {3600, 0, 0, 4, courseForAxis(90)}}));
    m.boats.append(fixedBoat(
        "B", kGreen, {{0, 0, 0, 8, courseForAxis(270)}, {3600, 0, 0, 8, courseForAxis(270)}}));
    const GraphLayout l = graphLayout(m, kW, kH);
    const int y = l.timeToY(1800);
    const int x =
        c.onSpeedPanel ? l.speedToX(8) + 3 : l.courseToX(courseForAxis(c.axisDegrees)) + 3;
    const GraphHover h = graphHoverAt(l, m, PageState{}, {x, y});
    ASSERT_TRUE(h.timeSeconds) << c.what;
    EXPECT_NEAR(*h.timeSeconds, 1800, l.timelineLength / l.coursePanel.height()) << c.what;
    EXPECT_EQ(h.boat, c.boat) << c.what;
}
INSTANTIATE_TEST_SUITE_P(Mouse, GraphHoverPick,
                         ::testing::Values(HoverCase{"on A's course", 90, false, 0},
                                           HoverCase{"on B's course", 270, false, 1},
                                           HoverCase{"between the traces", 180, false,
                                                     std::nullopt},
                                           HoverCase{"on B's speed", 0, true, 1}));

TEST(GraphHover, NothingOutsideThePanels) {
    const RaceModel m = pageRace();
    const GraphLayout l = graphLayout(m, kW, kH);
    EXPECT_FALSE(graphHoverAt(l, m, PageState{}, {5, 300}).timeSeconds);
    EXPECT_FALSE(graphHoverAt(l, m, PageState{}, {300, l.bottom() + 10}).timeSeconds);
}

}  // namespace
}  // namespace korvane
