// The static map, its highlight and the edit snapshot: what shows for a
// repeat span, which boats are drawn, the line with one end, and the
// projection the mouse uses to come back from the screen.
#include "view/static_map.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "support/one_pixel_match.h"
#include "synthetic_race.h"
#include "view/colours.h"
#include "view/edit_snapshot.h"

namespace korvane {
namespace {

std::vector<TrackPoint> fixesAt(std::initializer_list<double> times) {
    std::vector<TrackPoint> t;
    for (double s : times) t.push_back({s, 2100 + s / 1000, 8370 + s / 1000, 5, 45});
    return t;
}

struct SpanCase {
    std::optional<TimeSpan> span;
    int first;
    int last;
};

class FixRangeTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(FixRangeTest, KeepsTheFixesAroundTheSpan) {
    const auto track = fixesAt({0, 10, 20, 30, 40});
    const FixRange r = fixRangeFor(track, GetParam().span);
    EXPECT_EQ(r.first, GetParam().first);
    EXPECT_EQ(r.last, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, FixRangeTest,
    ::testing::Values(SpanCase{std::nullopt, 0, 4},
                      // Shorter than a fix interval: still the segment through it.
                      SpanCase{TimeSpan{12, 15}, 1, 2}, SpanCase{TimeSpan{15, 12}, 1, 2},
                      SpanCase{TimeSpan{10, 30}, 1, 4}, SpanCase{TimeSpan{-50, 5}, 0, 1},
                      // After the last fix the boat has nothing to show.
                      SpanCase{TimeSpan{50, 60}, 0, -1}));

struct ProjectionCase {
    bool northUp;
    int windDirection;
};

class StaticProjectionTest : public ::testing::TestWithParam<ProjectionCase> {};

TEST_P(StaticProjectionTest, ScreenAndPositionAgree) {
    const RaceModel m = testing::syntheticRace(4, 10, 600);
    const RaceArea area = computeRaceArea(m, {});
    StaticView where{800,
                     600,
                     area.centreLat,
                     area.centreLon,
                     1.5,
                     GetParam().northUp,
                     GetParam().windDirection};
    const Viewport v = staticViewport(area, where);
    for (const QPoint at : {QPoint(0, 0), QPoint(799, 10), QPoint(400, 300), QPoint(13, 577)}) {
        const GeoPoint g = v.fromScreen(at.x(), at.y());
        const ScreenPoint back = v.toScreen(g.latMinutes, g.lonMinutes);
        EXPECT_NEAR(back.x, at.x(), 1e-6);
        EXPECT_NEAR(back.y, at.y(), 1e-6);
    }
    // A point due north of the centre: straight up when north is up, and
    // turned by the course wind when the wind is up.
    const ScreenPoint north = v.toScreen(area.centreLat + 0.1, area.centreLon);
    if (GetParam().northUp || GetParam().windDirection % 360 == 0) {
        EXPECT_NEAR(north.x, 400, 1e-6);
        EXPECT_LT(north.y, 300);
    } else if (GetParam().windDirection == 90) {
        EXPECT_NEAR(north.y, 300, 1e-6);
        EXPECT_LT(north.x, 400);  // the wind from the east is up: north is to the left
    }
}

INSTANTIATE_TEST_SUITE_P(Orientations, StaticProjectionTest,
                         ::testing::Values(ProjectionCase{true, 0}, ProjectionCase{true, 90},
                                           ProjectionCase{true, 200}, ProjectionCase{false, 0},
                                           ProjectionCase{false, 90}, ProjectionCase{false, 200}));

int pixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

struct StaticMapFixture : ::testing::Test {
    RaceModel m = testing::syntheticRace(3, 10, 1800);
    RaceArea area = computeRaceArea(m, {});
    StaticView where{400, 400, area.centreLat, area.centreLon, 1, true, 0};
    QImage image{400, 400, QImage::Format_RGB32};
    QRgb colourOf(int b) const { return toQColor(m.boats.at(b).colour).rgb(); }
};

TEST_F(StaticMapFixture, DrawsCheckedTracksOnlyAndTheirSpanPart) {
    // Boat 0 is red like the course labels; boats 1 and 2 have colours of their own.
    StaticMapInput in{&m, &area, nullptr, {true, true, false}, std::nullopt, 100};
    drawStaticMap(image, in, where);
    const int whole = pixelsOf(image, colourOf(1));
    EXPECT_GT(whole, 100);
    EXPECT_EQ(pixelsOf(image, colourOf(2)), 0);

    in.repeatSpan = TimeSpan{600, 603};  // shorter than the 10 s between fixes
    drawStaticMap(image, in, where);
    const int part = pixelsOf(image, colourOf(1));
    EXPECT_GE(part, 2);
    EXPECT_LT(part, whole / 10);
}

TEST_F(StaticMapFixture, ALineWithOneEndIsReported) {
    StaticMapInput in{&m, &area, nullptr, {}, std::nullopt, 100};
    EXPECT_FALSE(drawStaticMap(image, in, where).lineEndMissing);
    m.lines.at(0).lat2Minutes = 0;
    EXPECT_TRUE(drawStaticMap(image, in, where).lineEndMissing);
}

TEST_F(StaticMapFixture, HighlightWidensOneTrackInWhiteAndLeavesTheMap) {
    StaticMapInput in{&m, &area, nullptr, {}, std::nullopt, 100};
    const StaticMapResult r = drawStaticMap(image, in, where);
    const QImage lit =
        drawHighlightTrack(image, r.view, m.boats.at(1).track, m.boats.at(1).colour, std::nullopt);
    EXPECT_GT(pixelsOf(lit, qRgb(255, 255, 255)), pixelsOf(image, qRgb(255, 255, 255)) + 100);
    EXPECT_EQ(lit.size(), image.size());
    EXPECT_NE(lit, image);
}

// Zoomed in, tracks leave the map: a track sawing in and out across each
// edge in steep strokes (where a clipped stroke loses most pixels) keeps,
// inside the map, the plain polyline's pixels.
TEST_F(StaticMapFixture, TrackLeavingTheMapStaysWithinOnePixelOfThePlainPolyline) {
    where.manualZoom = 3;
    const Viewport v = staticViewport(area, where);
    std::vector<TrackPoint> saw;
    auto add = [&](double x, double y) {
        const GeoPoint g = v.fromScreen(x, y);
        saw.push_back({saw.size() * 10.0, g.latMinutes, g.lonMinutes, 5, 0});
    };
    for (int k = 0; k < 9; ++k) add(k % 2 ? 404 : 395, 20 + 41 * k);   // right edge, down
    for (int k = 0; k < 9; ++k) add(380 - 43 * k, k % 2 ? 405 : 396);  // bottom, leftward
    for (int k = 0; k < 9; ++k) add(k % 2 ? -6 : 3, 380 - 39 * k);     // left, up
    for (int k = 0; k < 9; ++k) add(20 + 44 * k, k % 2 ? -7 : 2);      // top, rightward
    m.boats.at(1).track = saw;
    const StaticMapInput in{&m, &area, nullptr, {false, true, false}, std::nullopt, 100, false};
    drawStaticMap(image, in, where);

    QImage plain(image.size(), QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::transparent);
    QPainter p(&plain);
    p.setPen(QPen(Qt::black, 1));
    p.drawPolyline(trackPolygon(saw, fixRangeFor(saw, std::nullopt), v.transform()));
    p.end();
    const QRgb sea = toQColor(seaColoursForLevel(100).sea).rgb();
    const auto mismatch = testing::compareWithinOnePixel(testing::drawnPixels(image, sea),
                                                         testing::drawnPixels(plain));
    EXPECT_GT(pixelsOf(image, colourOf(1)), 400);
    EXPECT_EQ(mismatch.fastOnly, 0);
    EXPECT_EQ(mismatch.plainOnly, 0);
}

struct SnapshotCase {
    double time;
    bool placed;
    double latMinutes;
};

class SnapshotBoatTest : public ::testing::TestWithParam<SnapshotCase> {};

TEST_P(SnapshotBoatTest, InterpolatesBetweenTheBracketingFixes) {
    // A 100 s gap between the second and third fix: the editor still sees the boat.
    const auto track = fixesAt({0, 10, 110});
    const auto at = snapshotBoatAt(track, GetParam().time);
    ASSERT_EQ(at.has_value(), GetParam().placed);
    if (at) {
        EXPECT_NEAR(at->latMinutes, GetParam().latMinutes, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Times, SnapshotBoatTest,
                         ::testing::Values(SnapshotCase{-1, false, 0}, SnapshotCase{0, true, 2100},
                                           SnapshotCase{5, true, 2100.005},
                                           SnapshotCase{60, true, 2100.06},
                                           SnapshotCase{110, true, 2100.11},
                                           SnapshotCase{111, false, 0}));

TEST_F(StaticMapFixture, EditSnapshotPlacesTheCheckedBoats) {
    EditSnapshotInput in;
    in.map = {&m, &area, nullptr, {true, true, false}, std::nullopt, 100};
    in.timeSeconds = 900;
    in.timeBarHeight = 500;
    in.timeBarTop = 28;
    const EditSnapshotResult r = drawEditSnapshot(image, in, where);
    EXPECT_EQ(r.boatsDrawn, 2);
    const Race& race = m.race;
    EXPECT_EQ(r.timePointerTop, toPixel((race.timelineEnd - 900) * 500 / race.timelineLength) + 28);
}

}  // namespace
}  // namespace korvane
