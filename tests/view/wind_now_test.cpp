#include "view/wind_now.h"

#include <gtest/gtest.h>

#include <ostream>

namespace korvane {
namespace {

std::vector<WindSample> samples(std::initializer_list<WindSample> s) {
    return s;
}

TEST(InterpolateWind, BeforeAndAfterTheSamplesTakeTheEnds) {
    const auto s = samples({{0, 8, 350}, {100, 12, 10}});
    WindNow w;
    interpolateWind(w, s, -50);
    EXPECT_EQ(w.twd, 350);
    EXPECT_EQ(w.tws, 8);
    EXPECT_EQ(w.shift, 0);
    interpolateWind(w, s, 500);
    EXPECT_EQ(w.twd, 10);
    EXPECT_EQ(w.tws, 12);
    EXPECT_EQ(w.shift, 0);
}

struct AcrossCase {
    int from, to;
    double time;
    int twd;
    int shift;
};

std::ostream& operator<<(std::ostream& os, const AcrossCase& c) {
    return os << c.from << "_to_" << c.to << "_at_" << c.time;
}

class InterpolateWindAcross : public ::testing::TestWithParam<AcrossCase> {};

TEST_P(InterpolateWindAcross, TakesTheShortWayRound) {
    const auto& c = GetParam();
    const auto s = samples({{0, 10, c.from}, {100, 20, c.to}});
    WindNow w;
    interpolateWind(w, s, c.time);
    EXPECT_EQ(w.twd, c.twd);
    EXPECT_EQ(w.shift, c.shift);
    EXPECT_NEAR(w.tws, 10 + c.time / 10, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(North, InterpolateWindAcross,
                         ::testing::Values(AcrossCase{350, 10, 50, 360, 1},  // veer through north
                                           AcrossCase{350, 10, 75, 5, 1},
                                           AcrossCase{10, 350, 75, 355, -1},  // back through north
                                           AcrossCase{180, 200, 25, 185, 1},  // plain veer
                                           AcrossCase{200, 180, 50, 190, -1},
                                           AcrossCase{90, 90, 50, 90, 0}));

TEST(InterpolateWind, SearchWrapsFromAStaleIndex) {
    const auto s = samples({{0, 5, 100}, {10, 5, 110}, {20, 5, 120}, {30, 5, 130}});
    WindNow w;
    w.lastIndex = 2;
    interpolateWind(w, s, 5);
    EXPECT_EQ(w.twd, 105);
    EXPECT_EQ(w.lastIndex, 0);
    w.lastIndex = 99;  // out of range after a new race
    interpolateWind(w, s, 25);
    EXPECT_EQ(w.twd, 125);
    EXPECT_EQ(w.lastIndex, 2);
}

TEST(UpdateWind, NoSamplesFallBackToRaceDirectionAndFiveKnots) {
    Race race;
    race.windDirectionInput = 200;
    race.magneticVariation = -7;
    WindNow w;
    updateWind(w, {}, race, 0);
    EXPECT_EQ(w.twd, 200);
    EXPECT_EQ(w.tws, 5.0);
    EXPECT_EQ(w.twdTrue, 193);
    EXPECT_EQ(w.smoothedTwd, 200);  // seeded, then smoothed towards itself
}

TEST(UpdateWind, SmoothingCrossesNorthWithoutSwingingRound) {
    Race race;
    WindNow w;
    w.smoothedTwd = 355;
    w.smoothedTws = 10;
    updateWind(w, samples({{0, 10, 15}}), race, 0);
    // 0.95 * 355 + 0.05 * 375 = 356
    EXPECT_NEAR(w.smoothedTwd, 356, 1e-9);
    w.smoothedTwd = 5;
    updateWind(w, samples({{0, 10, 345}}), race, 0);
    // 0.95 * 5 + 0.05 * -15 = 4
    EXPECT_NEAR(w.smoothedTwd, 4, 1e-9);
    w.smoothedTwd = 0.5;
    updateWind(w, samples({{0, 10, 340}}), race, 0);
    EXPECT_GE(w.smoothedTwd, 0);
    EXPECT_NEAR(w.smoothedTwd, 360 + 0.95 * 0.5 + 0.05 * -20, 1e-9);
}

TEST(UpdateWind, SpeedIsRoundedToOneDecimalAndTrueDirectionFolded) {
    Race race;
    race.magneticVariation = 20;
    WindNow w;
    updateWind(w, samples({{0, 7.26, 350}}), race, 0);
    EXPECT_DOUBLE_EQ(w.tws, 7.3);
    EXPECT_EQ(w.twdTrue, 10);
}

}  // namespace
}  // namespace korvane
