// The pure rules the clock is made of: the speed bar, the countdown and flag,
// daylight, the side averages and the picture cue.
#include <gtest/gtest.h>

#include <vector>

#include "replay/countdown.h"
#include "replay/daylight.h"
#include "replay/picture_cue.h"
#include "replay/side_averages.h"
#include "replay/speed_bar.h"

namespace korvane {
namespace {

struct BarCase {
    int position;
    int speed;
};
class SpeedBarTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(SpeedBarTest, PositionGivesSpeed) {
    EXPECT_EQ(speedForBarPosition(GetParam().position), GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(Edges, SpeedBarTest,
                         ::testing::Values(BarCase{-3, 1}, BarCase{0, 1}, BarCase{3, 1},
                                           BarCase{4, 2}, BarCase{30, 8}, BarCase{39, 10},
                                           BarCase{40, 10}, BarCase{44, 20}, BarCase{79, 100},
                                           BarCase{80, 100}, BarCase{84, 200}, BarCase{136, 1500},
                                           BarCase{500, 1500}));

TEST(SpeedBar, EverySpeedTheBarCanShowMapsBackToItsPosition) {
    std::vector<int> speeds;
    for (int k = 1; k <= 10; ++k) speeds.push_back(k);
    for (int k = 20; k <= 100; k += 10) speeds.push_back(k);
    for (int k = 200; k <= 1500; k += 100) speeds.push_back(k);
    for (int k : speeds) {
        const int p = barPositionForSpeed(k);
        EXPECT_EQ(speedForBarPosition(p), k) << "speed " << k;
        EXPECT_GE(p, kSpeedBarMin);
        EXPECT_LE(p, kSpeedBarMax);
    }
    // Speeds from a race file that the bar cannot show land inside it.
    EXPECT_EQ(barPositionForSpeed(0), kSpeedBarMin);
    EXPECT_EQ(barPositionForSpeed(1e9), kSpeedBarMax);
    EXPECT_EQ(barPositionForSpeed(20), 44);
}

struct FlagCase {
    double timeSeconds;
    StartFlag flag;
};
class StartFlagTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(StartFlagTest, FollowsTheCountdown) {
    int minute = countdownMinute(GetParam().timeSeconds);
    EXPECT_EQ(countdownAt(GetParam().timeSeconds, minute).flag, GetParam().flag);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, StartFlagTest,
    ::testing::Values(FlagCase{-300, StartFlag::Shown}, FlagCase{-241, StartFlag::Shown},
                      FlagCase{-240, StartFlag::Preparatory}, FlagCase{-60, StartFlag::Preparatory},
                      FlagCase{-59, StartFlag::Shown}, FlagCase{0, StartFlag::Shown},
                      FlagCase{0.5, StartFlag::Hidden}));

struct DaylightCase {
    double secondsOfDay;
    int seaLevel;
    bool night;
};
class DaylightTest : public ::testing::TestWithParam<DaylightCase> {};

TEST_P(DaylightTest, LevelRampsRoundSunriseAndSunset) {
    const Daylight d = daylightAt(GetParam().secondsOfDay, 21600, 64800);
    EXPECT_EQ(seaLevelFor(d), GetParam().seaLevel);
    EXPECT_EQ(d.isNight, GetParam().night);
}

INSTANTIATE_TEST_SUITE_P(
    OneDay, DaylightTest,
    ::testing::Values(DaylightCase{0, 0, true}, DaylightCase{18000, 0, true},
                      DaylightCase{19800, 25, true}, DaylightCase{21600, 50, true},
                      DaylightCase{23400, 75, false}, DaylightCase{43200, 100, false},
                      DaylightCase{63600, 75, false}, DaylightCase{66000, 25, true},
                      DaylightCase{70000, 0, true}));

TEST(SideAverages, CountOnlyVisibleMovingBoatsOnTheWater) {
    const std::vector<BoatSpeedSample> boats = {
        {true, true, 6, 40},  {true, true, 8, -89}, {true, true, 9, 90},     {true, true, 0, 170},
        {false, true, 20, 0}, {true, false, 30, 0}, {true, true, 5, -179.5},
    };
    const SideAverages a = sideAverageSpeeds(boats);
    EXPECT_DOUBLE_EQ(a.upwindKnots, 7);
    EXPECT_DOUBLE_EQ(a.downwindKnots, 7);
    const SideAverages none = sideAverageSpeeds({});
    EXPECT_EQ(none.upwindKnots, kNoSideAverageKnots);
    EXPECT_EQ(none.downwindKnots, kNoSideAverageKnots);
}

TEST(PictureCue, FindsThePictureCrossedInTheDirectionOfPlay) {
    const std::vector<double> times = {100, 110, 110, 200};
    EXPECT_EQ(pictureCrossed(times, 0, 100, 110, 1), 1);  // (from, to]
    EXPECT_EQ(pictureCrossed(times, 0, 99, 100, 1), 0);
    EXPECT_EQ(pictureCrossed(times, 0, 111, 110, -1), 2);  // [to, from), last first
    EXPECT_EQ(pictureCrossed(times, 0, 110, 109, -1), std::nullopt);
    EXPECT_EQ(pictureCrossed(times, -5, 190, 195, 1), 3);  // the camera clock offset
    // A repeat wrap moves time back while playing forward: nothing is crossed.
    EXPECT_EQ(pictureCrossed(times, 0, 250, 50, 1), std::nullopt);
}

}  // namespace
}  // namespace korvane
