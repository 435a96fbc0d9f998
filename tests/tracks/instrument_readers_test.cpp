// The racing instruments' logs: Vakaros VKX rows and Velocitek VCC
// Trackpoints, read to the fixes (with their speed and course) and events
// that were written.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "instrument_logs.h"
#include "test_window.h"
#include "tracks/vcc_reader.h"
#include "tracks/vkx_reader.h"

namespace korvane {
namespace {

using namespace testlogs;

void expectFixes(const std::vector<TrackPoint>& got, const std::vector<InstrumentFix>& want,
                 double motionTolerance) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
        EXPECT_EQ(got[k].timeSeconds, static_cast<double>(want[k].unixMs / 1000 - kStartUnix));
        EXPECT_NEAR(got[k].latMinutes, want[k].latDegrees * 60, 1e-6) << k;
        EXPECT_NEAR(got[k].lonMinutes, want[k].lonDegrees * 60, 1e-6) << k;
        EXPECT_NEAR(got[k].speedKnots, want[k].speedKnots, motionTolerance) << k;
        EXPECT_NEAR(got[k].courseDegrees, want[k].courseDegrees, motionTolerance) << k;
    }
}

TEST(VkxReader, LoadsThePositionRowsWrittenWithSpeedAndCourse) {
    const auto fixes = instrumentRun(40, 1000, -100'000);
    const LogContents c = readVkx(vkx::log(fixes), windowFor("vkx"));
    expectFixes(c.fixes, fixes, 1e-4);
    EXPECT_TRUE(c.loggedCourseAndSpeed);
    EXPECT_TRUE(c.warning.empty());
}

TEST(VkxReader, KeepsTheFirstRowOfEachWholeSecond) {
    // 25 Hz: rows at .000, .040 ... .960 of every second.
    const auto rows = instrumentRun(100, 40, 0);
    std::vector<InstrumentFix> firsts;
    for (const InstrumentFix& f : rows)
        if (f.unixMs % 1000 == 0) firsts.push_back(f);
    expectFixes(readVkx(vkx::log(rows), windowFor("vkx")).fixes, firsts, 1e-4);
}

struct SkippedRow {
    unsigned char key;
    int payloadBytes;
};

class VkxRowSizeTest : public testing::TestWithParam<SkippedRow> {};

// Each row is filled with 0x02 bytes, the position key: stepping over it by
// any other size would read a position out of its payload, or lose the
// fixes after it.
TEST_P(VkxRowSizeTest, RowsOtherThanPositionsAreSteppedOverByTheirSize) {
    const auto fixes = instrumentRun(6, 1000, 0);
    std::string bytes = vkx::pageHeader();
    for (const InstrumentFix& f : fixes)
        bytes += vkx::filler(GetParam().key, GetParam().payloadBytes) + vkx::position(f);
    const LogContents c = readVkx(bytes, windowFor("vkx"));
    expectFixes(c.fixes, fixes, 1e-4);
    EXPECT_TRUE(c.warning.empty()) << c.warning;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKnownKey, VkxRowSizeTest,
    testing::Values(SkippedRow{0xFF, 7}, SkippedRow{0xFE, 2}, SkippedRow{0x03, 20},
                    SkippedRow{0x06, 18}, SkippedRow{0x08, 13}, SkippedRow{0x0A, 16},
                    SkippedRow{0x0B, 16}, SkippedRow{0x0C, 12}, SkippedRow{0x0F, 16},
                    SkippedRow{0x10, 12}, SkippedRow{0x01, 32}, SkippedRow{0x07, 12},
                    SkippedRow{0x0E, 16}, SkippedRow{0x20, 13}, SkippedRow{0x21, 52}));

TEST(VkxReader, AnUnknownKeyEndsTheReadWithAWarningKeepingWhatWasRead) {
    const auto fixes = instrumentRun(10, 1000, 0);
    std::string bytes = vkx::log({fixes.begin(), fixes.begin() + 4});
    const std::size_t at = bytes.size();
    bytes += vkx::row(0x42, "") + vkx::log({fixes.begin() + 4, fixes.end()});
    const LogContents c = readVkx(bytes, windowFor("vkx"));
    expectFixes(c.fixes, {fixes.begin(), fixes.begin() + 4}, 1e-4);
    EXPECT_NE(c.warning.find("0x42"), std::string::npos) << c.warning;
    EXPECT_NE(c.warning.find("byte " + std::to_string(at)), std::string::npos) << c.warning;
}

TEST(VkxReader, ATruncatedLastRowIsDropped) {
    const auto fixes = instrumentRun(5, 1000, 0);
    std::string whole = vkx::pageHeader();
    for (const InstrumentFix& f : fixes) whole += vkx::position(f);
    // Cut anywhere inside the last row, its key byte included.
    for (std::size_t cut = 1; cut <= 45; ++cut) {
        const LogContents c = readVkx(whole.substr(0, whole.size() - cut), windowFor("vkx"));
        expectFixes(c.fixes, {fixes.begin(), fixes.end() - 1}, 1e-4);
        EXPECT_TRUE(c.warning.empty()) << cut;
    }
}

TEST(VkxReader, ListsTimerEventsAndLineEndsAroundTheRace) {
    const std::int64_t gunMs = kStartUnix * 1000;
    std::string bytes = vkx::pageHeader();
    bytes += vkx::lineEnd(gunMs - 4000 * 1000, 0, 35.0f, 139.0f);  // before the hour: dropped
    bytes += vkx::lineEnd(gunMs - 600 * 1000 + 500, 0, 35.25f, 139.5f);
    bytes += vkx::lineEnd(gunMs - 590 * 1000, 1, 35.2505f, 139.501f);
    bytes += vkx::timerEvent(gunMs - 300 * 1000, 1, 300);
    bytes += vkx::timerEvent(gunMs - 240 * 1000, 2, 240);
    bytes += vkx::timerEvent(gunMs, 3, 0);
    bytes += vkx::timerEvent(gunMs + 60 * 1000, 9, 0);  // no such event
    bytes += vkx::timerEvent(gunMs + 5000 * 1000, 4, 5000);
    bytes += vkx::lineEnd(gunMs + 100 * 1000, 2, 35.2f, 139.5f);  // no such end
    const LogContents c = readVkx(bytes, windowFor("vkx"));
    using K = InstrumentEvent::Kind;
    const std::vector<std::pair<K, double>> want{{K::PinEnd, -600},     {K::BoatEnd, -590},
                                                 {K::TimerStart, -300}, {K::TimerSync, -240},
                                                 {K::RaceStart, 0},     {K::RaceEnd, 5000}};
    ASSERT_EQ(c.events.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_EQ(c.events[k].kind, want[k].first) << k;
        EXPECT_EQ(c.events[k].timeSeconds, want[k].second) << k;
    }
    EXPECT_NEAR(c.events[0].latMinutes, 35.25 * 60, 1e-3);
    EXPECT_NEAR(c.events[1].lonMinutes, 139.501 * 60, 1e-3);
    EXPECT_EQ(c.events[2].timerSeconds, 300);
}

TEST(VccReader, LoadsTheTrackpointsWrittenAtAnyUtcOffset) {
    const auto fixes = instrumentRun(30, 2000, -200'000);
    for (int offset : {0, 9 * 60, -7 * 60, 5 * 60 + 30}) {
        SCOPED_TRACE(offset);
        const LogContents c = readVcc(vcc::log(fixes, offset), windowFor("vcc"));
        expectFixes(c.fixes, fixes, 0.006);
        EXPECT_TRUE(c.loggedCourseAndSpeed);
    }
}

TEST(VccReader, ReadsTheAttributesInAnyOrder) {
    const InstrumentFix f{kStartUnix * 1000 + 60'000, -33.8568, 151.2153, 6.25, 271.5};
    std::array<std::string, 5> attrs{vcc::attribute("dateTime", vcc::dateTime(f.unixMs, 600, true)),
                                     vcc::attribute("latitude", vcc::number(f.latDegrees, 7)),
                                     vcc::attribute("longitude", vcc::number(f.lonDegrees, 7)),
                                     vcc::attribute("speed", vcc::number(f.speedKnots, 2)),
                                     vcc::attribute("heading", vcc::number(f.courseDegrees, 2))};
    std::sort(attrs.begin(), attrs.end());
    int orders = 0;
    do {
        std::string points;
        for (int k = 0; k < 20; ++k) {
            InstrumentFix g = f;
            g.unixMs += k * 1000;
            points += "<Trackpoint";
            for (const std::string& a : attrs)
                points += a.find("dateTime") != std::string::npos
                              ? vcc::attribute("dateTime", vcc::dateTime(g.unixMs, 600, k % 2))
                              : a;
            points += "/>\n";
        }
        const auto got = readVcc(vcc::document(points), windowFor("vcc")).fixes;
        ASSERT_EQ(got.size(), 20u);
        EXPECT_EQ(got[19].timeSeconds, 79);
        EXPECT_NEAR(got[0].lonMinutes, f.lonDegrees * 60, 1e-9);
        EXPECT_NEAR(got[0].courseDegrees, f.courseDegrees, 1e-9);
        ++orders;
    } while (std::next_permutation(attrs.begin(), attrs.end()));
    EXPECT_EQ(orders, 120);
}

TEST(VccReader, PassesOverPointsItCannotReadAndDerivesMotionWhenMissing) {
    std::string points;
    for (int k = 0; k < 5; ++k)
        points += "<Trackpoint dateTime='" + vcc::dateTime((kStartUnix + k) * 1000, 0) +
                  "' latitude='35.1' longitude='139.1'/>\n";
    points += "<Trackpoint dateTime=\"2024-05-12T02:00:09\" latitude=\"95\" longitude=\"1\"/>\n";
    points +=
        "<Trackpoint dateTime=\"2024-05-12T02:00:10+25:00\" latitude=\"1\" longitude=\"1\"/>\n";
    points += "<Trackpoint dateTime=\"2024-05-12 02:00:11Z\" latitude=\"1\" longitude=\"1\"/>\n";
    points += "<Trackpoint dateTime=\"2024-05-12T02:00:12Z\" latitude=\"1,5\" longitude=\"1\"/>\n";
    const LogContents c = readVcc(vcc::document(points), windowFor("vcc"));
    EXPECT_EQ(times(c.fixes), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(c.loggedCourseAndSpeed);
}

}  // namespace
}  // namespace korvane
