// Logs as a race folder from anywhere may hold them: running backwards,
// replayed, a pipe, a folder, a sparse giant, a name leaving gpsdat/. The
// boat is put right or skipped with a warning; the race always opens.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

#include "log_builders.h"
#include "temp_race.h"
#include "tracks/time_order.h"
#include "tracks/track_import.h"

namespace korvane {
namespace {

using namespace testlogs;
namespace fs = std::filesystem;

struct OrderCase {
    std::vector<double> timesIn;
    std::vector<double> timesOut;
    int outOfOrder;
    int repeated;
};

class TimeOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(TimeOrder, SortsAndKeepsTheFirstFixOfEachTime) {
    const OrderCase& c = GetParam();
    std::vector<TrackPoint> fixes;
    for (std::size_t k = 0; k < c.timesIn.size(); ++k) {
        TrackPoint p;
        p.timeSeconds = c.timesIn[k];
        p.latMinutes = static_cast<double>(k);  // file position
        fixes.push_back(p);
    }
    const TimeOrderRepair repair = putInTimeOrder(fixes);
    EXPECT_EQ(times(fixes), c.timesOut);
    EXPECT_EQ(repair.outOfOrder, c.outOfOrder);
    EXPECT_EQ(repair.repeated, c.repeated);
    // Of fixes sharing a time the one read first stays.
    for (const TrackPoint& p : fixes) {
        const auto first = std::find(c.timesIn.begin(), c.timesIn.end(), p.timeSeconds);
        EXPECT_EQ(p.latMinutes, static_cast<double>(first - c.timesIn.begin()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeOrder,
    ::testing::Values(OrderCase{{1, 2, 3}, {1, 2, 3}, 0, 0},
                      OrderCase{{5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}, 4, 0},
                      // A logger replaying its buffer from 2 s on.
                      OrderCase{{1, 2, 3, 4, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, 2, 3},
                      OrderCase{{1, 1, 2, 2, 2}, {1, 2}, 0, 3}, OrderCase{{}, {}, 0, 0}));

TEST(LoadAllTracks, ANewestFirstLogGivesTheRaceForwardAndSaysSo) {
    TempRoot root;
    RaceModel m = raceModel();
    m.boats.append(boat("a.gpx", "Alpha"));
    auto fixes = fixRun(40, 2, 0);
    std::reverse(fixes.begin(), fixes.end());
    root.log("a.gpx", gpx(fixes));
    const TrackImportResult result = loadAllTracks(m, root.path(), {}, 1);
    ASSERT_EQ(m.boatCount(), 1);
    EXPECT_EQ(m.boats[0].track.front().timeSeconds, 0);
    EXPECT_EQ(m.boats[0].track.back().timeSeconds, 78);
    EXPECT_EQ(m.boats[0].fixIntervalSeconds, 30);
    EXPECT_EQ(result.warnings,
              std::vector<std::string>{"boat Alpha (a.gpx): 39 fixes out of time order, sorted"});
}

struct HostileLog {
    const char* label;
    const char* logName;
    std::function<void(const fs::path& root)> plant;
    const char* warning;
};

class UnreadableLog : public ::testing::TestWithParam<HostileLog> {};

TEST_P(UnreadableLog, SkipsThatBoatWithAWarningNeverTheRace) {
    const HostileLog& c = GetParam();
    TempRoot root;
    c.plant(root.path());
    root.log("b.gpx", gpx(fixRun(20)));
    RaceModel m = raceModel();
    m.boats.append(boat(c.logName, "Alpha"));
    m.boats.append(boat("b.gpx", "Bravo"));
    const TrackImportResult result = loadAllTracks(m, root.path(), {}, 2);
    ASSERT_EQ(m.boatCount(), 1);
    EXPECT_EQ(m.boats[0].name, "Bravo");
    EXPECT_EQ(result.warnings, std::vector<std::string>{"boat Alpha (" + std::string(c.logName) +
                                                        "): " + c.warning});
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnreadableLog,
    ::testing::Values(
        HostileLog{"Pipe", "a.gpx",
                   [](const fs::path& r) { ::mkfifo((r / "gpsdat/a.gpx").c_str(), 0600); },
                   "log skipped, not a regular file"},
        HostileLog{"Folder", "a.log",
                   [](const fs::path& r) { fs::create_directory(r / "gpsdat/a.log"); },
                   "log skipped, not a regular file"},
        HostileLog{"SparseGiant", "a.log",
                   [](const fs::path& r) {
                       std::ofstream(r / "gpsdat/a.log").put('$');
                       fs::resize_file(r / "gpsdat/a.log", std::uintmax_t{64} << 30);
                   },
                   "log skipped, larger than 1024 MB"},
        HostileLog{
            "NameLeavingGpsdat", "..\\raceadmin\\a.gpx",
            [](const fs::path& r) { std::ofstream(r / "raceadmin/a.gpx") << gpx(fixRun(20)); },
            "the log name leaves the gpsdat folder; refused"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace korvane
