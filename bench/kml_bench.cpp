// The whole-race KML export of the 81-boat benchmark race (3 h of 1 Hz fixes
// a boat) beside the floor of writing the same number of bytes to a file
// with one write. The export should take at most three times the floor;
// the ratio is printed after the run.
//
//   python3 tools/samplegen/samplegen.py --large build/release/large-race
//   build/release/bench/kml_bench [DATA_ROOT]   (default build/release/large-race)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "export/kml_export.h"
#include "large_race.h"
#include "ratio_reporter.h"
#include "session/race_session.h"

namespace {

using namespace korvane;
namespace fs = std::filesystem;

std::shared_ptr<const RaceSession> gSession;
fs::path gOutFolder;
std::size_t gKmlBytes = 0;

KmlOptions benchOptions() {
    KmlOptions o;
    o.iconFolder = fs::absolute(gSession->dataRoot / "ya");
    return o;
}

void BM_ExportWholeRace(benchmark::State& state) {
    const KmlOptions options = benchOptions();
    for (auto _ : state) {
        const KmlExportResult r = exportWholeRace(gSession->model, gOutFolder, options);
        if (!r.ok()) state.SkipWithError(r.error.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * gKmlBytes));
}

// The floor: the same number of bytes, already in memory, in one write.
void BM_WriteSameBytes(benchmark::State& state) {
    const std::string bytes(gKmlBytes, 'x');
    const fs::path path = gOutFolder / "floor.kml";
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            state.SkipWithError("cannot write");
        if (f) std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * gKmlBytes));
}

BENCHMARK(BM_ExportWholeRace)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteSameBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0);

using bench::RatioReporter;

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    gSession = bench::openLargeRace(argc, argv, "kml_bench");
    if (!gSession) return 2;
    gOutFolder = fs::temp_directory_path() / "korvane-kml-bench";
    fs::create_directories(gOutFolder);
    gKmlBytes = wholeRaceKml(gSession->model, benchOptions()).size();
    std::printf("whole-race KML: %zu bytes\n", gKmlBytes);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double exportSeconds = reporter.seconds["BM_ExportWholeRace"];
    const double floorSeconds = reporter.seconds["BM_WriteSameBytes"];
    if (floorSeconds > 0)
        std::printf("export / one write of the same bytes: %.2f (at most 3)\n",
                    exportSeconds / floorSeconds);
    fs::remove_all(gOutFolder);
    return 0;
}
