// Filtering a whole-country coastline file of 2 million points through the
// corridor of an offshore race (the goal is well under 150 ms per file).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "coast/corridor_mask.h"
#include "coast/whole_country.h"

namespace korvane {
namespace {

constexpr std::size_t kPoints = 2'000'000;
constexpr std::size_t kPointsPerPolyline = 250;

void putRecord(std::string& bytes, float lat, float lon) {
    char record[8];
    std::memcpy(record, &lat, 4);
    std::memcpy(record + 4, &lon, 4);
    bytes.append(record, 8);
}

// Polylines wandering over 24°-46° N, 122°-146° E (the extent of Japan),
// from a fixed linear congruential sequence so every run reads the same.
const std::string& countryFile() {
    static const std::string bytes = [] {
        std::string out;
        out.reserve(kPoints * 8);
        std::uint32_t state = 12345;
        auto next = [&] {
            state = state * 1664525u + 1013904223u;
            return (state >> 8) / 16777216.0;
        };
        double lat = 0, lon = 0;
        for (std::size_t i = 0; i < kPoints; ++i) {
            if (i % kPointsPerPolyline == 0) {
                lat = 1440 + next() * 1320;
                lon = 7320 + next() * 1440;
                putRecord(out, static_cast<float>(-lat), static_cast<float>(lon));
                continue;
            }
            lat += (next() - 0.5) * 0.4;
            lon += (next() - 0.5) * 0.4;
            putRecord(out, static_cast<float>(lat), static_cast<float>(lon));
        }
        return out;
    }();
    return bytes;
}

// Sagami Bay to south of Izu Oshima and back, five boats of 1,500 fixes.
CoastArea offshoreArea() {
    CoastArea a;
    a.known = true;
    a.trackBox = {2116, 2077, 8374, 8358};
    a.centreLat = 2096.5;
    a.centreLon = 8366;
    a.cosLat = std::cos(a.centreLat / 60 * std::numbers::pi / 180);
    a.latSpan = 46.8;
    a.lonSpan = a.latSpan / a.cosLat;
    return a;
}

// Five boats round the island, sampled as the race opening samples them.
std::vector<std::vector<GeoPoint>> offshoreTracks() {
    std::vector<std::vector<GeoPoint>> tracks;
    for (int boat = 0; boat < 5; ++boat) {
        std::vector<GeoPoint> t;
        for (int i = 0; i < 1500; ++i) {
            const double s = i / 1500.0 * 2 * std::numbers::pi;
            t.push_back({2096.5 + 19.5 * std::cos(s), 8366 + 8 * std::sin(s) + boat * 0.2});
        }
        tracks.push_back(corridorPath(t));
    }
    return tracks;
}

void BM_FilterWholeCountry(benchmark::State& state) {
    const std::string& bytes = countryFile();
    const CoastArea area = offshoreArea();
    const auto tracks = offshoreTracks();
    std::size_t kept = 0;
    for (auto _ : state) {
        const CorridorMask mask(area, tracks);
        Coastline coast;
        filterWholeCountry(bytes, mask, area.trackBox, coast);
        kept = coast.pointCount();
        benchmark::DoNotOptimize(coast.polylines.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPoints));
    state.counters["keptPoints"] = static_cast<double>(kept);
}
BENCHMARK(BM_FilterWholeCountry)->Unit(benchmark::kMillisecond);

void BM_CorridorMaskOnly(benchmark::State& state) {
    const CoastArea area = offshoreArea();
    const auto tracks = offshoreTracks();
    for (auto _ : state) {
        const CorridorMask mask(area, tracks);
        benchmark::DoNotOptimize(mask.penWidth());
    }
}
BENCHMARK(BM_CorridorMaskOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
