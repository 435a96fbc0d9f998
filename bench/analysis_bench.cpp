// The leg analysis of a race opening beside the cost of getting the tracks
// into memory: 81 boats logging every second for three hours (10,800 fixes
// each) on a windward-leeward course. The analysis should add at most a
// tenth to the opening; compare BM_Analysis with BM_ImportStandIn.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "analysis/leg_analysis.h"
#include "analysis/track_builder.h"
#include "base/numbers.h"
#include "base/text.h"
#include "race/course_geometry.h"
#include "race/fields.h"
#include "race/race_area.h"

namespace korvane {
namespace {

constexpr int kBoats = 81;
constexpr double kFirstFix = -600;
constexpr int kFixes = 10800;

// Start line at 35°N 139.5°E, windward mark 3' up, leeward mark 0.5' above
// the line; the course is sailed start, MK1, MK2, MK1, finish.
RaceModel emptyRace() {
    RaceModel m;
    m.race.timelineBegin = -610;
    m.race.timelineEnd = 10800;
    m.lines.append({2100, 8370, 2100, 8370.5});
    m.marks.append({2103, 8370.25});
    m.marks.append({2100.5, 8370.25});
    for (const char* entry : {"L1", "MK1", "MK2", "MK1", "L1"}) m.race.course.append(entry);
    return m;
}

std::vector<TrackPoint> boatTrack(int b) {
    const double perSecond = (5.5 + b % 11 * 0.1) / 3600;  // minutes of latitude
    const double startTime = 5 + b % 17;
    std::vector<testing::Waypoint> w{{kFirstFix, 2099.8, 8370.25}, {startTime, 2100, 8370.25}};
    double t = startTime;
    for (double lat : {2103.0, 2100.5, 2103.0, 2100.0}) {
        const double from = w.back().latMinutes;
        t += std::fabs(lat - from) / perSecond;
        w.push_back({t, lat, 8370.25});
    }
    w.push_back({kFirstFix + kFixes, 2099.5, 8370.3});
    auto track = testing::sampleTrack(w, kFirstFix, kFirstFix + kFixes - 1, 1);
    // Tacks: a slow weave across the course, well inside the mark radius.
    for (TrackPoint& p : track) p.lonMinutes += 0.04 * std::sin(p.timeSeconds / 90);
    return track;
}

RaceModel buildRace() {
    RaceModel m = emptyRace();
    for (int b = 1; b <= kBoats; ++b)
        m.boats.append(testing::makeBoat("Boat " + std::to_string(b), boatTrack(b)));
    return m;
}

// Every fix as a log line "time,lat,lon", the text a reader has to parse.
std::string logText(const std::vector<TrackPoint>& track) {
    std::string text;
    for (const TrackPoint& p : track)
        text += formatNumber(p.timeSeconds) + "," + formatNumber(p.latMinutes) + "," +
                formatNumber(p.lonMinutes) + "\r\n";
    return text;
}

void BM_BuildRace(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(buildRace());
}

// A lower bound of a real import: splitting and converting the fixes of
// every boat, without reading files or decoding any log format.
void BM_ImportStandIn(benchmark::State& state) {
    const RaceModel race = buildRace();
    std::vector<std::string> logs;
    for (const Boat& boat : race.boats) logs.push_back(logText(boat.track));
    for (auto _ : state) {
        RaceModel m = emptyRace();
        for (const std::string& log : logs) {
            Boat boat;
            boat.track.reserve(kFixes);
            for (std::string_view line : splitLines(log)) {
                const SplitFields f = splitFields(line, ",");
                if (f.count() < 3) continue;
                const auto t = parseDouble(f[0]);
                const auto lat = parseDouble(f[1]);
                const auto lon = parseDouble(f[2]);
                if (t && lat && lon) boat.track.push_back({*t, *lat, *lon, 0, 0});
            }
            m.boats.append(std::move(boat));
        }
        benchmark::DoNotOptimize(m);
    }
}

// Passings, the cut after the finish, the race area, the sailed distances,
// the course geometry and the totals: the analysis steps of an opening.
void BM_Analysis(benchmark::State& state) {
    const RaceModel race = buildRace();
    int finishers = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RaceModel m = race;
        state.ResumeTiming();
        auto points = resolveCourse(m, "bench.txt");
        LegAnalysis legs = detectPassings(m, points);
        cutTracksAfterFinish(m, legs);
        const RaceArea area = computeRaceArea(m, legs.lastPointTimes());
        computeSailedDistances(m, area.cosLat, legs);
        const CourseGeometry geometry = computeCourseGeometry(m, std::move(points), area.plane());
        computeLegTotals(geometry, legs);
        finishers = 0;
        for (const BoatLegResult& r : legs.boats) finishers += r.finished() ? 1 : 0;
        benchmark::DoNotOptimize(legs);
    }
    state.counters["finishers"] = finishers;
}

BENCHMARK(BM_BuildRace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStandIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analysis)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
