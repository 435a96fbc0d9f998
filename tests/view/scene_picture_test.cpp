// Picture checks on whole frames: what a sailor would look for.
#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <cmath>
#include <numbers>

#include "synthetic_race.h"
#include "view/overview_map.h"
#include "view/scene_renderer.h"

namespace korvane {
namespace {

using testing::syntheticRace;

struct Rendered {
    QImage image;
    Viewport view;
    SceneResult result;
    ViewState state;
};

Rendered render(const RaceModel& m, double time, DisplayState display = {}, QSize size = {800, 600},
                const Coastline* coast = nullptr) {
    const RaceArea area = computeRaceArea(m, {});
    Rendered r;
    r.image = QImage(size, QImage::Format_RGB32);
    clearScene(r.image, display.seaLevel);
    SceneInput in{&m, &area, coast, nullptr};
    SceneRenderer renderer;
    r.result = renderer.draw(r.image, time, in, display, r.state, r.view);
    return r;
}

// Keeps a picture beside the test binary so a person can look at it.
void keep(const QImage& img, const char* name) {
    img.save(QDir::current().filePath(QString::fromLatin1(name)));
}

QPoint projected(const Rendered& r, const BoatNow& b, double aheadPixels = 0,
                 double headingDegrees = 0) {
    const ScreenPoint s = r.view.toScreen(b.latMinutes, b.lonMinutes);
    const double a = headingDegrees * std::numbers::pi / 180;
    return {static_cast<int>(std::lround(s.x + aheadPixels * std::sin(a))),
            static_cast<int>(std::lround(s.y - aheadPixels * std::cos(a)))};
}

// True when `colour` is found within `radius` pixels of `at` (one-pixel
// pens land a pixel either side of the exact line).
bool colourNear(const QImage& img, QPoint at, QColor colour, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint q = at + QPoint(dx, dy);
            if (img.rect().contains(q) && img.pixelColor(q) == colour) return true;
        }
    return false;
}

// A long hull (the race's LG stays 9.5 m) so the symbol is big enough to probe.
RaceModel oneBoat(double heading, double lengthMetres = 60) {
    RaceModel m = syntheticRace(0);
    Boat b;
    b.name = "Solo";
    b.lengthMetres = static_cast<float>(lengthMetres);
    b.track =
        testing::straightTrack(testing::kBaseLat, testing::kBaseLon, heading, 6, -100, 1000, 5);
    b.colour = bgr(255, 0, 0);
    m.boats.append(b);
    Boat other = b;  // a second boat far off keeps the zoom moderate
    other.name = "Far";
    other.colour = bgr(0, 0, 255);
    other.track = testing::straightTrack(testing::kBaseLat + 0.01, testing::kBaseLon + 0.012,
                                         heading, 6, -100, 1000, 5);
    m.boats.append(other);
    m.lines.clear();
    return m;
}

struct HeadingCase {
    double heading;
    bool northUp;
    int windDirection;
};

std::ostream& operator<<(std::ostream& os, const HeadingCase& c) {
    return os << c.heading << (c.northUp ? "_north" : "_wind") << c.windDirection;
}

class HullPointsAlongHeading : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(HullPointsAlongHeading, BowAheadSidesClear) {
    const auto& c = GetParam();
    RaceModel m = oneBoat(c.heading);
    m.race.windDirection = c.windDirection;
    DisplayState d;
    d.northUp = c.northUp;
    const Rendered r = render(m, 100, d);
    ASSERT_TRUE(r.result.drawn);
    const BoatNow& b = r.state.boats[0];
    ASSERT_TRUE(b.hasPosition);
    const double screenHeading = c.heading - (c.northUp ? 0 : c.windDirection);
    const double S = r.view.latScale * 60 / 1852;
    ASSERT_GT(S, 30);
    const QColor red(255, 0, 0);
    // Between the bow and the mast lies only hull; abeam of that point, open water.
    EXPECT_EQ(r.image.pixelColor(projected(r, b, 0.3 * S, screenHeading)), red);
    EXPECT_EQ(r.image.pixelColor(projected(r, b, 0.44 * S, screenHeading)), red);
    EXPECT_NE(r.image.pixelColor(projected(r, b, 0.3 * S, screenHeading + 90)), red);
    EXPECT_NE(r.image.pixelColor(projected(r, b, 0.3 * S, screenHeading - 90)), red);
    EXPECT_NE(r.image.pixelColor(projected(r, b, 0.6 * S, screenHeading)), red);
}

INSTANTIATE_TEST_SUITE_P(Orientations, HullPointsAlongHeading,
                         ::testing::Values(HeadingCase{0, true, 200}, HeadingCase{90, true, 200},
                                           HeadingCase{225, true, 0}, HeadingCase{160, true, 0},
                                           HeadingCase{200, false, 200},
                                           HeadingCase{110, false, 20}));

TEST(ScenePicture, RaceFrameShowsEveryBoatInItsColour) {
    RaceModel m = syntheticRace(12);
    DisplayState d;
    d.labelLevel = 2;
    d.overviewOn = true;
    const Rendered r = render(m, 600, d, {1200, 800});
    keep(r.image, "scene_race_600.png");
    ASSERT_TRUE(r.result.drawn);
    EXPECT_EQ(r.result.visibleCount, 12);
    EXPECT_EQ(r.result.boatsOnScreen, 12);
    // Boat 1 is drawn last, so nothing covers its bow.
    const BoatNow& first = r.state.boats[0];
    EXPECT_TRUE(colourNear(r.image, projected(r, first), toQColor(m.boats[0].colour), 2));
    EXPECT_FALSE(
        colourNear(r.image, projected(r, first) + QPoint(0, 12), toQColor(m.boats[0].colour), 2));
}

TEST(ScenePicture, ClockHandsShowTheTimeOfDay) {
    RaceModel m = oneBoat(0);
    // 6:45:10 at race time 0.
    m.race.start = 45424 + (6 * 3600 + 45 * 60 + 10) / 86400.0;
    const Rendered r = render(m, 0);
    keep(r.image, "scene_clock.png");
    const QPoint c(800 - 40, 600 - 65);
    const auto along = [&](double angle, double radius) {
        return QPoint(static_cast<int>(std::lround(c.x() + radius * std::sin(angle))),
                      static_cast<int>(std::lround(c.y() - radius * std::cos(angle))));
    };
    const double t = 6 * 3600 + 45 * 60 + 10;
    const double hour = t * 6.28 / 12 / 3600;
    const double minute = std::fmod(t, 3600) * 6.28 / 3600;
    const double second = std::fmod(t, 1440) * 6.28 / 60;  // the clock's own reduction
    EXPECT_TRUE(colourNear(r.image, along(hour, 12), QColor(0, 0, 0)));
    EXPECT_TRUE(colourNear(r.image, along(minute, 22), QColor(128, 128, 128)));
    EXPECT_TRUE(colourNear(r.image, along(second, 26), QColor(255, 0, 0)));
    EXPECT_FALSE(colourNear(r.image, along(second + 3.14, 20), QColor(255, 0, 0), 2));
    // Nothing points to twelve: the face there is its fill colour.
    EXPECT_EQ(r.image.pixelColor(along(0, 20)), QColor(255, 255, 255));
}

int pixelsOfColour(const QImage& img, int x, QColor colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        if (img.pixelColor(x, y) == colour) ++n;
    return n;
}

TEST(ScenePicture, GridIsLightAtSeaLevel50AndDarkAt51) {
    RaceModel m = oneBoat(0);
    for (int level : {50, 51}) {
        DisplayState d;
        d.seaLevel = level;
        const Rendered r = render(m, 100, d);
        const SeaColours c = seaColoursForLevel(level);
        const SeaColours other = seaColoursForLevel(level == 50 ? 51 : 50);
        EXPECT_GT(pixelsOfColour(r.image, 300, toQColor(c.grid)), 0) << level;
        EXPECT_EQ(pixelsOfColour(r.image, 300, toQColor(other.grid)), 0) << level;
        EXPECT_GT(pixelsOfColour(r.image, 300, toQColor(c.sea)), 400) << level;
    }
}

TEST(ScenePicture, WindArrowPointsDownwind) {
    // Wind from the north: the arrow sits above the centre with its head
    // nearer the centre than its tail.
    RaceModel m = oneBoat(90);
    m.race.windDirection = 0;
    m.race.windDirectionInput = 0;
    const Rendered r = render(m, 100);
    keep(r.image, "scene_wind_north.png");
    const QColor white(255, 255, 255);
    const double R = std::round(300 * 0.8), a = std::round(R * 0.3);
    // Tail ends at radius R, head tip at R - a: white at x = 400 just above the tip only.
    EXPECT_EQ(r.image.pixelColor(400, static_cast<int>(300 - (R - a))), white);
    EXPECT_NE(r.image.pixelColor(400, static_cast<int>(300 - (R - a) + 6)), white);
}

TEST(ScenePicture, UncheckingEveryBoatRechecksThem) {
    RaceModel m = syntheticRace(3);
    DisplayState d;
    d.boatChecked = {false, false, false};
    const Rendered r = render(m, 100, d);
    EXPECT_TRUE(r.result.recheckAllBoats);
    EXPECT_EQ(r.result.boatsOnScreen, 3);
}

TEST(ScenePicture, LabelAndTimeReadoutAreWritten) {
    RaceModel m = syntheticRace(2);
    DisplayState plain;
    const Rendered quiet = render(m, 10, plain);
    DisplayState named = plain;
    named.labelLevel = 2;
    const Rendered loud = render(m, 10, named);
    // Labels are white text on the sea colour beside each hull.
    const BoatNow& b = loud.state.boats[0];
    const QPoint at = projected(loud, b);
    int whiteQuiet = 0, whiteLoud = 0;
    for (int y = at.y() - 6; y < at.y() + 10; ++y)
        for (int x = 0; x < 800; ++x) {
            whiteQuiet += quiet.image.pixelColor(x, y) == QColor(255, 255, 255);
            whiteLoud += loud.image.pixelColor(x, y) == QColor(255, 255, 255);
        }
    EXPECT_GT(whiteLoud, whiteQuiet + 20);
    // Before 20 s the big read-out sits top centre on red (before the start) or blue.
    EXPECT_EQ(loud.image.pixelColor(400 - 50 + 5 + 2, 17), QColor(0, 0, 255));
    const Rendered before = render(m, -10, named);
    EXPECT_EQ(before.image.pixelColor(400 - 50 + 5 + 2, 17), QColor(255, 0, 0));
}

TEST(ScenePicture, TimePointerAndSizeNote) {
    RaceModel m = syntheticRace(2);
    DisplayState d;
    d.timeBarTop = 28;
    d.timeBarHeight = 500;
    d.bigBoat = true;
    d.zoomDivisor = 11;
    const Rendered r = render(m, 1000, d);
    // timeline -300 ... 3600, length 3900
    EXPECT_EQ(r.result.timePointerTop, 28 + static_cast<int>(std::lround(2600 * 500.0 / 3900)));
    EXPECT_EQ(r.result.sizeNote, "Size Enlarged");
}

struct BadInputCase {
    const char* name;
    int boats;
    QSize size;
    double time;
};

std::ostream& operator<<(std::ostream& os, const BadInputCase& c) {
    return os << c.name << "_" << c.size.width() << "x" << c.size.height() << "_at_" << c.time;
}

RaceModel badRace(const std::string& name) {
    RaceModel m = syntheticRace(3, 10, 600);
    if (name == "equal times")
        for (auto& p : m.boats[0].track) p.timeSeconds = 100;
    if (name == "one fix") m.boats[1].track.resize(1);
    if (name == "gap") m.boats[0].track.back().timeSeconds += 10000;
    if (name == "one spot")
        for (Boat& b : m.boats)
            for (auto& p : b.track) {
                p.latMinutes = testing::kBaseLat;
                p.lonMinutes = testing::kBaseLon;
            }
    if (name == "no tracks")
        for (Boat& b : m.boats) b.track.clear();
    if (name == "wind")
        m.windSamples = {{-100, 5, 350}, {100, 5, 350}, {100, 9, 10}, {300, 12, 20}};
    return m;
}

class BadInput : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, DrawsASensiblePictureWithoutCrashing) {
    const auto& c = GetParam();
    const RaceModel m = badRace(c.name);
    DisplayState d;
    d.labelLevel = 3;
    d.layLine = true;
    d.boatVanesOn = true;
    d.overviewOn = true;
    d.highlightBoat = 0;
    d.pickedBoat = 1;
    const Rendered r = render(m, c.time, d, c.size);
    EXPECT_TRUE(std::isfinite(r.view.latScale));
    EXPECT_TRUE(std::isfinite(r.view.centreLat));
    if (!c.size.isEmpty() && c.time <= 0) {
        EXPECT_TRUE(r.result.drawn);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput,
                         ::testing::Values(BadInputCase{"equal times", 3, {640, 480}, 100},
                                           BadInputCase{"one fix", 3, {640, 480}, 100},
                                           BadInputCase{"gap", 3, {640, 480}, 595},
                                           BadInputCase{"one spot", 3, {640, 480}, 100},
                                           BadInputCase{"no tracks", 3, {640, 480}, -5},
                                           BadInputCase{"wind", 3, {640, 480}, 150},
                                           BadInputCase{"plain", 3, {0, 0}, 100},
                                           BadInputCase{"plain", 3, {1, 1}, -50},
                                           BadInputCase{"plain", 3, {200, 5}, 100}));

TEST(ScenePicture, GapOverAnHourHidesTheBoat) {
    RaceModel m = syntheticRace(2, 10, 600);
    m.boats[0].track.back().timeSeconds += 4000;
    const Rendered r = render(m, 1000);
    EXPECT_FALSE(r.state.boats[0].hasPosition);
    EXPECT_EQ(r.result.boatsOnScreen, 0);
    EXPECT_FALSE(r.result.drawn);  // nobody left: the replay ends
}

TEST(ScenePicture, CoastlineIsThinnedAndDrawn) {
    RaceModel m = syntheticRace(4);
    const Coastline coast = testing::syntheticCoastline(20000, 4);
    DisplayState d;
    d.zoomDivisor = 11;
    const Rendered r = render(m, 100, d, {800, 600}, &coast);
    keep(r.image, "scene_coast.png");
    EXPECT_TRUE(r.state.coastlineBuilt);
    EXPECT_GT(r.state.coastline.chunkCount(), 100u);
    int white = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 200; x < 600; ++x) white += r.image.pixelColor(x, y) == QColor(255, 255, 255);
    EXPECT_GT(white, 100);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(ScenePicture, TwoBoatMeasureJoinsTheBoatsInYellow) {
    RaceModel m = testing::syntheticRace(2);
    DisplayState d;
    d.labelLevel = 3;
    const Rendered r = render(m, 300, d);
    const BoatNow& a = r.state.boats[0];
    const BoatNow& b = r.state.boats[1];
    const ScreenPoint pa = r.view.toScreen(a.latMinutes, a.lonMinutes);
    const ScreenPoint pb = r.view.toScreen(b.latMinutes, b.lonMinutes);
    // A point a third of the way along the line, clear of hulls and labels.
    const QPoint third(static_cast<int>(std::lround(pa.x + (pb.x - pa.x) / 3)),
                       static_cast<int>(std::lround(pa.y + (pb.y - pa.y) / 3)));
    EXPECT_TRUE(colourNear(r.image, third, QColor(255, 255, 0)));
    DisplayState two = d;
    two.labelLevel = 2;
    const Rendered plain = render(m, 300, two);
    EXPECT_FALSE(colourNear(plain.image, third, QColor(255, 255, 0)));
}

TEST(ScenePicture, LitLandmarksShowOnlyAtNight) {
    RaceModel m = testing::syntheticRace(2);
    const RaceArea area = computeRaceArea(m, {});
    std::vector<LandmarkLight> lights{{0, 0, bgr(0, 255, 0), true, 0.5, "Cape"}};
    DisplayState d;
    d.zoomDivisor = 1;
    for (bool night : {false, true}) {
        d.isNight = night;
        ViewState state;
        state.landmarkPulse = 1;
        Viewport view;
        QImage img(800, 600, QImage::Format_RGB32);
        clearScene(img, d.seaLevel);
        SceneRenderer renderer;
        // First frame fits the view; put the light at the centre of it.
        renderer.draw(img, 300, {&m, &area, nullptr, &lights}, d, state, view);
        lights[0].latMinutes = view.centreLat;
        lights[0].lonMinutes = view.centreLon;
        clearScene(img, d.seaLevel);
        renderer.draw(img, 300, {&m, &area, nullptr, &lights}, d, state, view);
        const QPoint c(400, 300);
        const int r = static_cast<int>(std::lround(0.5 / 5 * view.latScale));
        ASSERT_GT(r, 5);
        EXPECT_EQ(colourNear(img, c + QPoint(r, 0), QColor(0, 255, 0)), night) << night;
        EXPECT_EQ(colourNear(img, c, QColor(255, 255, 0)), night);  // lights are a night layer
    }
}

TEST(ScenePicture, OverviewDotsAndFrameComeBackForTheWindow) {
    RaceModel m = testing::syntheticRace(3);
    DisplayState d;
    d.overviewOn = false;
    const Rendered r = render(m, 300, d);
    ASSERT_EQ(r.result.overviewDots.size(), 3u);
    for (int b = 0; b < 3; ++b) {
        const QPoint q = r.result.overviewDots[static_cast<std::size_t>(b)];
        EXPECT_GE(q.x(), 0);
        EXPECT_LE(q.x(), 170);
        EXPECT_GE(q.y(), 0);
        EXPECT_LE(q.y(), 170);
    }
    // The view is a small part of the whole race: its frame is smaller than the inset.
    EXPECT_GT(r.result.overviewFrame.width(), 0);
    EXPECT_LT(r.result.overviewFrame.width(), 170);
    DisplayState hover = d;
    hover.timeBarHover = true;
    const Rendered h = render(m, 300, hover);
    EXPECT_TRUE(h.result.overviewDots.empty());  // the dots stay where the time bar put them
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(ScenePicture, InsetFrameStaysInsideTheInsetWhenZoomedOut) {
    RaceModel m = testing::syntheticRace(4);
    const RaceArea area = computeRaceArea(m, {});
    DisplayState d;
    d.overviewOn = true;
    d.zoomDivisor = 11;
    ViewState state;
    Viewport view;
    SceneRenderer renderer;
    QImage img(800, 600, QImage::Format_RGB32);
    for (int frame = 0; frame < 2; ++frame) {  // the frame shows from the second frame on
        clearScene(img, d.seaLevel);
        renderer.draw(img, 300, {&m, &area, nullptr, nullptr}, d, state, view);
    }
    ASSERT_FALSE(state.lastOverviewFrame.isNull());
    EXPECT_GT(state.lastOverviewFrame.width(), 170);  // wider than the inset itself
    int whiteOutside = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 600; x < 800 - 170; ++x)
            whiteOutside += img.pixelColor(x, y) == QColor(Qt::white);
    EXPECT_EQ(whiteOutside, 0);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(ScenePicture, HighlightedAndPickedBoatsGetRings) {
    RaceModel m = oneBoat(90, 9.5);  // real length: the ring lies outside the hull
    DisplayState d;
    d.highlightBoat = 1;
    d.pickedBoat = 0;
    const Rendered r = render(m, 100, d);
    const double L = std::max(6.0, r.view.latScale * 9.5 / 1852);  // the race's symbol length
    const int radius = static_cast<int>(std::lround(L * 0.5 + 3));
    // The picked first boat: a red circle; the highlighted second: a black one on a pale fill.
    const QPoint one = projected(r, r.state.boats[0]);
    const QPoint two = projected(r, r.state.boats[1]);
    EXPECT_TRUE(colourNear(r.image, one + QPoint(0, -radius), QColor(255, 0, 0)));
    EXPECT_TRUE(colourNear(r.image, two + QPoint(0, -radius), QColor(0, 0, 0)));
    EXPECT_TRUE(colourNear(r.image, two + QPoint(0, -radius + 2), QColor(192, 255, 255)));
    // The same boat picked and highlighted gets one ring, the highlight's.
    DisplayState same = d;
    same.pickedBoat = 1;
    const Rendered s = render(m, 100, same);
    EXPECT_FALSE(colourNear(s.image, projected(s, s.state.boats[1]) + QPoint(0, -radius),
                            QColor(255, 0, 0)));
}

// The replay's finish flags count boats from the first slot, as every boat
// table does: only the finished boat loses its inset dot.
TEST(ScenePicture, AFinishedBoatLosesOnlyItsOwnInsetDot) {
    RaceModel m = testing::syntheticRace(3);
    DisplayState d;
    d.overviewOn = true;
    const Rendered all = render(m, 300, d);
    d.boatFinished = {false, true, false};
    const Rendered some = render(m, 300, d);
    const int x0 = all.image.width() - kOverviewSize;
    auto dotArea = [&](const Rendered& r, int b) {
        const QPoint q = all.result.overviewDots[static_cast<std::size_t>(b)];
        return r.image.copy(QRect(x0 + q.x() - 3, q.y() - 3, 5, 5));
    };
    EXPECT_NE(dotArea(some, 1), dotArea(all, 1));
    EXPECT_EQ(dotArea(some, 0), dotArea(all, 0));
    EXPECT_EQ(dotArea(some, 2), dotArea(all, 2));
}

}  // namespace
}  // namespace korvane
