// The static map of the 81-boat benchmark race at 1920 x 1080 beside the
// plain way of drawing it: every fix of every track as a one-pixel QPainter
// polyline (fixes on the pixel of the one before left out). The static map
// should take at most half the plain time and draw each track the same
// within one pixel (support/one_pixel_match.h); the ratio and the unmatched
// pixels are printed after the run. KORVANE_BENCH_DIFF=DIR saves the worst
// track's two pictures and their difference there.
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

#include "large_race.h"
#include "mismatch_images.h"
#include "ratio_reporter.h"
#include "session/race_session.h"
#include "support/one_pixel_match.h"
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

struct TrackMismatch {
    testing::OnePixelMismatch total;
    testing::OnePixelMismatch worst;
    QString worstName;
    QImage worstFast, worstPlain, worstDiff;
};

// Each track alone, drawn by the static map and as the plain polyline,
// compared within one pixel.
TrackMismatch compareTracks() {
    const RaceModel& m = gSession->model;
    const QRgb sea = toQColor(seaColoursForLevel(100).sea).rgb();
    StaticView where = wholeRace();
    where.width = kWidth;
    where.height = kHeight;
    const ScreenTransform t = staticViewport(gSession->area, where).transform();
    TrackMismatch out;
    QImage fast(kWidth, kHeight, QImage::Format_RGB32);
    QImage plain(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (int b = 0; b < m.boatCount(); ++b) {
        StaticMapInput in = tracksOnly();
        in.visible.assign(static_cast<std::size_t>(m.boatCount()), false);
        in.visible[static_cast<std::size_t>(b)] = true;
        drawStaticMap(fast, in, wholeRace());
        plain.fill(Qt::transparent);
        QPainter p(&plain);
        p.setPen(QPen(Qt::black, 1));
        const Boat& boat = m.boats.at(b);
        p.drawPolyline(trackPolygon(boat.track, fixRangeFor(boat.track, std::nullopt), t));
        p.end();
        QImage diff;
        const testing::OnePixelMismatch mm = testing::compareWithinOnePixel(
            testing::drawnPixels(fast, sea), testing::drawnPixels(plain), &diff);
        out.total.fastOnly += mm.fastOnly;
        out.total.plainOnly += mm.plainOnly;
        if (mm.total() > out.worst.total()) {
            out.worst = mm;
            out.worstName = QString::fromStdString(boat.name);
            out.worstFast = fast.copy();
            out.worstPlain = plain.copy();
            out.worstDiff = diff;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    gSession = bench::openLargeRace(argc, argv, "static_map_bench");
    if (!gSession) return 2;

    const TrackMismatch mismatch = compareTracks();
    bench::saveWorstImages(mismatch, "static-");

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double fastSeconds = reporter.seconds["BM_StaticMap"];
    const double plainSeconds = reporter.seconds["BM_PlainPolylines"];
    if (fastSeconds > 0)
        std::printf("plain polylines / static map: %.2f (at least 2)\n",
                    plainSeconds / fastSeconds);
    std::printf(
        "track pixels unmatched within one pixel, all boats: %ld map-only, %ld plain-only "
        "(0 and 0); worst boat %s: %ld and %ld\n",
        mismatch.total.fastOnly, mismatch.total.plainOnly, qPrintable(mismatch.worstName),
        mismatch.worst.fastOnly, mismatch.worst.plainOnly);
    return 0;
}
