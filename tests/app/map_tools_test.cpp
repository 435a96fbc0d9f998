// The map's mouse tools on a static view of a small race: zooming around a
// click, the wheel, the overview inset, measuring and course picking; and
// what the map widget draws of a race.
#include "app/map_tools.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWheelEvent>

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

// A drag and Ctrl + wheel keep the ground under the pointer, in both
// orientations; a press that hardly moves is still a zoom click.
TEST_F(ToolsFixture, DragAndPointerZoomKeepTheGroundUnderThePointer) {
    const auto under = [this](QPoint at) { return view().fromScreen(at.x(), at.y()); };
    const auto expectAt = [this](GeoPoint g, QPoint at, const char* what) {
        const ScreenPoint s = view().toScreen(g.latMinutes, g.lonMinutes);
        EXPECT_NEAR(s.x, at.x(), 1e-6) << what << where.northUp;
        EXPECT_NEAR(s.y, at.y(), 1e-6) << what << where.northUp;
    };
    for (const bool northUp : {true, false}) {
        where.northUp = northUp;
        PanTool pan;
        const QPoint from(100, 500), to(650, 120);
        const GeoPoint grabbed = under(from);
        pan.press(from, true, view());
        EXPECT_FALSE(pan.move(from + QPoint(2, 2), where));  // not yet a drag
        EXPECT_TRUE(pan.move(QPoint(300, 300), where));
        EXPECT_TRUE(pan.move(to, where));
        expectAt(grabbed, to, "drag");
        EXPECT_FALSE(pan.release(where));
        EXPECT_DOUBLE_EQ(where.manualZoom, 1);

        pan.press(to, true, view());
        pan.move(to + QPoint(PanTool::kDragPixels, 0), where);
        EXPECT_TRUE(pan.release(where));
        EXPECT_DOUBLE_EQ(where.manualZoom, 1.5);

        for (const int delta : {120, -120, -240}) {
            const QPoint at(720, 40);
            const GeoPoint g = under(at);
            const double zoom = where.manualZoom;
            zoomAtPointer(where, view(), at, delta);
            expectAt(g, at, "wheel");
            EXPECT_DOUBLE_EQ(where.manualZoom, delta > 0 ? zoom * 1.5 : zoom / 1.5);
        }
        where.manualZoom = 1;
    }
}

// The map widget routes a drag to the pan and a Ctrl + wheel to the zoom
// at the pointer; the plain wheel still turns the ZOOM bar.
TEST(MapViewMouse, DragPansTheStaticMapAndCtrlWheelZooms) {
    const auto w = openSample();
    w->show();
    MapView* map = w->map();
    w->controls()->setAutoTrace(false);
    ASSERT_FALSE(w->controls()->displayOptions().autoTrace);
    const auto send = [map](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), map->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(map, &e);
    };
    const StaticView before = map->staticView();
    send(QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    send(QEvent::MouseMove, {260, 230}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {260, 230}, Qt::NoButton);
    EXPECT_DOUBLE_EQ(map->staticView().manualZoom, before.manualZoom);
    EXPECT_NE(map->staticView().centreLon, before.centreLon);
    EXPECT_NE(map->staticView().centreLat, before.centreLat);

    const int zoomBar = w->controls()->displayOptions().zoomPosition;
    QWheelEvent ctrl(QPointF(50, 60), map->mapToGlobal(QPointF(50, 60)), {}, {0, 120}, Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &ctrl);
    EXPECT_DOUBLE_EQ(map->staticView().manualZoom, before.manualZoom * 1.5);
    EXPECT_EQ(w->controls()->displayOptions().zoomPosition, zoomBar);
    QWheelEvent plain(QPointF(50, 60), map->mapToGlobal(QPointF(50, 60)), {}, {0, 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &plain);
    EXPECT_DOUBLE_EQ(map->staticView().manualZoom, before.manualZoom * 1.5);
    EXPECT_NE(w->controls()->displayOptions().zoomPosition, zoomBar);
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
