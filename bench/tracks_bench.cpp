// Reader throughput on in-memory logs of one boat (3 h at 1 Hz), so the
// figures show parsing alone, without the disk or the thread pool.
#include <benchmark/benchmark.h>

#include "tracks/binary_readers.h"
#include "tracks/course_speed.h"
#include "tracks/gpx_reader.h"
#include "tracks/long_logs.h"  // tests/tracks: logs of one hostile unit repeated
#include "tracks/nmea_reader.h"
#include "tracks/reader_table.h"
#include "tracks/test_window.h"  // tests/tracks: the shared log builders
#include "tracks/tline_reader.h"

namespace {

using namespace korvane;
using namespace korvane::testlogs;

const std::vector<Fix>& threeHours() {
    static const std::vector<Fix> fixes = fixRun(10800, 1, -300);
    return fixes;
}

void run(benchmark::State& state, const std::string& bytes, TrackReader reader,
         std::string_view extension) {
    // A long timeline, so every fix of the three hours is stored.
    ReadWindow wide = windowFor(extension);
    wide.timelineEnd = 20000;
    std::size_t fixes = 0;
    for (auto _ : state) {
        auto track = reader(bytes, wide);
        fixes = track.size();
        benchmark::DoNotOptimize(track.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["fixes"] = static_cast<double>(fixes);
    state.counters["fixes/s"] =
        benchmark::Counter(static_cast<double>(fixes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_Gpx(benchmark::State& s) {
    run(s, gpx(threeHours()), readGpx, "gpx");
}
void BM_Nmea(benchmark::State& s) {
    run(s, nmea(threeHours()), readNmea, "log");
}
void BM_Trb(benchmark::State& s) {
    run(s, records(threeHours()), readTrb, "trb");
}
void BM_Trl(benchmark::State& s) {
    run(s, records(threeHours(), 20), readTrl, "trl");
}
void BM_Gdb(benchmark::State& s) {
    run(s, scanned(threeHours()), readGdb, "gdb");
}
void BM_TLines(benchmark::State& s) {
    run(s, tlines(threeHours()), readTLines, "dtr");
}

void BM_CourseAndSpeed(benchmark::State& state) {
    std::vector<TrackPoint> track(10800);
    for (std::size_t k = 0; k < track.size(); ++k) {
        track[k].timeSeconds = static_cast<double>(k);
        track[k].latMinutes = 2116 + 0.001 * static_cast<double>(k % 97);
        track[k].lonMinutes = 8368 + 0.0013 * static_cast<double>(k % 89);
    }
    for (auto _ : state) {
        deriveCourseAndSpeed(track, 0.8);
        benchmark::DoNotOptimize(track.data());
    }
    state.counters["fixes/s"] = benchmark::Counter(
        static_cast<double>(track.size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

// Each reader on 1, 4 and 8 MB of the unit that would make it read its
// input again per element: bytes/s stays level (8 MB takes about 8 times
// as long as 1 MB) when the reader passes over its input once.
void BM_LongLog(benchmark::State& state, std::size_t which) {
    const LongLog log = longLogs().at(which);
    const std::string bytes = longLog(log, static_cast<std::size_t>(state.range(0)) << 20);
    const ReaderEntry* entry = readerForFile(log.extension);
    const ReadWindow w = windowFor(log.extension);
    for (auto _ : state) {
        auto c = entry->read(bytes, w);
        benchmark::DoNotOptimize(c.fixes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

const bool kLongLogsRegistered = [] {
    const std::vector<LongLog> logs = longLogs();
    for (std::size_t k = 0; k < logs.size(); ++k)
        benchmark::RegisterBenchmark((std::string("BM_LongLog/") + logs[k].name).c_str(),
                                     BM_LongLog, k)
            ->Arg(1)
            ->Arg(4)
            ->Arg(8)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

BENCHMARK(BM_Gpx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nmea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Trb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Trl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CourseAndSpeed)->Unit(benchmark::kMillisecond);

}  // namespace
