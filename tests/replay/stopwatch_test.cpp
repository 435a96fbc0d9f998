// The stopwatch over race time: its three states and its read-out.
#include "replay/stopwatch.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Stopwatch, CyclesAndHoldsItsLastReading) {
    Stopwatch w;
    EXPECT_STREQ(w.caption(), "TIMER/ON");
    EXPECT_FALSE(w.readoutShown());
    w.press(600);
    EXPECT_EQ(w.state(), Stopwatch::State::Running);
    EXPECT_STREQ(w.caption(), "STOP");
    EXPECT_EQ(w.readout(), "00:00:00");
    w.tick(725);
    EXPECT_EQ(w.readout(), "00:02:05");
    w.press(725);
    EXPECT_STREQ(w.caption(), "TIMER/OFF");
    w.tick(900);  // held: the reading stays
    EXPECT_TRUE(w.readoutShown());
    EXPECT_EQ(w.readout(), "00:02:05");
    w.press(900);
    EXPECT_EQ(w.state(), Stopwatch::State::Off);
    EXPECT_FALSE(w.readoutShown());
    w.press(1000);  // a new start point
    w.tick(1010);
    EXPECT_EQ(w.readout(), "00:00:10");
}

TEST(Stopwatch, FormatsWholeSecondsWrappingAfterADay) {
    struct Case {
        double seconds;
        const char* text;
    };
    for (const Case c :
         {Case{0, "00:00:00"}, Case{125, "00:02:05"}, Case{124.6, "00:02:04"},
          Case{124.99999999, "00:02:05"}, Case{3600 * 13 + 61, "13:01:01"},
          Case{86400 + 5, "00:00:05"}, Case{-5, "-00:00:05"}, Case{-0.2, "00:00:00"}})
        EXPECT_EQ(Stopwatch::format(c.seconds), c.text) << c.seconds;
}

}  // namespace
}  // namespace korvane
