// The map's mouse tools on a static view of a small race: zooming around a
// click, the wheel, the overview inset, measuring and course picking; and
// what the map widget draws of a race.
#include "app/map_tools.h"

#include <gtest/gtest.h>

#include "app/map_view.h"
#include "app/window_fixture.h"
#include "view/maneuver_layer.h"
#include "view/synthetic_race.h"

namespace korvane {
namespace {

struct ToolsFixture : ::testing::Test {
    RaceModel m = testing::syntheticRace(3, 10, 600);
    RaceArea area = computeRaceArea(m, {});
    StaticView where{800, 600, area.centreLat, area.centreLon, 1, false, 200};
    Viewport view() const { return staticViewport(area, where); }
};

TEST_F(ToolsFixture, AZoomClickAtAnEdgeBringsThatPointToTheCentre) {
    for (const bool enlarge : {true, false}) {
        for (const QPoint edge : {QPoint(0, 300), QPoint(799, 0), QPoint(400, 599)}) {
            const Viewport before = view();
            const GeoPoint clicked = before.fromScreen(edge.x(), edge.y());
            const double zoom = where.manualZoom;
            ZoomTool::click(where, before, edge, enlarge);
            const ScreenPoint now = view().toScreen(clicked.latMinutes, clicked.lonMinutes);
            EXPECT_NEAR(now.x, 400, 1e-6);
            EXPECT_NEAR(now.y, 300, 1e-6);
            EXPECT_DOUBLE_EQ(where.manualZoom, enlarge ? zoom * 1.5 : zoom / 1.5);
        }
    }
}

TEST(WheelZoom, StepsAndLimits) {
    struct Case {
        int position, delta;
        bool autoTrace;
        int expected;
    };
    const Case cases[] = {{75, 120, false, 76}, {75, -120, false, 74}, {100, 120, false, 100},
                          {0, -120, false, 0},  {75, 120, true, 78},   {99, 120, true, 100},
                          {2, -120, true, 1},   {1, -120, true, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(wheelZoomPosition(c.position, c.delta, c.autoTrace), c.expected)
            << c.position << " " << c.delta << " " << c.autoTrace;
}

TEST_F(ToolsFixture, OverviewClickCentresOnThatPartOfTheRace) {
    for (const bool northUp : {true, false}) {
        const GeoPoint middle = OverviewTool::centreFor({85, 85}, area, northUp, 200);
        EXPECT_NEAR(middle.latMinutes, area.centreLat, 1e-9);
        EXPECT_NEAR(middle.lonMinutes, area.centreLon, 1e-9);
    }
    // North up, a click above the middle is further north.
    EXPECT_GT(OverviewTool::centreFor({85, 10}, area, true, 200).latMinutes, area.centreLat);
    EXPECT_NEAR(OverviewTool::bearingFromCentre({85 + 40, 85}), 90, 1e-9);
    EXPECT_NEAR(OverviewTool::bearingFromCentre({85, 85 + 40}), 180, 1e-9);
}

TEST_F(ToolsFixture, MeasuringNeedsABaseAndForgetsIt) {
    MeasureTool tool;
    const GeoPoint base{2100, 8370};
    EXPECT_EQ(tool.reading(base, 0.8, 0), QStringLiteral("Click to set base point"));
    tool.setBase(base, {10, 10});
    // One minute of latitude due north: a nautical mile on bearing 0, or
    // on 7 degrees magnetic with a variation of -7.
    EXPECT_EQ(tool.reading({2101, 8370}, 0.8, 0), QStringLiteral("RNG= 1852m / BRG= 0deg(M)"));
    EXPECT_EQ(tool.reading({2101, 8370}, 0.8, -7), QStringLiteral("RNG= 1852m / BRG= 7deg(M)"));
    tool.forget();
    EXPECT_FALSE(tool.hasBase());
}

TEST_F(ToolsFixture, PickingFindsTheNearestCoursePointWithinReach) {
    const Viewport v = view();
    const Mark& mark = m.marks.at(0);
    const ScreenPoint at = v.toScreen(mark.latMinutes, mark.lonMinutes);
    const auto near = EditPicker::pick(m, v, QPoint(toPixel(at.x) + 12, toPixel(at.y) - 10));
    ASSERT_TRUE(near.has_value());
    EXPECT_EQ(near->name, QStringLiteral("MK1"));
    EXPECT_EQ(near->kind, CoursePick::Kind::Mark);
    EXPECT_FALSE(EditPicker::pick(m, v, QPoint(toPixel(at.x) + 40, toPixel(at.y))));
    const Line& line = m.lines.at(0);
    const ScreenPoint end = v.toScreen(line.lat2Minutes, line.lon2Minutes);
    const auto lineEnd = EditPicker::pick(m, v, QPoint(toPixel(end.x), toPixel(end.y)));
    ASSERT_TRUE(lineEnd.has_value());
    EXPECT_EQ(lineEnd->kind, CoursePick::Kind::LineEnd);
    EXPECT_EQ(lineEnd->name, QStringLiteral("L1"));
}

// With "Lay Line" the window's map shows the maneuvers of the last minutes
// as korvane-cli render --laylines does: a tick in the kind's ink on each
// one on the screen.
TEST(MapViewFrame, LayLineDrawsTheManeuverMarks) {
    app();
    OpenRequest request;
    request.dataRoot = kSample;
    request.raceFile = "valencia.txt";
    const auto session = openRace(request);
    MapView map;
    map.resize(800, 500);
    map.setSession(session);
    DisplayState display;
    display.showName = true;
    display.layLine = true;
    const double t = 1230;
    map.drawFrame(t, display, 0, 0);
    const QImage& frame = map.frame();
    const auto inkNear = [&](QPoint at, QColor ink) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (frame.rect().contains(at + QPoint(dx, dy)) &&
                    frame.pixelColor(at + QPoint(dx, dy)) == ink)
                    return true;
        return false;
    };
    int marks = 0, found = 0;
    for (const auto& boat : session->maneuvers())
        for (const Maneuver& m : boat) {
            if (m.kind == ManeuverKind::Turn || m.timeSeconds > t ||
                m.timeSeconds < t - kManeuverTrailSeconds)
                continue;
            const QColor ink = m.kind == ManeuverKind::Tack   ? QColor(255, 255, 0)
                               : m.kind == ManeuverKind::Gybe ? QColor(0, 255, 255)
                                                              : QColor(255, 160, 0);
            const ScreenPoint s = map.viewport().toScreen(m.latMinutes, m.lonMinutes);
            const QPoint at(toPixel(s.x), toPixel(s.y));
            if (!frame.rect().contains(at)) continue;
            ++marks;
            found += inkNear(at, ink);
        }
    EXPECT_GE(marks, 5);
    EXPECT_EQ(found, marks);
}

}  // namespace
}  // namespace korvane
