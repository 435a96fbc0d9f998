// The GSHHG shoreline of a 20 NM race area off Valencia through the real GMT:
// the first look-up (GMT runs) against one from the cache, in the same run.
// Goals: at most 2 s the first time, at most 50 ms from the cache.
#include <benchmark/benchmark.h>

#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "../ratio_reporter.h"
#include "coast/gshhg_shoreline.h"

namespace korvane {
namespace {

// 39°15'–39°35' N, 0°25'–0°05' W: 20' of latitude is 20 NM.
const LatLonBox kArea{39 * 60 + 35, 39 * 60 + 15, -5, -25};

bool haveGmt() {
    return !QStandardPaths::findExecutable(QStringLiteral("gmt")).isEmpty();
}

void BM_ShorelineFirstLookUp(benchmark::State& state) {
    if (!haveGmt()) return state.SkipWithError("gmt is not installed");
    std::size_t points = 0;
    for (auto _ : state) {
        QTemporaryDir cache;
        ShorelineOptions o;
        o.cacheDir = cache.path().toStdString();
        points = lookUpShoreline(kArea, o).coastline.pointCount();
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ShorelineFirstLookUp)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ShorelineFromCache(benchmark::State& state) {
    if (!haveGmt()) return state.SkipWithError("gmt is not installed");
    QTemporaryDir cache;
    ShorelineOptions o;
    o.cacheDir = cache.path().toStdString();
    lookUpShoreline(kArea, o);
    for (auto _ : state) {
        const ShorelineLookup got = lookUpShoreline(kArea, o);
        if (!got.fromCache) return state.SkipWithError("the cache was not used");
        benchmark::DoNotOptimize(got.coastline.polylines.data());
    }
}
BENCHMARK(BM_ShorelineFromCache)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    korvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto first = reporter.seconds.find("BM_ShorelineFirstLookUp");
    const auto cached = reporter.seconds.find("BM_ShorelineFromCache");
    if (first != reporter.seconds.end() && cached != reporter.seconds.end() && first->second > 0)
        std::printf(
            "first look-up %.0f ms (goal <= 2000), from the cache %.2f ms (goal <= 50), "
            "cache / first = %.4f\n",
            first->second * 1e3, cached->second * 1e3, cached->second / first->second);
    benchmark::Shutdown();
    return 0;
}
