#include "tracks/binary_readers.h"

#include <gtest/gtest.h>

#include "log_builders.h"
#include "test_window.h"

namespace korvane {
namespace {

using namespace testlogs;

TEST(TrbReader, KeepsOnlyTheLatestFixOfTheHourBeforeTheWindowInSlot1) {
    // Fixes from 50 minutes before the start, every minute, into the race.
    const auto fixes = fixRun(60, 60, -3000);
    const auto track = readTrb(records(fixes), windowFor("trb"));
    // -3000 .. -360 are before the standard window: only the latest, -360,
    // remains, in slot 1; -300 is the first of the window.
    ASSERT_GE(track.size(), 3u);
    EXPECT_EQ(track[0].timeSeconds, -360);
    EXPECT_EQ(track[1].timeSeconds, -300);
    EXPECT_EQ(track.back().timeSeconds, 540);
    EXPECT_EQ(track.size(), 1u + 15u);
    EXPECT_NEAR(track[0].latMinutes, static_cast<float>(fixes[44].latDegrees) * 60.0, 1e-9);
}

TEST(TrbReader, ExtendedWindowReachesBackOneHourExactly) {
    const auto track = readTrb(
        records({{kStartUnix - 3600, 35, 139}, {kStartUnix - 3599, 35, 139}}), windowFor("trb"));
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].timeSeconds, -3599);
}

// A log stepping back into the early hour (a replayed buffer) gives that
// hour's latest fix; the race read so far stays.
TEST(TrbReader, AFixBackInTheEarlyHourKeepsTheTrackSoFar) {
    auto fixes = fixRun(5, 10, 0);
    fixes.push_back({kStartUnix - 1000, 35, 139});
    fixes.push_back({kStartUnix - 2000, 35, 139});
    fixes.push_back({kStartUnix + 100, 35, 139});
    EXPECT_EQ(times(readTrb(records(fixes), windowFor("trb"))),
              (std::vector<double>{-1000, 0, 10, 20, 30, 40, 100}));
}

TEST(TrbReader, ReadsWholeRecordsOnlyAndNeverStopsEarly) {
    auto fixes = fixRun(3, 10, 0);
    fixes.push_back({kStartUnix + 99999, 35, 139});  // far past the window
    fixes.push_back({kStartUnix + 50, 35, 139});
    std::string bytes = records(fixes) + "12345";  // 12 n + 5
    EXPECT_EQ(times(readTrb(bytes, windowFor("trb"))), (std::vector<double>{0, 10, 20, 50}));
}

struct WindowEdge {
    std::int64_t seconds;
    bool stored;
};

class StandardWindowTest : public testing::TestWithParam<WindowEdge> {};

TEST_P(StandardWindowTest, BoundsAreExclusive) {
    const std::vector<Fix> one{{kStartUnix + GetParam().seconds, 35.5, 139.5}};
    // The same fix through a standard-window reader of each kind.
    EXPECT_EQ(readTrl(records(one, 16), windowFor("trl")).size(), GetParam().stored ? 1u : 0u);
    EXPECT_EQ(readGdb(scanned(one), windowFor("gdb")).size(), GetParam().stored ? 1u : 0u);
    EXPECT_EQ(readMps(scanned(one, true), windowFor("mps")).size(), GetParam().stored ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Edges, StandardWindowTest,
                         testing::Values(WindowEdge{-361, false}, WindowEdge{-360, false},
                                         WindowEdge{-359, true}, WindowEdge{5549, true},
                                         WindowEdge{5550, false}, WindowEdge{5551, false}));

TEST(TimeOffset, IsAddedBeforeTheWindowIsApplied) {
    const std::vector<Fix> one{{kStartUnix - 400, 35, 139}};
    EXPECT_TRUE(readTrl(records(one, 16), windowFor("trl")).empty());
    const auto track = readTrl(records(one, 16), windowFor("trl", 100));
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].timeSeconds, -300);
}

