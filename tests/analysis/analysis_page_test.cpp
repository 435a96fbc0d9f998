// The Analysis page: which boats set a figure's axes, the widened spans,
// grid steps, the speed fan's entry edges, hollow hidden boats, blank
// figures, the corrected-time note band, and the hover.
#include "analysis/analysis_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "page_fixtures.h"

namespace korvane {
namespace {

using testing::fixedBoat;
using testing::LegNumbers;
using testing::legResult;

constexpr int kW = 1280, kH = 800;
constexpr std::uint32_t kRed = bgr(200, 0, 0);
constexpr std::uint32_t kBlue = bgr(0, 0, 200);

struct QualifyCase {
    const char* what;
    LegNumbers numbers;
    bool whole, up, down;  // sets the axes of figures 1, 2, 3
};
class FigureQualifying : public ::testing::TestWithParam<QualifyCase> {};

TEST_P(FigureQualifying, OnlyBoatsWithEverythingTheFigureNeeds) {
    const QualifyCase c = GetParam();
    const BoatLegResult r = legResult(c.numbers);
    EXPECT_EQ(setsAxisRanges(Figure::WholeRace, r), c.whole) << c.what;
    EXPECT_EQ(setsAxisRanges(Figure::Upwind, r), c.up) << c.what;
    EXPECT_EQ(setsAxisRanges(Figure::Downwind, r), c.down) << c.what;
}
INSTANTIATE_TEST_SUITE_P(
    Boats, FigureQualifying,
    ::testing::Values(
        QualifyCase{"finisher", {5, 3000, 9000, 1500, 2, 1400, 2}, true, true, true},
        QualifyCase{"no start crossing", {{}, 3000, 9000, 1500, 2, 1400, 2}, false, false, true},
        QualifyCase{"did not finish", {5, {}, 0, 1500, 2, 0, 0}, false, true, false},
        QualifyCase{"no distance", {5, 3000, 0, 0, 0, 0, 0}, false, false, false}));

TEST(FigureQualifying, ALegTotalOverAMissedPointIsNotPlotted) {
    BoatLegResult r = legResult({5, 3000, 9000, 1500, 2, 1400, 2});
    r.upTotalsComplete = false;
    EXPECT_FALSE(figurePoint(Figure::Upwind, r));
    EXPECT_TRUE(figurePoint(Figure::Downwind, r));
}

struct SpanCase {
    double lo, hi;
    double expectLo, expectHi;
};
class FigureSpan : public ::testing::TestWithParam<SpanCase> {};

TEST_P(FigureSpan, BelowOneHundredIsWidenedAboutItsCentre) {
    const SpanCase c = GetParam();
    const auto r =
        figureRanges({{c.lo, c.lo * 2}, {c.hi, c.hi * 2}, {(c.lo + c.hi) / 2, c.lo * 2}});
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->dMin, c.expectLo);
    EXPECT_DOUBLE_EQ(r->dMax, c.expectHi);
    EXPECT_DOUBLE_EQ(r->dCentre(), (c.lo + c.hi) / 2);
}
INSTANTIATE_TEST_SUITE_P(Spans, FigureSpan,
                         ::testing::Values(SpanCase{1000, 1040, 970, 1070},
                                           SpanCase{1000, 1000, 950, 1050},
                                           SpanCase{1000, 1100, 1000, 1100},
                                           SpanCase{1000, 1500, 1000, 1500}));

TEST(FigureSpan, NoPointsNoRanges) {
    EXPECT_FALSE(figureRanges({}));
}

struct StepCase {
    double mantissa;
    double stepOverPower;  // the step for mantissa × 10^k, over 10^k
};
class GridStep : public ::testing::TestWithParam<std::tuple<StepCase, int>> {};

TEST_P(GridStep, IsAPowerOfTenOrTwoOrFiveTimesOne) {
    const auto [c, k] = GetParam();
    const double power = std::pow(10.0, k);
    EXPECT_NEAR(gridStep(c.mantissa * power), c.stepOverPower * power, 1e-9 * power);
}
INSTANTIATE_TEST_SUITE_P(Spans, GridStep,
                         ::testing::Combine(::testing::Values(StepCase{1.4, 0.1},
                                                              StepCase{2.9, 0.2}, StepCase{5.9, 1},
                                                              StepCase{7, 1}),
                                            ::testing::Values(1, 2, 3, 4)));

// Distances 1000 ... 4000 m over times 500 ... 2000 s: the box shows
// 500 ... 4500 m and 250 ... 2250 s.
FigureFrame fanFrame() {
    return figureFrame(Figure::WholeRace, kW, kH, 0, FigureRanges{1000, 4000, 500, 2000});
}

// The time of the line of `knots` at column x, as the row it maps to.
int rowOnLine(const FigureFrame& f, double knots, int x) {
    const double metres = f.ranges.dCentre() + (x - f.centre.x()) / f.sx;
    return f.yOf(metres / (knots * 1852 / 3600));
}

struct FanCase {
    double knots;
    enum Entry { Left, Bottom, Missing } entry;
};
class SpeedFan : public ::testing::TestWithParam<FanCase> {};

TEST_P(SpeedFan, EntersByTheEdgeItCrossesAndStaysOnItsLine) {
    const FanCase c = GetParam();
    const FigureFrame f = fanFrame();
    const auto line = fanLine(f, c.knots);
    if (c.entry == FanCase::Missing) {
        EXPECT_FALSE(line) << c.knots;
        return;
    }
    ASSERT_TRUE(line) << c.knots;
    if (c.entry == FanCase::Left) {
        EXPECT_EQ(line->from.x(), f.left());
        EXPECT_GT(line->from.y(), f.top());
        EXPECT_LT(line->from.y(), f.bottom());
    } else {
        EXPECT_EQ(line->from.y(), f.bottom());
        EXPECT_GT(line->from.x(), f.left());
        EXPECT_LT(line->from.x(), f.right());
    }
    EXPECT_TRUE(line->to.x() == f.right() || line->to.y() == f.top());
    for (const QPoint p : {line->from, line->to}) {
        EXPECT_NEAR(p.y(), rowOnLine(f, c.knots, p.x()), 2) << c.knots;
        EXPECT_GE(p.x(), f.left());
        EXPECT_LE(p.x(), f.right());
        EXPECT_GE(p.y(), f.top());
        EXPECT_LE(p.y(), f.bottom());
    }
}
// 500 m at the left edge: 1.5 kt takes 648 s (inside 250 ... 2250), 0.2 kt
// takes 4860 s (above the box); 4 kt reaches 500 m in 243 s, below it;
// 40 kt is past the right edge before the bottom time.
INSTANTIATE_TEST_SUITE_P(Speeds, SpeedFan,
                         ::testing::Values(FanCase{1.5, FanCase::Left}, FanCase{3, FanCase::Left},
                                           FanCase{4, FanCase::Bottom}, FanCase{8, FanCase::Bottom},
                                           FanCase{0.2, FanCase::Missing},
                                           FanCase{12, FanCase::Bottom},
                                           FanCase{40, FanCase::Missing}));

struct PageRace {
    RaceModel model;
    LegAnalysis legs;
};

// Red finishes in 3000 s over 9000 m, blue in 3300 s over 9800 m; both
// sail the upwind legs, only red has downwind totals.
PageRace twoBoats() {
    PageRace r;
    r.model = testing::pageRace();
    r.model.boats.append(fixedBoat("Red", kRed, {}));
    r.model.boats.append(fixedBoat("Blue", kBlue, {}));
    r.legs.boats = {legResult({5, 3000, 9000, 1500, 2.5, 1400, 2}),
                    legResult({6, 3300, 9800, 1700, 2.7, 0, 0})};
    return r;
}

QRect quadrant(Figure f) {
    switch (f) {
        case Figure::WholeRace:
            return {0, 0, kW / 2, kH / 2};
        case Figure::Upwind:
            return {0, kH / 2, kW / 2, kH / 2};
        case Figure::Downwind:
            return {kW / 2, kH / 2, kW / 2, kH / 2};
    }
    return {};
}

bool allWhite(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

bool anyDark(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 80) return true;
    return false;
}

TEST(AnalysisPage, AHiddenBoatDoesNotWidenTheAxes) {
    PageRace r = twoBoats();
    QImage page(kW, kH, QImage::Format_RGB32);
    const AnalysisDots all = drawAnalysisPage(page, r.model, r.legs, PageState{});
    ASSERT_TRUE(all.byBoat[1][0]);
    EXPECT_EQ(page.pixel(*all.byBoat[1][0]), toQColor(kBlue).rgb());
    // Red alone spans 100 m about its 9000 m: blue's 9800 m is off the box.
    PageState blueHidden;
    blueHidden.boatShown = {true, false};
    const AnalysisDots some = drawAnalysisPage(page, r.model, r.legs, blueHidden);
    EXPECT_TRUE(some.byBoat[0][0]);
    EXPECT_FALSE(some.byBoat[1][0]);
}

TEST(AnalysisPage, HiddenBoatInsideTheBoxIsDrawnHollow) {
    PageRace r = twoBoats();
    r.model.boats.append(fixedBoat("Grey", kRed, {}));
    // A third boat between the two: inside every box they span.
    r.legs.boats.push_back(legResult({5, 3100, 9400, 1600, 2.6, 0, 0}));
    PageState greyHidden;
    greyHidden.boatShown = {true, true, false};
    QImage page(kW, kH, QImage::Format_RGB32);
    const AnalysisDots dots = drawAnalysisPage(page, r.model, r.legs, greyHidden);
    ASSERT_TRUE(dots.byBoat[2][0]);
    const QPoint grey = *dots.byBoat[2][0];
    EXPECT_EQ(page.pixel(grey), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(grey.x() + 4, grey.y()), toQColor(kRed).rgb());
    EXPECT_FALSE(anyDark(page, QRect(grey.x() + 6, grey.y() - 4, 30, 8)));
    const QPoint blue = *dots.byBoat[1][0];
    EXPECT_EQ(page.pixel(blue), toQColor(kBlue).rgb());
    EXPECT_TRUE(anyDark(page, QRect(blue.x() + 6, blue.y() - 4, 30, 8)));
}

TEST(AnalysisPage, AFigureNobodyQualifiesForStaysBlank) {
    PageRace r = twoBoats();
    QImage page(kW, kH, QImage::Format_RGB32);
    drawAnalysisPage(page, r.model, r.legs, PageState{});
    EXPECT_FALSE(allWhite(page, quadrant(Figure::WholeRace)));
    EXPECT_FALSE(allWhite(page, quadrant(Figure::Downwind)));
    // Nobody finished downwind legs but red; with red hidden figure 3 is blank.
    PageState redHidden;
    redHidden.boatShown = {false, true};
    drawAnalysisPage(page, r.model, r.legs, redHidden);
    EXPECT_TRUE(allWhite(page, quadrant(Figure::Downwind)));
    EXPECT_FALSE(allWhite(page, quadrant(Figure::Upwind)));
    // The top right quadrant is never used.
    EXPECT_TRUE(allWhite(page, QRect(kW / 2, 0, kW / 2, kH / 2)));
}

TEST(AnalysisPage, CorrectedTimeAddsTheNoteBandAndLowersTheFigures) {
    PageRace r = twoBoats();
    QImage page(kW, kH, QImage::Format_RGB32);
    const AnalysisDots elapsed = drawAnalysisPage(page, r.model, r.legs, PageState{});
    EXPECT_TRUE(allWhite(page, QRect(0, 0, kW, 15)));
    r.model.race.timeMode = TimeMode::Corrected;
    const AnalysisDots corrected = drawAnalysisPage(page, r.model, r.legs, PageState{});
    EXPECT_FALSE(allWhite(page, QRect(0, 0, kW, 15)));
    EXPECT_EQ(page.pixel(kW / 2, 10), qRgb(255, 0, 0));
    const FigureRanges any{1000, 2000, 1000, 2000};
    EXPECT_EQ(figureFrame(Figure::WholeRace, kW, kH, kNoteBandPixels, any).origin.y(),
              figureFrame(Figure::WholeRace, kW, kH, 0, any).origin.y() + kNoteBandPixels);
    // The quadrants halve the whole page; the note moves the upper figure
    // down by its height and the lower row's origin up by half of it.
    for (const auto& [figure, box] : {std::pair{Figure::WholeRace, QRect(64, 60, 512, 320)},
                                      std::pair{Figure::Upwind, QRect(64, 430, 512, 320)},
                                      std::pair{Figure::Downwind, QRect(704, 430, 512, 320)}})
        EXPECT_EQ(figureFrame(figure, kW, kH, kNoteBandPixels, any).box, box);
    EXPECT_GT(corrected.byBoat[0][0]->y(), elapsed.byBoat[0][0]->y());
}

TEST(AnalysisHover, PicksTheNearestDotWithinReachAndCaptionsIt) {
    AnalysisDots dots;
    dots.byBoat = {{QPoint(100, 100), std::nullopt, std::nullopt},
                   {std::nullopt, QPoint(104, 103), QPoint(400, 400)}};
    EXPECT_EQ(analysisBoatAt(dots, {100, 101}), 0);
    EXPECT_EQ(analysisBoatAt(dots, {104, 104}), 1);
    EXPECT_EQ(analysisBoatAt(dots, {398, 402}), 1);
    EXPECT_FALSE(analysisBoatAt(dots, {250, 250}));
    // 9000 m in 3000 s: 3 m/s, 5.83 knots.
    EXPECT_EQ(analysisDotCaption("Red", {9000, 3000}).toStdString(),
              " Red  9000m / 3000sec / 5.83kts");
}

}  // namespace
}  // namespace korvane
