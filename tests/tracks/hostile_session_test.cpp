// The opening of a race given hostile files: each unusable race file has
// its own message naming it; a wind or coastline file that is a pipe, too
// large or binary is skipped with a warning the session carries.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "log_builders.h"
#include "race/race_file_error.h"
#include "session/race_session.h"
#include "temp_race.h"

namespace korvane {
namespace {

using namespace testlogs;
namespace fs = std::filesystem;

const char* const kRace =
    "ST,2024/05/12 11:00:00\r\nFT,2024/05/12 12:30:00\r\nTD,9\r\nBN,a.gpx,Alpha\r\n";

struct BadRace {
    const char* label;
    std::function<fs::path(const fs::path& root)> plant;  // returns the race to open
    const char* message;
    const char* named = "race.txt";  // in the message
};

class UnusableRaceFile : public ::testing::TestWithParam<BadRace> {};

TEST_P(UnusableRaceFile, StopsWithItsOwnMessageNamingTheFile) {
    TempRoot root;
    root.log("a.gpx", gpx(fixRun(20)));
    OpenRequest request;
    request.dataRoot = root.path();
    request.raceFile = GetParam().plant(root.path());
    try {
        openRace(request);
        FAIL() << "opened";
    } catch (const RaceFileError& e) {
        EXPECT_EQ(e.systemMessage(), GetParam().message);
        EXPECT_NE(std::string(e.what()).find(GetParam().named), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnusableRaceFile,
    ::testing::Values(BadRace{"Missing", [](const fs::path&) { return fs::path("race.txt"); },
                              "the race file does not exist"},
                      BadRace{"Folder",
                              [](const fs::path& r) {
                                  fs::create_directory(r / "raceadmin/race.txt");
                                  return fs::path("race.txt");
                              },
                              "the race file is a folder"},
                      BadRace{"Pipe",
                              [](const fs::path& r) {
                                  ::mkfifo((r / "raceadmin/race.txt").c_str(), 0600);
                                  return r / "raceadmin/race.txt";
                              },
                              "the race file is not a regular file"},
                      BadRace{"Huge",
                              [](const fs::path& r) {
                                  std::ofstream(r / "raceadmin/race.txt") << kRace;
                                  fs::resize_file(r / "raceadmin/race.txt", kMaxRaceFileBytes + 1);
                                  return fs::path("race.txt");
                              },
                              "not a race file (larger than 1 MB)"},
                      BadRace{"NoDataFolder",
                              [](const fs::path& r) {
                                  fs::remove_all(r);
                                  return fs::path("race.txt");
                              },
                              "the data folder does not exist", "korvane-tracks-"}),
    [](const auto& info) { return std::string(info.param.label); });

struct SkippedFile {
    const char* label;
    const char* raceLines;
    std::function<void(const fs::path& root)> plant;
    const char* warning;
};

class SkippedSideFile : public ::testing::TestWithParam<SkippedFile> {};

TEST_P(SkippedSideFile, OpensTheRaceAndWarns) {
    const SkippedFile& c = GetParam();
    TempRoot root;
    fs::create_directories(root.path() / "winddat");
    fs::create_directories(root.path() / "coastline");
    root.write("raceadmin/race.txt", std::string(kRace) + c.raceLines);
    root.log("a.gpx", gpx(fixRun(20)));
    c.plant(root.path());
    OpenRequest request;
    request.dataRoot = root.path();
    request.raceFile = "race.txt";
    const auto session = openRace(request);
    EXPECT_EQ(session->model.boatCount(), 1);
    EXPECT_EQ(session->warnings, std::vector<std::string>{c.warning});
}

INSTANTIATE_TEST_SUITE_P(
    Table, SkippedSideFile,
    ::testing::Values(
        SkippedFile{"WindPipe", "WF,w.csv\r\n",
                    [](const fs::path& r) { ::mkfifo((r / "winddat/w.csv").c_str(), 0600); },
                    "wind file w.csv: not a regular file"},
        SkippedFile{"WindHuge", "WF,w.csv\r\n",
                    [](const fs::path& r) {
                        std::ofstream(r / "winddat/w.csv") << "date,tws,twd\r\n";
                        fs::resize_file(r / "winddat/w.csv", std::uintmax_t{512} << 20);
                    },
                    "wind file w.csv: larger than 16 MB"},
        SkippedFile{"WindBinary", "WF,w.csv\r\n",
                    [](const fs::path& r) {
                        std::ofstream(r / "winddat/w.csv") << std::string("PK\x03\x04\0\0", 6);
                    },
                    "wind file w.csv: binary data, not a wind file"},
        SkippedFile{"WindOutside", "WF,..\\raceadmin\\race.txt\r\n", [](const fs::path&) {},
                    "wind file ..\\raceadmin\\race.txt: the name leaves the winddat folder; "
                    "refused"},
        SkippedFile{"CoastPipe", "MAP,shore.cst\r\n",
                    [](const fs::path& r) { ::mkfifo((r / "coastline/SHORE.cst").c_str(), 0600); },
                    "coastline file SHORE.cst: not a regular file"},
        SkippedFile{"CoastOutside", "MAP,../../etc/passwd\r\n", [](const fs::path&) {},
                    "coastline file ../../ETC/PASSWD.cst: the name leaves the coastline folder; "
                    "refused"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace korvane
