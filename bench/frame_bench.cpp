// Frames of a large race (81 boats with wakes and labels, grid, a
// 100,000-point coastline, landmarks) at 1920 x 1080, beside the floor of
// clearing and copying the same image; then the same frames over a cached
// chart. On a shared machine run the variants interleaved:
//   build/release/bench/frame_bench --benchmark_repetitions=10
//     --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <cstdlib>
#include <cstring>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "view/boat_layer.h"
#include "view/chart_layer.h"
#include "view/coastline_layer.h"
#include "view/scene_renderer.h"
#include "view/synthetic_race.h"  // tests/view: the races the tests draw

namespace {

using namespace korvane;

struct LargeRace {
    RaceModel model = testing::syntheticRace(81, 2, 3600);
    Coastline coast = testing::syntheticCoastline(100000, 20);
    std::vector<Landmark> landmarks = testing::syntheticLandmarks(30);
    RaceArea area = computeRaceArea(model, {});
    SceneSources sources() const { return {&model, &area, &coast, &landmarks, {}, {}}; }
};

const LargeRace& largeRace() {
    static const LargeRace race;
    return race;
}

DisplayState benchDisplay(bool northUp) {
    DisplayState d;
    d.labelLevel = 2;
    d.northUp = northUp;
    d.isNight = true;
    d.overviewOn = true;
    return d;
}

void copyImage(const QImage& from, QImage& to) {
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

void BM_Frame(benchmark::State& state) {
    const LargeRace& race = largeRace();
    const DisplayState display = benchDisplay(state.range(0) != 0);
    SceneInputBuilder input(race.sources());
    SceneRenderer renderer;
    ViewState viewState;
    Viewport view;
    QImage scene(1920, 1080, QImage::Format_RGB32);
    QImage window(1920, 1080, QImage::Format_RGB32);
    double t = 600;
    for (auto _ : state) {
        clearScene(scene, display.seaLevel);
        // The window builds each frame's input anew; so does the benchmark.
        renderer.draw(scene, t, input.build(display, static_cast<std::int64_t>(t)), display,
                      viewState, view);
        copyImage(scene, window);
        t += 1;
        viewState.landmarkPulse = std::fmod(viewState.landmarkPulse + 0.05, 1.0);
    }
}
BENCHMARK(BM_Frame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Every tile the same generated picture, as the cache holds them once
// fetched: what the chart itself costs a frame.
class CachedTiles : public TileSource {
  public:
    CachedTiles() : tile_(kTilePixels, kTilePixels, QImage::Format_RGB32) {
        tile_.fill(QColor(235, 230, 220));
        QPainter p(&tile_);
        p.setPen(QColor(170, 200, 230));
        for (int i = 0; i < kTilePixels; i += 16) p.drawLine(0, i, kTilePixels, i);
    }
    const QImage* tile(const TileKey&) override { return &tile_; }

  private:
    QImage tile_;
};

void BM_FrameChart(benchmark::State& state) {
    const LargeRace& race = largeRace();
    DisplayState display = benchDisplay(state.range(0) != 0);
    display.chart = true;
    SceneInputBuilder input(race.sources());
    SceneRenderer renderer;
    ViewState viewState;
    Viewport view;
    CachedTiles tiles;
    const ChartInput chart{&tiles, nullptr, QStringLiteral("© OpenStreetMap contributors")};
    QImage scene(1920, 1080, QImage::Format_RGB32);
    QImage window(1920, 1080, QImage::Format_RGB32);
    double t = 600;
    for (auto _ : state) {
        // As the window does: over the chart the renderer lays the sea.
        SceneInput in = input.build(display, static_cast<std::int64_t>(t));
        in.chart = &chart;
        renderer.draw(scene, t, in, display, viewState, view);
        copyImage(scene, window);
        t += 1;
        viewState.landmarkPulse = std::fmod(viewState.landmarkPulse + 0.05, 1.0);
    }
    state.counters["tiles"] = static_cast<double>(tilesInView(view, chartZoomFor(view)).size());
}
BENCHMARK(BM_FrameChart)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The chart alone on the views the frames above choose, one a second.
std::vector<Viewport> framedViews(bool northUp, int count) {
    const LargeRace& race = largeRace();
    const DisplayState display = benchDisplay(northUp);
    SceneInputBuilder input(race.sources());
    SceneRenderer renderer;
    ViewState viewState;
    Viewport view;
    QImage scene(1920, 1080, QImage::Format_RGB32);
    std::vector<Viewport> views;
    for (int i = 0; i < count; ++i) {
        renderer.draw(scene, 600 + i, input.build(display, 600 + i), display, viewState, view);
        views.push_back(view);
    }
    return views;
}

void BM_ChartLayer(benchmark::State& state) {
    const std::vector<Viewport> views = framedViews(state.range(0) != 0, 200);
    CachedTiles tiles;
    const ChartInput chart{&tiles, nullptr, {}};
    QImage scene(1920, 1080, QImage::Format_RGB32);
    std::size_t i = 0;
    for (auto _ : state) {
        QPainter p(&scene);
        drawChartLayer(p, views[i++ % views.size()], chart);
    }
}
BENCHMARK(BM_ChartLayer)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_TilesInView(benchmark::State& state) {
    const LargeRace& race = largeRace();
    DisplayState display = benchDisplay(state.range(0) != 0);
    SceneInputBuilder input(race.sources());
    SceneRenderer renderer;
    ViewState viewState;
    Viewport view;
    QImage scene(1920, 1080, QImage::Format_RGB32);
    renderer.draw(scene, 600, input.build(display, 600), display, viewState, view);
    for (auto _ : state) benchmark::DoNotOptimize(tilesInView(view, chartZoomFor(view)));
}
BENCHMARK(BM_TilesInView)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Floor(benchmark::State& state) {
    QImage scene(1920, 1080, QImage::Format_RGB32);
    QImage window(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        clearScene(scene, 100);
        copyImage(scene, window);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);

// The parts of a frame, to see where the time goes. Each draws on an image
// cleared once, with the view fitted by one full frame first.
struct FittedFrame {
    QImage scene{1920, 1080, QImage::Format_RGB32};
    Viewport view;
    ViewState viewState;
    FittedFrame() {
        const LargeRace& race = largeRace();
        SceneInputBuilder input(race.sources());
        const DisplayState display = benchDisplay(true);
        SceneRenderer renderer;
        clearScene(scene, 100);
        renderer.draw(scene, 600, input.build(display, 600), display, viewState, view);
        // KORVANE_BENCH_PNG=file.png keeps the frame for a look.
        if (const char* png = std::getenv("KORVANE_BENCH_PNG"))
            scene.save(QString::fromLocal8Bit(png));
    }
};

void BM_PainterOnly(benchmark::State& state) {
    FittedFrame f;
    for (auto _ : state) {
        QPainter p(&f.scene);
        p.drawPoint(1, 1);
    }
}
BENCHMARK(BM_PainterOnly)->Unit(benchmark::kMillisecond);

void BM_Coastline(benchmark::State& state) {
    FittedFrame f;
    const CoastlineLayer layer(largeRace().coast);
    std::size_t points = 0;
    for (auto _ : state) {
        QPainter p(&f.scene);
        p.setPen(QPen(Qt::white, 1));
        points = layer.draw(p, f.view);
    }
    state.counters["points"] = static_cast<double>(points);
    state.counters["chunks"] = static_cast<double>(layer.chunkCount());
    state.counters["lat"] = f.view.centreLat;
    state.counters["scale"] = f.view.latScale;
}
BENCHMARK(BM_Coastline)->Unit(benchmark::kMillisecond);

void BM_Boats(benchmark::State& state) {
    FittedFrame f;
    const LargeRace& race = largeRace();
    DisplayState display = benchDisplay(true);
    display.labelLevel = static_cast<int>(state.range(0));
    std::vector<bool> visible(82, true);
    BoatLayerInput in;
    in.model = &race.model;
    in.boats = &f.viewState.boats;
    in.visible = &visible;
    in.wind = &f.viewState.wind;
    in.display = &display;
    in.hull = hullShapeFor(9.5);
    in.timeSeconds = 600;
    in.symbolLength = 6;
    TextStamps labels(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    in.labels = &labels;
    for (auto _ : state) {
        QPainter p(&f.scene);
        drawBoatLayer(p, f.view, in);
    }
}
BENCHMARK(BM_Boats)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter(bench::RatioReporter::Key::FullName);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // Both orientations together, as the chart is drawn in either.
    const double plain = reporter.seconds["BM_Frame/1"] + reporter.seconds["BM_Frame/0"];
    const double chart = reporter.seconds["BM_FrameChart/1"] + reporter.seconds["BM_FrameChart/0"];
    if (plain > 0 && chart > 0)
        std::printf("frame with the chart / without: %.2f (at most 1.5)\n", chart / plain);
    return 0;
}
