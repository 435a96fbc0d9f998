// The race time of each frame, and the plans that cannot be filmed.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "video/film_plan.h"

namespace korvane {
namespace {

FilmPlan plan(double from, double to, double speed, int fps, int w = 1280, int h = 720) {
    FilmPlan p;
    p.fromSeconds = from;
    p.toSeconds = to;
    p.speed = speed;
    p.fps = fps;
    p.width = w;
    p.height = h;
    return p;
}

TEST(FilmPlan, FramesSampleTheSpanAtSpeedOverFps) {
    struct Case {
        FilmPlan plan;
        int frames;
        int frame;
        double raceSeconds;
    };
    const Case cases[] = {
        // (to - from) / speed seconds of film, fps frames each.
        {plan(-60, 540, 20, 30), 900, 0, -60},
        {plan(-60, 540, 20, 30), 900, 899, 539.3333333},
        {plan(0, 100, 3, 25), 833, 832, 99.84},
        // A span shorter than one frame still makes one.
        {plan(10, 10.5, 60, 30), 1, 0, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.plan.problem(), "");
        EXPECT_EQ(c.plan.frameCount(), c.frames);
        EXPECT_NEAR(c.plan.raceSecondsOf(c.frame), c.raceSeconds, 1e-6);
    }
}

TEST(FilmPlan, RefusesWhatCannotBeFilmed) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const FilmPlan bad[] = {
        plan(100, 100, 10, 30),      plan(100, 50, 10, 30),
        plan(nan, 50, 10, 30),       plan(0, 50, 0, 30),
        plan(0, 50, -2, 30),         plan(0, 50, nan, 30),
        plan(0, 50, 10, 0),          plan(0, 50, 10, 30, 1281, 720),
        plan(0, 50, 10, 30, 32, 32), plan(0, 50, 10, 30, 8192, 720),
        plan(0, 1e9, 1, 30),
    };
    for (const FilmPlan& p : bad) EXPECT_NE(p.problem(), "") << p.fromSeconds << " " << p.width;
}

}  // namespace
}  // namespace korvane
