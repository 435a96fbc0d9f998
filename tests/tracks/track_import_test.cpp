#include "tracks/track_import.h"

#include <gtest/gtest.h>

#include "instrument_logs.h"
#include "log_builders.h"
#include "temp_race.h"
#include "tracks/course_speed.h"

namespace korvane {
namespace {

using namespace testlogs;

TEST(ReaderTable, PicksTheReaderByTheExtensionThatEndsTheName) {
    ASSERT_NE(readerForFile("a.GPX"), nullptr);
    EXPECT_EQ(readerForFile("a.GPX")->extension, "gpx");
    EXPECT_EQ(readerForFile("dir\\boat.Trb")->extension, "trb");
    EXPECT_EQ(readerForFile("x.trk")->read, readerForFile("x.dtr")->read);
    EXPECT_EQ(readerForFile("a.txt"), nullptr);
    EXPECT_EQ(readerForFile("gp"), nullptr);
    EXPECT_EQ(readerTable().size(), 10u);
    // The old loggers' rule: the last three letters, with or without a dot.
    EXPECT_EQ(readerForFile("boatgpx")->extension, "gpx");
    EXPECT_EQ(readerForFile("Atlas.VKX")->extension, "vkx");
    // Extensions of any length: the converted formats.
    EXPECT_EQ(converterFormatFor("watch.FIT"), "garmin_fit");
    EXPECT_EQ(converterFormatFor("route.geojson"), "geojson");
    EXPECT_EQ(converterFormatFor("route.json"), "");
    EXPECT_EQ(converterFormatFor("boat.gpx"), "");
}

TEST(FixInterval, ThirtyUpToTheThresholdThenTheMeanSpacing) {
    std::vector<TrackPoint> track(100);
    for (std::size_t k = 0; k < track.size(); ++k)
        track[k].timeSeconds = 2.0 * static_cast<double>(k);
    EXPECT_EQ(fixIntervalOf(track, 100), 30);
    track.push_back({});
    track.back().timeSeconds = 200;
    EXPECT_EQ(fixIntervalOf(track, 100), 2);
    // (t[96] - t[5]) / 91 with slots 1-based: 2.5 s spacing rounds to even.
    std::vector<TrackPoint> half(101);
    for (std::size_t k = 0; k < half.size(); ++k)
        half[k].timeSeconds = 2.5 * static_cast<double>(k);
    EXPECT_EQ(fixIntervalOf(half, 100), 2);
    std::vector<TrackPoint> small(51);
    for (std::size_t k = 0; k < small.size(); ++k)
        small[k].timeSeconds = 5.0 * static_cast<double>(k);
    EXPECT_EQ(fixIntervalOf(small, 50), 5);
    EXPECT_EQ(fixIntervalOf(small, 100), 30);
}

TEST(LoadAllTracks, MissingSecondLogMovesTheThirdBoatUpWithAllItsAttributes) {
    TempRoot root;
    RaceModel m = raceModel();
    m.classes.append({"A"});
    m.classes.append({"B"});
    m.boats.append(boat("one.gpx", "One", 1.01));
    m.boats.append(boat("missing.gpx", "Two", 1.02));
    Boat third = boat("three.log", "Three", 0.98);
    third.timeOffsetSeconds = -2;
    third.visible = false;
    third.mayFinish = false;
    third.classIndex = 1;
    third.lengthMetres = 7.5f;
    m.boats.append(third);
    root.log("one.gpx", gpx(fixRun(20)));
    root.log("three.log", nmea(fixRun(20, 1, 2)));

    const TrackImportResult result = loadAllTracks(m, root.path());
    EXPECT_EQ(result.droppedBoats, 1);
    ASSERT_EQ(m.boatCount(), 2);
    const Boat& moved = m.boats[1];
    EXPECT_EQ(moved.name, "Three");
    EXPECT_EQ(moved.logFile, "three.log");
    EXPECT_EQ(moved.tcf, 0.98);
    EXPECT_EQ(moved.timeOffsetSeconds, -2);
    EXPECT_FALSE(moved.visible);
    EXPECT_FALSE(moved.mayFinish);
    EXPECT_EQ(moved.classIndex, 1);
    EXPECT_EQ(moved.lengthMetres, 7.5f);
    EXPECT_EQ(moved.pointCount(), 20);
    EXPECT_EQ(moved.track.front().timeSeconds, 0);  // 2 s late, offset -2
}

TEST(LoadAllTracks, FifteenFixesKeepABoatFourteenDropIt) {
    TempRoot root;
    RaceModel m = raceModel();
    m.boats.append(boat("fourteen.trb", "14"));
    m.boats.append(boat("fifteen.trb", "15"));
    m.boats.append(boat("unknown.xyz", "?"));
    root.log("fourteen.trb", records(fixRun(14)));
    root.log("fifteen.trb", records(fixRun(15)));
    root.log("unknown.xyz", records(fixRun(50)));
    EXPECT_EQ(loadAllTracks(m, root.path()).droppedBoats, 2);
    ASSERT_EQ(m.boatCount(), 1);
    EXPECT_EQ(m.boats[0].name, "15");
}

TEST(LoadAllTracks, CorrectedTimeScalesOnlyLogsOfMoreThan100Fixes) {
    TempRoot root;
    RaceModel m = raceModel();
    m.race.timeMode = TimeMode::Corrected;
    m.boats.append(boat("hundred.trb", "100", 1.5));
    m.boats.append(boat("hundredone.trb", "101", 1.5));
    m.boats.append(boat("nofactor.trb", "0"));
    root.log("hundred.trb", records(fixRun(100, 3, -30)));
    root.log("hundredone.trb", records(fixRun(101, 3, -30)));
    root.log("nofactor.trb", records(fixRun(101, 3, -30)));
    loadAllTracks(m, root.path());
    ASSERT_EQ(m.boatCount(), 3);
    EXPECT_EQ(m.boats[0].track.back().timeSeconds, 267);
    EXPECT_EQ(m.boats[2].track.back().timeSeconds, 270);
    const auto& scaled = m.boats[1].track;
    EXPECT_EQ(scaled[0].timeSeconds, -30);  // before the start: unchanged
    EXPECT_EQ(scaled[10].timeSeconds, 0);
    EXPECT_EQ(scaled[11].timeSeconds, 4);  // 3 × 1.5 = 4.5 rounds to even
    EXPECT_EQ(scaled[12].timeSeconds, 9);
    EXPECT_EQ(scaled.back().timeSeconds, 405);
    // The timeline ends at the latest last fix, but never before 600 s.
    EXPECT_EQ(m.race.timelineEnd, 600);
    EXPECT_EQ(m.race.timelineLength, 910);
}

TEST(LoadAllTracks, InstrumentLogsKeepTheirSpeedCourseAndEventsWithTheBoat) {
    for (const int correctedTime : {0, 1}) {
        SCOPED_TRACE(correctedTime);
        TempRoot root;
        RaceModel m = raceModel();
        m.race.timeMode = correctedTime ? TimeMode::Corrected : TimeMode::Elapsed;
        m.boats.append(boat("missing.gpx", "Gone"));
        m.boats.append(boat("atlas.vkx", "Atlas", 1.5));
        const auto fixes = instrumentRun(120, 1000, -20'000);
        std::string log = vkx::timerEvent(kStartUnix * 1000 + 30'000, 4, 30) + vkx::log(fixes);
        log += vkx::row(0x99, "");
        root.log("atlas.vkx", log);
        const TrackImportResult r = loadAllTracks(m, root.path(), {}, 2);
        ASSERT_EQ(m.boatCount(), 1);  // moved up to slot 1 with its events
        const Boat& b = m.boats[0];
        ASSERT_EQ(b.instrumentEvents.size(), 1u);
        // In corrected time, times are stretched and speeds derived again.
        EXPECT_EQ(b.instrumentEvents[0].timeSeconds, correctedTime ? 45 : 30);
        EXPECT_EQ(b.loggedCourseAndSpeed, correctedTime == 0);
        ASSERT_EQ(r.warnings.size(), 1u);
        EXPECT_EQ(r.warnings[0].rfind("atlas.vkx: unknown row 0x99", 0), 0u) << r.warnings[0];
        deriveCourseAndSpeed(m, 0.8);
        EXPECT_EQ(std::abs(b.track[50].speedKnots - fixes[50].speedKnots) < 1e-4,
                  correctedTime == 0);
    }
}

TEST(LoadAllTracks, CorrectedTimelineEndsAtTheLatestLastFix) {
    TempRoot root;
    RaceModel m = raceModel();
    m.race.timeMode = TimeMode::Corrected;
    m.boats.append(boat("a.gpx", "A", 1.1));
    m.boats.append(boat("b.gpx", "B", 1.0));
    root.log("a.gpx", gpx(fixRun(200, 10, 0)));  // last fix 1990 s, 2189 scaled
    root.log("b.gpx", gpx(fixRun(150, 10, 0)));
    loadAllTracks(m, root.path());
    EXPECT_EQ(m.race.timelineEnd, 2189);
    EXPECT_EQ(m.race.timelineLength, 2189 + 310);
}

TEST(LoadAllTracks, EveryLogReadTellsItsFormatAndFixCountDroppedBoatsIncluded) {
    TempRoot root;
    RaceModel m = raceModel();
    m.boats.append(boat("a.gdb", "A"));
    m.boats.append(boat("short.gpx", "Short"));
    m.boats.append(boat("unknown.xyz", "?"));
    m.boats.append(boat("b.gpx", "B"));
    root.log("a.gdb", scanned(fixRun(20)));
    root.log("short.gpx", gpx(fixRun(3)));
    root.log("unknown.xyz", "anything");
    root.log("b.gpx", gpx(fixRun(99)));
    const TrackImportResult r = loadAllTracks(m, root.path());
    ASSERT_EQ(r.logs.size(), 4u);
    const std::pair<std::string, int> expected[] = {{"gdb", 20}, {"gpx", 3}, {"", 0}, {"gpx", 99}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(r.logs[i].format, expected[i].first) << i;
        EXPECT_EQ(r.logs[i].fixCount, expected[i].second) << i;
    }
    ASSERT_EQ(m.boatCount(), 2);
    EXPECT_EQ(m.boats[1].logFormat, "gpx");
    EXPECT_EQ(m.boats[1].loggedFixCount, 99);
}

TEST(LoadAllTracks, ReportsProgressInBoatOrder) {
    TempRoot root;
    RaceModel m = raceModel();
    for (int b = 1; b <= 5; ++b) {
        m.boats.append(boat("b" + std::to_string(b) + ".trb", "B"));
        root.log("b" + std::to_string(b) + ".trb", records(fixRun(b == 2 ? 3 : 20)));
    }
    std::vector<std::string> seen;
    loadAllTracks(
        m, root.path(),
        [&](int n, int count, const std::string& log) {
            seen.push_back(std::to_string(n) + "/" + std::to_string(count) + " " + log);
        },
        4);
    EXPECT_EQ(seen, (std::vector<std::string>{"1/5 b1.trb", "2/5 b2.trb", "3/5 b3.trb",
                                              "4/5 b4.trb", "5/5 b5.trb"}));
    EXPECT_EQ(m.boatCount(), 4);
}

// One boat's reader failing, serially or on another thread, costs that
// boat with a warning naming it; the race loads.
TEST(LoadAllTracks, AReaderThatThrowsCostsOnlyItsBoat) {
    TempRoot root;
    for (const char* log : {"a.gpx", "b.gpx", "c.gpx"}) root.log(log, gpx(fixRun(30, 2)));
    for (const unsigned threads : {1u, 3u}) {
        SCOPED_TRACE(threads);
        RaceModel m = raceModel();
        m.boats.append(boat("a.gpx", "Alpha"));
        m.boats.append(boat("b.gpx", "Bravo"));
        m.boats.append(boat("c.gpx", "Charlie"));
        const Race race = m.race;
        const auto read = [&](const Boat& b, LogBuffer& buffer, std::stop_token) {
            if (b.name == "Bravo") throw std::runtime_error("record 7 is damaged");
            return readBoatLog(root.path() / "gpsdat", race, b, buffer, {});
        };
        const TrackImportResult r = importTracks(m, read, {}, threads, {});
        ASSERT_EQ(m.boatCount(), 2);
        EXPECT_EQ(m.boats[0].name, "Alpha");
        EXPECT_EQ(m.boats[1].name, "Charlie");
        EXPECT_EQ(r.droppedBoats, 1);
        EXPECT_EQ(r.warnings, std::vector<std::string>{
                                  "boat Bravo (b.gpx): log skipped, its reader failed: record 7 "
                                  "is damaged"});
    }
}

// Every format, short and long logs, missing files, offsets and factors:
// reading on several threads must give the race a serial load gives.
TEST(LoadAllTracks, ParallelLoadEqualsSerialLoad) {
    TempRoot root;
    RaceModel m = raceModel();
    m.race.timeMode = TimeMode::Corrected;
    const char* extensions[] = {"gpx", "log", "trb", "trl", "gdb", "mps", "dtr", "trk"};
    for (int b = 1; b <= 40; ++b) {
        const std::string ext = extensions[b % 8];
        const std::string name = "boat" + std::to_string(b) + "." + ext;
        Boat bt = boat(name, "B" + std::to_string(b), b % 3 == 0 ? 0 : 1 + b / 100.0);
        bt.timeOffsetSeconds = b % 5 - 2;
        m.boats.append(bt);
        if (b % 7 == 0) continue;  // no log at all
        const auto fixes = fixRun(b % 6 == 0 ? 12 : 50 + 7 * b, 1 + b % 3, -500 + b);
        std::string bytes;
        if (ext == "gpx")
            bytes = gpx(fixes);
        else if (ext == "log")
            bytes = nmea(fixes);
        else if (ext == "trb")
            bytes = records(fixes);
        else if (ext == "trl")
            bytes = records(fixes, 20);
        else if (ext == "gdb")
            bytes = scanned(fixes);
        else if (ext == "mps")
            bytes = scanned(fixes, true);
        else
            bytes = tlines(fixes);
        root.log(name, bytes);
    }
    RaceModel serial = m;
    RaceModel parallel = m;
    const auto rs = loadAllTracks(serial, root.path(), {}, 1);
    const auto rp = loadAllTracks(parallel, root.path(), {}, 6);
    EXPECT_GT(rs.droppedBoats, 5);
    EXPECT_EQ(rs.droppedBoats, rp.droppedBoats);
    ASSERT_EQ(rs.logs.size(), rp.logs.size());
    for (std::size_t i = 0; i < rs.logs.size(); ++i) {
        EXPECT_EQ(rs.logs[i].format, rp.logs[i].format);
        EXPECT_EQ(rs.logs[i].fixCount, rp.logs[i].fixCount);
    }
    ASSERT_EQ(serial.boatCount(), parallel.boatCount());
    EXPECT_EQ(serial.race.timelineEnd, parallel.race.timelineEnd);
    for (int b = 0; b < serial.boatCount(); ++b) {
        const Boat& s = serial.boats[b];
        const Boat& p = parallel.boats[b];
        EXPECT_EQ(s.name, p.name);
        EXPECT_EQ(s.fixIntervalSeconds, p.fixIntervalSeconds);
        ASSERT_EQ(s.pointCount(), p.pointCount()) << b;
        EXPECT_GE(s.pointCount(), kMinimumTrackPoints);
        for (int k = 0; k < s.pointCount(); ++k) {
            const TrackPoint& a = s.track[static_cast<std::size_t>(k)];
            const TrackPoint& c = p.track[static_cast<std::size_t>(k)];
            ASSERT_TRUE(a.timeSeconds == c.timeSeconds && a.latMinutes == c.latMinutes &&
                        a.lonMinutes == c.lonMinutes)
                << b << " " << k;
        }
        // Tracks hold at most 48 bytes a fix once loaded.
        EXPECT_LE(s.track.capacity() * sizeof(TrackPoint), s.track.size() * kMaxTrackBytesPerFix);
    }
}

}  // namespace
}  // namespace korvane
