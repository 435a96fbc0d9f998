// The replay clock driven by injected ticks, as the window's timers drive it.
#include "replay/replay_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "replay/speed_bar.h"

namespace korvane {
namespace {

ReplayRace raceAt(double speed, double beginSeconds = -600, double endSeconds = 100000) {
    ReplayRace r;
    r.timelineBeginSeconds = beginSeconds;
    r.timelineEndSeconds = endSeconds;
    r.playSpeed = speed;
    r.playSpeedBeforeStart = speed;
    return r;
}

// Frame ticks of `frameMs` for `totalMs`, with a second tick after each whole
// second; returns the beeps heard.
int play(ReplayClock& clock, int totalMs, int frameMs = 30) {
    int beeps = 0, sinceSecond = 0;
    for (int done = 0; done < totalMs;) {
        const int ms = std::min(frameMs, totalMs - done);
        beeps += clock.onFrameTick(ms).beeps;
        done += ms;
        sinceSecond += ms;
        if (sinceSecond >= 1000) {
            beeps += clock.onSecondTick({}).beeps;
            sinceSecond -= 1000;
        }
    }
    return beeps;
}

struct AdvanceCase {
    int speed;
    bool forward;
};
class ReplayAdvanceTest : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(ReplayAdvanceTest, MovesSpeedRaceSecondsPerRealSecondEitherWay) {
    const auto [speed, forward] = GetParam();
    ReplayClock clock;
    clock.openRace(raceAt(speed, -1e6, 1e6));
    ASSERT_EQ(clock.speed(), speed);
    clock.jumpTo(1000);
    if (!forward) clock.playBackward();
    play(clock, 3000);  // 100 frames of 30 ms
    EXPECT_DOUBLE_EQ(clock.timeSeconds(), 1000 + (forward ? 3 : -3) * speed);
}

INSTANTIATE_TEST_SUITE_P(Speeds, ReplayAdvanceTest,
                         ::testing::Values(AdvanceCase{1, true}, AdvanceCase{1, false},
                                           AdvanceCase{10, true}, AdvanceCase{10, false},
                                           AdvanceCase{1500, true}, AdvanceCase{1500, false}));

TEST(ReplayClock, IrregularFramesAddUpExactly) {
    // Twenty frames in one second at speed 1, then a minute of ragged frames
    // at 10 and at 1500: race time is speed × real time to the last bit.
    ReplayClock clock;
    clock.openRace(raceAt(1, -1e6, 1e7));
    clock.jumpTo(0);
    for (int k = 0; k < 20; ++k) clock.onFrameTick(50);
    EXPECT_EQ(clock.timeSeconds(), 1.0);

    double expected = 1.0;
    for (int speed : {10, 1500}) {
        clock.setSpeedBarPosition(barPositionForSpeed(speed), true);
        const int pattern[] = {7, 31, 16, 45, 29, 3, 33, 17, 41, 28};  // 250 ms
        for (int round = 0; round < 240; ++round)
            for (int ms : pattern) clock.onFrameTick(ms);
        expected += 60 * speed;
        EXPECT_EQ(clock.timeSeconds(), expected) << "speed " << speed;
    }
}

struct RampCase {
    bool userDragged;
    int finalPosition;
};
class ReplayRampTest : public ::testing::TestWithParam<RampCase> {};

TEST_P(ReplayRampTest, SpeedRampsUpOverTheFramesAfterTheGun) {
    ReplayRace race = raceAt(100);
    race.playSpeedBeforeStart = 10;
    race.timelineBeginSeconds = -3;
    ReplayClock clock;
    clock.openRace(race);
    const int before = barPositionForSpeed(10);
    ASSERT_EQ(clock.speedBarPosition(), before);
    if (GetParam().userDragged) clock.setSpeedBarPosition(before, true);

    int gunFrames = 0, lastPosition = before;
    while (clock.timeSeconds() < 0) gunFrames += clock.onFrameTick(30).startGun;
    EXPECT_EQ(gunFrames, 1);
    for (int frame = 0; frame < ReplayClock::kRampTicks + 50; ++frame) {
        clock.onFrameTick(30);
        EXPECT_GE(clock.speedBarPosition(), lastPosition);
        lastPosition = clock.speedBarPosition();
        if (frame == ReplayClock::kRampTicks / 2 && !GetParam().userDragged) {
            EXPECT_GT(lastPosition, before);
            EXPECT_LT(lastPosition, barPositionForSpeed(100));
        }
    }
    EXPECT_EQ(clock.speedBarPosition(), GetParam().finalPosition);
}

INSTANTIATE_TEST_SUITE_P(Drag, ReplayRampTest,
                         ::testing::Values(RampCase{false, 76}, RampCase{true, 39}));

struct StepCase {
    double fromSeconds;
    bool forward;
    double toSeconds;
};
class ReplayStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(ReplayStepTest, StepsWholeSecondsAndWrapsAtBothEnds) {
    ReplayClock clock;
    clock.openRace(raceAt(5, -190, 3600));
    clock.jumpTo(GetParam().fromSeconds);
    const ReplayEvents ev = GetParam().forward ? clock.stepForward() : clock.stepBackward();
    EXPECT_EQ(clock.timeSeconds(), GetParam().toSeconds);
    EXPECT_EQ(clock.transport(), Transport::Stopped);
    EXPECT_TRUE(ev.redraw);
}

INSTANTIATE_TEST_SUITE_P(Ends, ReplayStepTest,
                         ::testing::Values(StepCase{10.4, true, 11}, StepCase{-10.4, true, -10},
                                           StepCase{10.5, false, 10}, StepCase{11.5, false, 10},
                                           StepCase{3599.5, true, 3600}, StepCase{3600, true, -190},
                                           StepCase{-190, false, 3600},
                                           StepCase{-189.6, false, 3600}));

struct RepeatCase {
    bool forward;
    double wrapsToSeconds;
};
class ReplayRepeatTest : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(ReplayRepeatTest, SpanReplaysEndlesslyBeepingAtEachWrap) {
    ReplayClock clock;
    clock.openRace(raceAt(10));
    clock.setRepeatSpan(RepeatSpan{200, 100});  // either order
    clock.jumpTo(150);
    if (!GetParam().forward) clock.playBackward();
    int beeps = 0;
    for (int second = 0; second < 36; ++second) {
        beeps += clock.onFrameTick(1000).beeps;
        EXPECT_GE(clock.timeSeconds(), 100);
        EXPECT_LE(clock.timeSeconds(), 200);
        if (second == 5) {
            EXPECT_EQ(clock.timeSeconds(), GetParam().wrapsToSeconds);
        }
    }
    EXPECT_EQ(beeps, 3);  // after 60 s, then every 110 s of race time
}

INSTANTIATE_TEST_SUITE_P(Ways, ReplayRepeatTest,
                         ::testing::Values(RepeatCase{true, 100}, RepeatCase{false, 200}));

struct CountdownCase {
    double beginSeconds;
    int speed;
    int beeps;
};
class ReplayCountdownTest : public ::testing::TestWithParam<CountdownCase> {};

TEST_P(ReplayCountdownTest, BeepsEachOfTheLastThirtySecondsAndEachMinute) {
    ReplayClock clock;
    clock.openRace(raceAt(GetParam().speed, GetParam().beginSeconds));
    const int seconds = static_cast<int>(-GetParam().beginSeconds) / GetParam().speed + 5;
    EXPECT_EQ(play(clock, seconds * 1000, 1000), GetParam().beeps);
}

INSTANTIATE_TEST_SUITE_P(Starts, ReplayCountdownTest,
                         ::testing::Values(CountdownCase{-40, 1, 30}, CountdownCase{-130, 1, 32},
                                           CountdownCase{-130, 10, 5}));

TEST(ReplayClock, EachFinisherFiresOneGun) {
    ReplayRace race = raceAt(10, -100, 800);
    race.finishTimesSeconds = {300, std::nullopt, 250, 250.4, -20, 5000};
    ReplayClock clock;
    clock.openRace(race);
    clock.jumpTo(200);
    std::vector<int> guns;
    for (int second = 0; second < 20; ++second) {
        for (int b : clock.onFrameTick(1000).finishers) guns.push_back(b);
        clock.onSecondTick({});
    }
    EXPECT_EQ(guns, (std::vector<int>{2, 3, 0}));
    EXPECT_EQ(clock.finisherCount(), 3);

    // Back before the winner, every finish is forgotten and fires again.
    EXPECT_TRUE(clock.pickTime(100).rankingCleared);
    EXPECT_EQ(clock.finisherCount(), 0);
    guns.clear();
    for (int second = 0; second < 25; ++second)
        for (int b : clock.onFrameTick(1000).finishers) guns.push_back(b);
    EXPECT_EQ(guns, (std::vector<int>{2, 3, 0}));
}

struct EndCase {
    bool autoNext;
};
class ReplayEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(ReplayEndTest, EndRestsThenMovesOnOrRestarts) {
    ReplayClock clock;
    clock.setAutoNext(GetParam().autoNext);
    clock.openRace(raceAt(100, -50, 500));
    clock.jumpTo(450);
    EXPECT_TRUE(clock.onFrameTick(1000).endOfReplay);
    const double restingAt = clock.timeSeconds();
    ReplayEvents ev;
    int frames = 0;
    do {
        ev = clock.onFrameTick(30);
        ++frames;
        EXPECT_FALSE(ev.endOfReplay);
        if (!ev.nextRace && !ev.redraw) {
            EXPECT_EQ(clock.timeSeconds(), restingAt);
        }
    } while (!ev.nextRace && !ev.redraw && frames < 200);
    EXPECT_EQ(frames, 100);  // the 3 s rest, counted in 30 ms frames
    EXPECT_EQ(ev.nextRace, GetParam().autoNext);
    if (GetParam().autoNext) {
        EXPECT_TRUE(clock.atEnd());
        EXPECT_FALSE(clock.onFrameTick(30).redraw);  // waits for the window
        clock.restartFromBeginning();                // the window found no race to move on to
    }
    EXPECT_FALSE(clock.atEnd());
    EXPECT_EQ(clock.timeSeconds(), -50);
}

INSTANTIATE_TEST_SUITE_P(AutoNext, ReplayEndTest, ::testing::Values(EndCase{true}, EndCase{false}));

TEST(ReplayClock, PlayingBackwardStopsAtTheBeginning) {
    ReplayClock clock;
    clock.openRace(raceAt(10, -190, 3600));
    clock.jumpTo(-185);
    clock.playBackward();
    clock.onFrameTick(300);
    const ReplayEvents ev = clock.onFrameTick(300);
    EXPECT_TRUE(ev.transportChanged);
    EXPECT_EQ(clock.transport(), Transport::Stopped);
    EXPECT_EQ(clock.timeSeconds(), -190);
}

TEST(ReplayClock, PictureHoldRestsTheReplayAndTransportWaits) {
    ReplayClock clock;
    clock.openRace(raceAt(10));
    clock.jumpTo(0);
    clock.holdForPicture(5000);
    clock.stop();  // ignored while the picture holds
    EXPECT_EQ(clock.transport(), Transport::Forward);
    bool ended = false;
    for (int frame = 0; frame < 5; ++frame) ended |= clock.onFrameTick(1000).holdEnded;
    EXPECT_TRUE(ended);
    EXPECT_EQ(clock.timeSeconds(), 0);
    clock.onFrameTick(1000);
    EXPECT_EQ(clock.timeSeconds(), 10);
}

}  // namespace
}  // namespace korvane
