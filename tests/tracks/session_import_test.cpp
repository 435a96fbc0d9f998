// The import step of the race opening: logs loaded with the splash's
// progress text, boats without a usable log removed, course and speed
// derived with the race area's latitude.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "log_builders.h"
#include "race/race_file_error.h"
#include "session/race_session.h"
#include "temp_race.h"

namespace korvane {
namespace {

using namespace testlogs;

TEST(OpenRace, ImportsTheLogsWithProgressAndDerivesSpeed) {
    TempRoot root;
    root.write("raceadmin/race.txt",
               "ST,2024/05/12 11:00:00\r\nFT,2024/05/12 12:30:00\r\nTD,9\r\nBT,5\r\n"
               "BN,a.gpx,Alpha\r\nBN,short.log,Short\r\nBN,C.TRB,Charlie,0,3\r\n");
    root.log("a.gpx", gpx(fixRun(30, 2, 0)));
    root.log("short.log", nmea(fixRun(14, 1, 0)));
    root.log("c.trb", records(fixRun(40, 1, 0)));

    OpenRequest request;
    request.dataRoot = root.path();
    request.raceFile = "race.txt";
    std::vector<std::string> texts;
    const auto session = openRace(request, nullptr, [&](const OpenProgress& p) {
        if (p.text.rfind("LOADING", 0) == 0) texts.push_back(p.text);
    });
    EXPECT_EQ(texts, (std::vector<std::string>{"LOADING  a.gpx  (1/3)", "LOADING  short.log  (2/3)",
                                               "LOADING  C.TRB  (3/3)"}));
    const RaceModel& m = session->model;
    ASSERT_EQ(m.boatCount(), 2);
    EXPECT_EQ(m.boats[1].name, "Charlie");
    EXPECT_EQ(m.boats[1].track.front().timeSeconds, 3);  // offset 3 s
    EXPECT_NEAR(session->area.cosLat, std::cos(35.27 * std::numbers::pi / 180), 1e-3);
    // fixRun moves 1e-5 deg north and 1.3e-5 deg east per fix, 2 s apart.
    const TrackPoint& p = m.boats[0].track[5];
    const double north = 1e-5 * 60 * 1852;
    const double east = 1.3e-5 * 60 * 1852 * session->area.cosLat;
    EXPECT_NEAR(p.speedKnots, std::hypot(north, east) / 2 * 3.6 / 1.852, 0.01);
    EXPECT_NEAR(p.courseDegrees, std::round(std::atan2(east, north) * 180 / std::numbers::pi), 1);
}

TEST(OpenRace, NoUsableLogIsTheSameDeadEndAsNoLog) {
    TempRoot root;
    root.write("raceadmin/race.txt",
               "ST,2024/05/12 11:00:00\r\nFT,2024/05/12 12:30:00\r\nTD,9\r\n"
               "BN,a.gpx,Alpha\r\nBN,b.log,Bravo\r\n");
    root.log("a.gpx", gpx(fixRun(10, 2, 0)));
    root.log("b.log", "not a log at all\r\n");
    OpenRequest request;
    request.dataRoot = root.path();
    request.raceFile = "race.txt";
    try {
        openRace(request);
        FAIL() << "a race without boats opened";
    } catch (const RaceFileError& e) {
        EXPECT_EQ(e.systemMessage(), "GPS file not exists.");
    }
}

}  // namespace
}  // namespace korvane