TEST(TrlReader, DetectsTheRecordSizeFromTheSecondTime) {
    const auto fixes = fixRun(4, 1, 0);
    EXPECT_EQ(trlRecordSize(records(fixes, 16)), 16);
    EXPECT_EQ(trlRecordSize(records(fixes, 20)), 20);
    EXPECT_EQ(times(readTrl(records(fixes, 16), windowFor("trl"))),
              (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(times(readTrl(records(fixes, 20), windowFor("trl"))),
              (std::vector<double>{0, 1, 2, 3}));
}

TEST(TrlReader, NeverReadsATrailingPartialRecord) {
    // 3 records and 10 bytes: 3.625 rounds to 4, but the fourth is partial.
    std::string bytes = records(fixRun(4, 1, 0), 16).substr(0, 16 * 3 + 10);
    EXPECT_EQ(readTrl(bytes, windowFor("trl")).size(), 3u);
    EXPECT_TRUE(readTrl(bytes.substr(0, 15), windowFor("trl")).empty());
}

TEST(TrlReader, StopsAtTheFirstRecordAfterTheWindow) {
    auto fixes = fixRun(3, 10, 0);
    fixes.push_back({kStartUnix + 5550, 35, 139});  // at the bound: skipped, no stop
    fixes.push_back({kStartUnix + 40, 35, 139});
    fixes.push_back({kStartUnix + 5551, 35, 139});  // past it: stop
    fixes.push_back({kStartUnix + 50, 35, 139});
    EXPECT_EQ(times(readTrl(records(fixes, 20), windowFor("trl"))),
              (std::vector<double>{0, 10, 20, 40}));
}

TEST(GdbReader, ReadsLongAndShortPatternsInSemicircles) {
    const Fix a{kStartUnix + 5, -45.0, 90.0};
    const Fix b{kStartUnix + 6, 35.5, -139.25};
    const std::string bytes = std::string(40, '\xff') + scannedRecord(a) + "\xff\xff\xff" +
                              shortGdbRecord(b) + std::string(40, '\xff');
    const auto track = readGdb(bytes, windowFor("gdb"));
    ASSERT_EQ(track.size(), 2u);
    EXPECT_EQ(track[0].timeSeconds, 5);
    EXPECT_DOUBLE_EQ(track[0].latMinutes, -2700);
    EXPECT_DOUBLE_EQ(track[0].lonMinutes, 5400);
    EXPECT_EQ(track[1].timeSeconds, 6);
    EXPECT_NEAR(track[1].latMinutes, 2130, 1e-5);
    EXPECT_NEAR(track[1].lonMinutes, -8355, 1e-5);
}

TEST(GdbReader, SemicircleMinusTwoToThe30IsMinus90Degrees) {
    std::string rec = scannedRecord({kStartUnix, 0, 0});
    const std::int32_t v = -(1 << 30);
    std::memcpy(rec.data() + 2, &v, 4);
    const auto track =
        readGdb(std::string(40, '\xff') + rec + std::string(40, '\xff'), windowFor("gdb"));
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].latMinutes, -5400);
}

// A record with time 0 is a match that is not stored; the scan still jumps
// over its bytes, so a pattern whose flag lies within them is never seen.
std::string zeroTimeThenRecordAt(int distance) {
    std::string bytes(200, '\xff');
    const std::string zero = scannedRecord({0, 35, 139});
    bytes.replace(40, zero.size(), zero);  // its flag at 50
    // Latitude 0: the second record's first bytes coincide with the zero
    // bytes that end the first one.
    const std::string good = scannedRecord({kStartUnix + 1, 0, 139});
    bytes.replace(static_cast<std::size_t>(40 + distance), good.size(), good);
    return bytes;
}

TEST(GdbReader, ZeroTimeMatchIsSkippedWithItsBytes) {
    EXPECT_TRUE(readGdb(zeroTimeThenRecordAt(20), windowFor("gdb")).empty());
    EXPECT_EQ(readGdb(zeroTimeThenRecordAt(21), windowFor("gdb")).size(), 1u);
}

TEST(GdbReader, TooShortOrEdgeRecordsGiveNothing) {
    const std::string rec = scannedRecord({kStartUnix, 35, 139});
    EXPECT_TRUE(readGdb(rec, windowFor("gdb")).empty());
    EXPECT_TRUE(readGdb(std::string(59, '\0'), windowFor("gdb")).empty());
    // The flag 29 bytes from the start is outside the scanned positions.
    EXPECT_TRUE(
        readGdb(std::string(19, '\xff') + rec + std::string(40, '\xff'), windowFor("gdb")).empty());
    EXPECT_EQ(
        readGdb(std::string(20, '\xff') + rec + std::string(40, '\xff'), windowFor("gdb")).size(),
        1u);
}

TEST(MpsReader, NeedsNineZeroBytesAfterTheTime) {
    const Fix f{kStartUnix + 2, 35, 139};
    for (int k = 0; k < 9; ++k) {
        std::string rec = scannedRecord(f, true);
        rec[24 + static_cast<std::size_t>(k)] = '\x07';  // [i + 14 + k]
        EXPECT_TRUE(
            readMps(std::string(40, '\xff') + rec + std::string(40, '\xff'), windowFor("mps"))
                .empty())
            << k;
    }
    EXPECT_EQ(readMps(scanned({f}, true), windowFor("mps")).size(), 1u);
    // A flag byte 0 matches too.
    std::string rec = scannedRecord(f, true);
    rec[10] = '\0';
    EXPECT_EQ(
        readMps(std::string(40, '\xff') + rec + std::string(40, '\xff'), windowFor("mps")).size(),
        1u);
}

TEST(BinaryReaders, NonFiniteCoordinatesAreNotStored) {
    std::string bytes = records(fixRun(2, 1, 0));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(bytes.data() + 4, &nan, 4);
    EXPECT_EQ(times(readTrb(bytes, windowFor("trb"))), (std::vector<double>{1}));
}

}  // namespace
}  // namespace korvane
