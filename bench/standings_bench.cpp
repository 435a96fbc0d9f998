// The standings of the 81-boat benchmark race at one instant, beside what
// every frame already pays: placing each boat on its track at that instant.
// The standings should take at most 0.5 ms; the ratio says what they add to
// a frame that shows them.
//
// Usage: standings_bench [DATA_ROOT]   (the race of `samplegen.py --large`)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "large_race.h"
#include "ratio_reporter.h"
#include "session/standings_sources.h"
#include "view/boat_now.h"

namespace korvane {
namespace {

std::shared_ptr<const RaceSession> gSession;

// Half way through the race: most boats racing, on different legs.
double midRaceSeconds() {
    return gSession->legs.lastFinishTimeSeconds > 0 ? gSession->legs.lastFinishTimeSeconds / 2
                                                    : gSession->model.race.timelineEnd / 2;
}

void BM_StandingsAtOneInstant(benchmark::State& state) {
    const StandingsSources sources = standingsSources(*gSession);
    const double t = midRaceSeconds();
    for (auto _ : state) {
        const Standings s = standingsAt(sources, t, gSession->model.race.timeMode);
        benchmark::DoNotOptimize(s.boats.data());
    }
}
BENCHMARK(BM_StandingsAtOneInstant)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// Every frame's boat placing, each boat found afresh (a jump), as the
// standings find them.
void BM_PlaceEveryBoat(benchmark::State& state) {
    const double t = midRaceSeconds();
    for (auto _ : state) {
        int placed = 0;
        for (const Boat& b : gSession->model.boats) {
            BoatNow now;
            placed += placeBoat(now, b.track, t, gSession->model.race.windDirection);
        }
        benchmark::DoNotOptimize(placed);
    }
}
BENCHMARK(BM_PlaceEveryBoat)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
    using namespace korvane;
    benchmark::Initialize(&argc, argv);
    gSession = bench::openLargeRace(argc, argv, "standings_bench");
    if (!gSession) return 2;
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double standings = reporter.seconds["BM_StandingsAtOneInstant"];
    const double placing = reporter.seconds["BM_PlaceEveryBoat"];
    std::printf("standings at one instant: %.3f ms (at most 0.5)\n", standings * 1e3);
    if (placing > 0) std::printf("standings / placing every boat: %.1f\n", standings / placing);
    return 0;
}
