#include "view/fit_view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

RaceArea area() {
    RaceArea a;
    a.box = GeoBox{2102, 2098, 8372, 8368};
    a.centreLat = 2100;
    a.centreLon = 8370;
    a.cosLat = 0.819;
    a.latSpan = 4.8;
    a.lonSpan = 4.8 / 0.819;
    return a;
}

Viewport view() {
    Viewport v;
    v.width = 1000;
    v.height = 800;
    v.zoomDivisor = 1;
    return v;
}

bool onScreen(const Viewport& v, double lat, double lon) {
    const ScreenPoint s = v.toScreen(lat, lon);
    return s.x >= 0 && s.x <= v.width && s.y >= 0 && s.y <= v.height;
}

TEST(FitView, AllBoatsOnOneSpotFallBackToAFixedExtent) {
    Viewport v = view();
    FitInput in;
    in.checkedBoats = {{2100, 8370}, {2100, 8370}, {2100, 8370}};
    in.boatsWithPosition = 3;
    in.raceBoatCount = 3;
    fitView(v, area(), 100, in);
    // dLat 0.1 gives 0.85 * 800 / 0.1 = 6800, then the 1000 px extent 0.92 * 800 / 1000.
    EXPECT_NEAR(v.latScale, 6800 * 0.736, 1e-6);
    EXPECT_NEAR(v.lonScale, v.latScale * 0.819, 1e-6);
    EXPECT_NEAR(v.centreLat, 2100, 1e-9);
    EXPECT_NEAR(v.pixelsPerKm, v.latScale / 1.852, 1e-9);
}

TEST(FitView, SpreadBoatsAreAllInsideTheView) {
    Viewport v = view();
    FitInput in;
    in.checkedBoats = {{2099.5, 8369.2}, {2100.6, 8370.9}, {2100, 8371.3}};
    in.boatsWithPosition = 3;
    in.raceBoatCount = 3;
    for (bool northUp : {true, false}) {
        v.northUp = northUp;
        v.windDirectionDegrees = 135;
        fitView(v, area(), 100, in);
        for (const GeoPoint& p : in.checkedBoats)
            EXPECT_TRUE(onScreen(v, p.latMinutes, p.lonMinutes)) << northUp;
    }
}

TEST(FitView, OneBoatKeepsTheFinishLineInView) {
    const Line finish{2101.5, 8371.5, 2101.55, 8371.7};
    Viewport v = view();
    FitInput in;
    in.checkedBoats = {{2100, 8370}};
    in.boatsWithPosition = 1;
    in.raceBoatCount = 5;
    in.finishLine = &finish;
    fitView(v, area(), 600, in);
    EXPECT_TRUE(onScreen(v, 2100, 8370));
    EXPECT_TRUE(onScreen(v, finish.lat1Minutes, finish.lon1Minutes));
    EXPECT_TRUE(onScreen(v, finish.lat2Minutes, finish.lon2Minutes));
}

TEST(FitView, StartLineIsForcedInOnlyBeforeMinus30Seconds) {
    const Line start{2098.5, 8368, 2098.5, 8368.6};
    FitInput in;
    in.checkedBoats = {{2100, 8370}, {2100.02, 8370.03}};
    in.boatsWithPosition = 2;
    in.raceBoatCount = 2;
    in.startLine = &start;
    in.finishLine = &start;
    Viewport early = view();
    fitView(early, area(), -45, in);
    EXPECT_TRUE(onScreen(early, start.lat1Minutes, start.lon1Minutes));
    EXPECT_TRUE(onScreen(early, start.lat2Minutes, start.lon2Minutes));
    EXPECT_TRUE(onScreen(early, 2100, 8370));
    EXPECT_NEAR(early.boatBox.minLat, 2098.5, 1e-9);
    Viewport late = view();
    fitView(late, area(), -25, in);
    // No longer forced into the box, yet still part of the projected extent.
    EXPECT_NEAR(late.boatBox.minLat, 2100, 1e-9);
    EXPECT_TRUE(onScreen(late, start.lat1Minutes, start.lon1Minutes));
    Viewport after = view();
    fitView(after, area(), 10, in);
    EXPECT_FALSE(onScreen(after, start.lat1Minutes, start.lon1Minutes));
}

TEST(FitView, ReferencePointsJoinWhenFewerThanTwoBoatsShow) {
    FitInput in;
    in.checkedBoats = {{2100, 8370}};
    in.boatsWithPosition = 1;
    in.raceBoatCount = 4;
    in.referencePoints = std::pair{GeoPoint{2101, 8371}, GeoPoint{2101.2, 8371.2}};
    Viewport v = view();
    fitView(v, area(), 100, in);
    EXPECT_NEAR(v.boatBox.maxLat, 2101.2, 1e-9);
    in.raceBoatCount = 1;  // a one-boat race ignores them
    Viewport alone = view();
    fitView(alone, area(), 100, in);
    EXPECT_NEAR(alone.boatBox.maxLat, 2100, 1e-9);
    EXPECT_GT(alone.latScale, v.latScale);
}

TEST(FitView, NoBoatLooksAtTheRaceAreaAndZeroSizeMapStaysFinite) {
    Viewport v = view();
    v.width = 0;
    v.height = 0;
    fitView(v, area(), -100, FitInput{});
    EXPECT_NEAR(v.centreLat, 2100, 1e-9);
    EXPECT_TRUE(std::isfinite(v.latScale));
    EXPECT_GT(v.latScale, 0);
    EXPECT_GT(v.lonScale, 0);
}

TEST(FitView, StaticMapUsesBaseScalesTimesManualZoom) {
    Viewport v = view();
    v.autoTrace = false;
    v.manualZoom = 2;
    v.savedCentreLat = 2099;
    v.savedCentreLon = 8369;
    FitInput in;
    in.checkedBoats = {{2100, 8370}};
    in.boatsWithPosition = 1;
    fitView(v, area(), 100, in);
    EXPECT_DOUBLE_EQ(v.centreLat, 2099);
    EXPECT_NEAR(v.latScale, 800 / 4.8 * 2, 1e-9);
}

TEST(FitView, ZoomDivisorShrinksTheScale) {
    FitInput in;
    in.checkedBoats = {{2099.5, 8369.5}, {2100.5, 8370.5}};
    in.boatsWithPosition = 2;
    Viewport a = view();
    fitView(a, area(), 100, in);
    Viewport b = view();
    b.zoomDivisor = 4;
    fitView(b, area(), 100, in);
    EXPECT_NEAR(b.latScale, a.latScale / 4, 1e-9);
}

}  // namespace
}  // namespace korvane
