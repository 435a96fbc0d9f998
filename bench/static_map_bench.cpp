// The static map of the 81-boat benchmark race at 1920 x 1080 beside the
// plain way of drawing it: every fix of every track as a one-pixel QPainter
// polyline (fixes on the pixel of the one before left out). The static map
// should take at most half the plain time; the ratio, and how far the two
// pictures' tracks lie apart, are printed after the run.
//
//   python3 tools/samplegen/samplegen.py --large build/release/large-race
//   build/release/bench/static_map_bench [DATA_ROOT]   (default build/release/large-race)
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "ratio_reporter.h"
#include "session/race_session.h"
#include "view/colours.h"
#include "view/static_map.h"

namespace {

using namespace korvane;
namespace fs = std::filesystem;

std::shared_ptr<const RaceSession> gSession;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

StaticView wholeRace() {
    const GeoBox& box = gSession->area.box;
    StaticView w;
    w.centreLat = (box.maxLat + box.minLat) / 2;
    w.centreLon = (box.maxLon + box.minLon) / 2;
    return w;
}

StaticMapInput tracksOnly() {
    return {&gSession->model, &gSession->area, nullptr, {}, std::nullopt, 100, false};
}

void drawPlain(QImage& image) {
    image.fill(toQColor(seaColoursForLevel(100).sea));
    const Viewport v = staticViewport(gSession->area, [] {
        StaticView w = wholeRace();
        w.width = kWidth;
        w.height = kHeight;
        return w;
    }());
    const ScreenTransform t = v.transform();
    QPainter p(&image);
    const RaceModel& m = gSession->model;
    for (int b = m.boatCount() - 1; b >= 0; --b) {
        const Boat& boat = m.boats.at(b);
        p.setPen(QPen(toQColor(boat.colour), 1));
        p.drawPolyline(trackPolygon(boat.track, fixRangeFor(boat.track, std::nullopt), t));
    }
}

void BM_StaticMap(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const StaticMapInput in{
        &gSession->model, &gSession->area, &gSession->coast.coastline, {}, std::nullopt, 100};
    for (auto _ : state) drawStaticMap(image, in, wholeRace());
}

void BM_PlainPolylines(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) drawPlain(image);
}

BENCHMARK(BM_StaticMap)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PlainPolylines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

using bench::RatioReporter;

// Track pixels of `a` with no pixel of the same colour within one pixel in `b`.
long strayPixels(const QImage& a, const QImage& b, QRgb sea) {
    long stray = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb c = a.pixel(x, y);
            if (c == sea) continue;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == c;
            stray += !found;
        }
    return stray;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path("build/release/large-race");
    if (!fs::is_directory(root / "raceadmin")) {
        std::fprintf(stderr,
                     "static_map_bench: no race in %s; write it with\n"
                     "  python3 tools/samplegen/samplegen.py --large %s\n",
                     root.c_str(), root.c_str());
        return 2;
    }
    OpenRequest request;
    request.dataRoot = root;
    request.raceFile = "large-trb.txt";
    gSession = openRace(request);
    std::size_t fixes = 0;
    for (const Boat& b : gSession->model.boats) fixes += b.track.size();
    std::printf("%d boats, %zu fixes\n", gSession->model.boatCount(), fixes);

    QImage fast(kWidth, kHeight, QImage::Format_RGB32),
        plain(kWidth, kHeight, QImage::Format_RGB32);
    drawStaticMap(fast, tracksOnly(), wholeRace());
    drawPlain(plain);
    const QRgb sea = toQColor(seaColoursForLevel(100).sea).rgb();
    std::printf("track pixels farther than one pixel from the plain drawing: %ld and %ld back\n",
                strayPixels(fast, plain, sea), strayPixels(plain, fast, sea));

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double fastSeconds = reporter.seconds["BM_StaticMap"];
    const double plainSeconds = reporter.seconds["BM_PlainPolylines"];
    if (fastSeconds > 0)
        std::printf("plain polylines / static map: %.2f (at least 2)\n",
                    plainSeconds / fastSeconds);
    return 0;
}
