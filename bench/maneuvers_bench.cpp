// The maneuvers of every boat beside the whole opening of the same race: the
// 81-boat benchmark race written by `samplegen.py --large DIR`, named by
// KORVANE_LARGE_RACE (the folder; default build/release/large-race) and
// KORVANE_LARGE_RACE_FILE (default large-trb.txt). The maneuvers should add
// at most a twentieth to the opening. They are found when first asked for,
// so BM_Opening (what every opening pays) holds none of their work;
// BM_Maneuvers is what the first request for them (the table, a render,
// `info --json`) pays on top, and BM_OpeningWithManeuvers the two together.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "analysis/maneuvers.h"
#include "session/race_session.h"

namespace korvane {
namespace {

OpenRequest largeRace() {
    const char* dir = std::getenv("KORVANE_LARGE_RACE");
    const char* file = std::getenv("KORVANE_LARGE_RACE_FILE");
    OpenRequest request;
    request.dataRoot = dir ? dir : "build/release/large-race";
    request.raceFile = file ? file : "large-trb.txt";
    return request;
}

std::shared_ptr<const RaceSession> openOrSkip(benchmark::State& state) {
    try {
        return openRace(largeRace());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return nullptr;
    }
}

void BM_Opening(benchmark::State& state) {
    for (auto _ : state) {
        auto session = openOrSkip(state);
        if (!session) return;
        benchmark::DoNotOptimize(session.get());
    }
}
BENCHMARK(BM_Opening)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_OpeningWithManeuvers(benchmark::State& state) {
    for (auto _ : state) {
        auto session = openOrSkip(state);
        if (!session) return;
        benchmark::DoNotOptimize(session->maneuvers().data());
    }
}
BENCHMARK(BM_OpeningWithManeuvers)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_Maneuvers(benchmark::State& state) {
    const auto session = openOrSkip(state);
    if (!session) return;
    std::size_t count = 0;
    for (auto _ : state) {
        const auto found = findRaceManeuvers(session->model, session->legs, session->course,
                                             session->area.plane());
        count = 0;
        for (const auto& boat : found) count += boat.size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["maneuvers"] = static_cast<double>(count);
}
BENCHMARK(BM_Maneuvers)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace korvane
