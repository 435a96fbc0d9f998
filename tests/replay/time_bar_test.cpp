// The time bar's scale and picture: where times stand, what a click and a
// right-button drag pick, and the colours of its rows.
#include <gtest/gtest.h>

#include <cmath>

#include "replay/time_bar_picture.h"
#include "replay/time_bar_scale.h"

namespace korvane {
namespace {

const TimeBarScale kScale{-190, 3610, 3800, 700};

struct ScaleCase {
    double y;
    double hoverSeconds;    // the row's own time
    double pickSeconds;     // where a click there takes the replay
    double previewSeconds;  // whose positions a hover there shows
};
class TimeBarScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(TimeBarScaleTest, RowsAndTimes) {
    const ScaleCase c = GetParam();
    EXPECT_DOUBLE_EQ(timeAtBarY(kScale, c.y), c.hoverSeconds);
    EXPECT_DOUBLE_EQ(pickedTimeAt(kScale, c.y), c.pickSeconds);
    EXPECT_DOUBLE_EQ(previewTimeAt(kScale, c.y), c.previewSeconds);
    if (c.y >= 0 && c.y <= kScale.heightPixels) {
        EXPECT_NEAR(timeBarY(kScale, c.hoverSeconds), c.y, 0.5 * 700 / 3800.0 + 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, TimeBarScaleTest,
    ::testing::Values(ScaleCase{0, 3610, 3610, 3610},        // top: the end
                      ScaleCase{700, -190, -190, -190},      // bottom: the beginning
                      ScaleCase{350, 1710, 1710, 1710},      // half way
                      ScaleCase{-1, 3615, 3510, 3610},       // just above: 100 s before the end
                      ScaleCase{-700, 7410, 3510, 3610},     // far above
                      ScaleCase{1400, -3990, -190, -190}));  // far below

TEST(TimeBarScale, ADegenerateTimelineNeverDividesByZero) {
    const TimeBarScale flat{0, 0, 0, 0};
    EXPECT_TRUE(std::isfinite(timeBarY(flat, 10)));
    EXPECT_TRUE(std::isfinite(timeAtBarY(flat, 10)));
    // A timeline shorter than 100 s: a click above still lands inside it.
    const TimeBarScale shortOne{0, 60, 60, 100};
    EXPECT_DOUBLE_EQ(pickedTimeAt(shortOne, -5), 0);
}

struct SpanCase {
    double anchor, other;
    std::optional<RepeatSpan> span;
};
class RepeatSpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(RepeatSpanTest, BetweenTheTwoPicks) {
    const SpanCase c = GetParam();
    const auto got = repeatSpanBetween(c.anchor, c.other);
    ASSERT_EQ(got.has_value(), c.span.has_value());
    if (got) {
        EXPECT_DOUBLE_EQ(got->startSeconds, c.span->startSeconds);
        EXPECT_DOUBLE_EQ(got->endSeconds, c.span->endSeconds);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Drags, RepeatSpanTest,
    ::testing::Values(SpanCase{100, 900, RepeatSpan{100, 900}},  // dragged up the bar
                      SpanCase{900, 100, RepeatSpan{100, 900}},  // dragged down: the same span
                      SpanCase{100, 103, std::nullopt},          // a click: clears
                      SpanCase{100, 95, std::nullopt},           // exactly 5 s: still a click
                      SpanCase{100, 106, RepeatSpan{100, 106}}));

// --- the picture ---

// A timeline of 100 s on a bar 101 rows high: the stripes' scale (100 rows)
// and the mouse's (101) put a time on different rows, so a picture drawn with
// the wrong one shows.
TimeBarInput hundredSeconds() {
    TimeBarInput in;
    in.timelineBeginSeconds = 0;
    in.timelineEndSeconds = 100;
    in.timelineLengthSeconds = 100;
    in.panelHeightPixels = 101 + kTimeBarBottomRoom;
    in.windDirectionDegrees = 200;
    return in;
}

QColor stripeAt(const QImage& panel, int barY) {
    return panel.pixelColor(kTimeBarStripeLeft + 14, kTimeBarStripeTop + barY);
}

const QColor kWhite(255, 255, 255), kDownwind(192, 192, 255), kBackground(225, 225, 255);

TEST(TimeBarPicture, StripesFollowTheReferenceBoatOnAScaleOneRowShort) {
    TimeBarInput in = hundredSeconds();
    std::vector<TrackPoint> track(3);
    track[0] = {10, 0, 0, 5, 25};   // 175 degrees off the wind: running
    track[1] = {60, 0, 0, 5, 245};  // 45 off: beating
    track[2] = {100, 0, 0, 5, 20};  // at the end: not drawn
    in.referenceTrack = &track;
    const QImage img = drawTimeBarPanel(in);
    ASSERT_EQ(img.size(), QSize(kTimeBarPanelWidth, in.panelHeightPixels));
    struct Row {
        int y;
        QColor colour;
    };
    for (const Row r :
         {Row{1, kWhite}, Row{39, kWhite}, Row{40, kDownwind}, Row{89, kDownwind},
          Row{90, kBackground}, Row{98, kBackground}, Row{99, Qt::red}, Row{100, Qt::red}})
        EXPECT_EQ(stripeAt(img, r.y), r.colour) << "row " << r.y;
}

TEST(TimeBarPicture, PictureDiamondsOnlyInElapsedTime) {
    for (const bool corrected : {false, true}) {
        TimeBarInput in = hundredSeconds();
        in.pictureTimesSeconds = {30};
        in.correctedTime = corrected;
        const QImage img = drawTimeBarPanel(in);
        const QColor centre = img.pixelColor(kTimeBarStripeLeft + 10, kTimeBarStripeTop + 70);
        EXPECT_EQ(centre, corrected ? kBackground : kWhite) << corrected;
        const QColor tip = img.pixelColor(kTimeBarStripeLeft + 5, kTimeBarStripeTop + 70);
        EXPECT_EQ(tip, corrected ? kBackground : QColor(Qt::red)) << corrected;
    }
}

struct DaylightCase {
    double startSecondsOfDay;
    int barY;  // on a bar of 144 rows, 100 s each, the gun at the bottom
    int grey;  // the row is RGB(grey, grey, 192)
};
class TimeBarDaylightTest : public ::testing::TestWithParam<DaylightCase> {};

TEST_P(TimeBarDaylightTest, RowsShadeWithTheDay) {
    const DaylightCase c = GetParam();
    TimeBarInput in;
    in.timelineBeginSeconds = 0;
    in.timelineEndSeconds = 14400;
    in.timelineLengthSeconds = 14400;
    in.panelHeightPixels = 144 + kTimeBarBottomRoom;
    in.startSecondsOfDay = c.startSecondsOfDay;
    in.sunriseSeconds = 6 * 3600;
    in.sunsetSeconds = 18 * 3600;
    const QImage img = drawTimeBarPanel(in);
    EXPECT_EQ(img.pixelColor(2, kTimeBarStripeTop + c.barY), QColor(c.grey, c.grey, 192));
}

INSTANTIATE_TEST_SUITE_P(
    SunriseAndSunset, TimeBarDaylightTest,
    ::testing::Values(
        DaylightCase{4 * 3600, 143,
                     0},  // 04:01:40, night
                          // Level 50 at sunrise and sunset: 50 x 2.55 falls just under 127.5.
        DaylightCase{4 * 3600, 72, 127},    // 06:00, sunrise
        DaylightCase{4 * 3600, 54, 191},    // 06:30, three quarters up
        DaylightCase{4 * 3600, 1, 255},     // 07:58:20, day
        DaylightCase{17 * 3600, 143, 255},  // 17:01:40, day
        DaylightCase{17 * 3600, 108, 127},  // 18:00, sunset
        DaylightCase{17 * 3600, 1, 0}));    // 20:58:20, night

TEST(TimeBarPicture, StartBoxAndRepeatSpan) {
    TimeBarInput in = hundredSeconds();
    EXPECT_NE(drawTimeBarPanel(in).pixelColor(7, kTimeBarStripeTop + 50), QColor(0, 255, 0));
    in.repeat = RepeatSpan{20, 80};
    const QImage img = drawTimeBarPanel(in);
    const int h = timeBarStripeHeight(in.panelHeightPixels);
    const int top = kTimeBarStripeTop + 20 * h / 100;     // 80 s
    const int bottom = kTimeBarStripeTop + 80 * h / 100;  // 20 s
    EXPECT_EQ(img.pixelColor(7, (top + bottom) / 2), QColor(0, 255, 0));
    EXPECT_NE(img.pixelColor(7, top - 2), QColor(0, 255, 0));
    EXPECT_NE(img.pixelColor(7, bottom + 2), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(6, in.panelHeightPixels - 8), QColor(Qt::red));  // START
}

}  // namespace
}  // namespace korvane
