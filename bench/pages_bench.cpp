// The Graph page of the 81-boat benchmark race (3 h of 1 Hz fixes a boat,
// two traces each) at 1920 x 1080, beside the plain way of drawing it: a
// one-pixel QPainter polyline through every fix. The page should take at
// most half the plain drawing's time; the ratio is printed after the run,
// with how many pixels of the two pictures lie more than a pixel apart.
//
//   python3 tools/samplegen/samplegen.py --large build/release/large-race
//   build/release/bench/pages_bench [DATA_ROOT]   (default build/release/large-race)
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "analysis/graph_page.h"
#include "ratio_reporter.h"
#include "session/race_session.h"
#include "view/colours.h"
#include "view/pixel_lines.h"

namespace {

using namespace korvane;
namespace fs = std::filesystem;

constexpr int kW = 1920, kH = 1080;
std::shared_ptr<const RaceSession> gSession;

void BM_GraphPage(benchmark::State& state) {
    QImage page(kW, kH, QImage::Format_RGB32);
    for (auto _ : state) drawGraphPage(page, gSession->model, PageState{});
}

// The same page with every trace as a plain polyline through all fixes.
void drawPlainPage(QImage& page) {
    const RaceModel& m = gSession->model;
    PageState none;
    none.boatShown.assign(static_cast<std::size_t>(m.boatCount()), false);
    drawGraphPage(page, m, none);
    const GraphLayout l = graphLayout(m, kW, kH);
    QPainter p(&page);
    QPolygon course, speed;
    for (int i = m.boatCount() - 1; i >= 0; --i) {
        const Boat& b = m.boats.at(i);
        if (!b.visible) continue;
        course.clear();
        speed.clear();
        for (const TrackPoint& f : b.track) {
            if (!l.inTimeline(f.timeSeconds)) continue;
            const int y = l.timeToY(f.timeSeconds);
            course.append({l.courseToX(f.courseDegrees - m.race.magneticVariation), y});
            speed.append({l.speedToX(f.speedKnots), y});
        }
        p.setPen(QPen(toQColor(b.colour), 1));
        p.drawPolyline(course);
        p.drawPolyline(speed);
    }
}

void BM_PlainPolylines(benchmark::State& state) {
    QImage page(kW, kH, QImage::Format_RGB32);
    for (auto _ : state) drawPlainPage(page);
}

BENCHMARK(BM_GraphPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PlainPolylines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Pixels of one picture with nothing of their colour within one pixel in
// the other.
int strayPixels(const QImage& a, const QImage& b) {
    int strays = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == a.pixel(x, y);
            strays += !near;
        }
    return strays;
}

// Where boats overlap, which one owns a pixel depends on the rasteriser, so
// the pictures are compared boat by boat: each speed trace, reduced and
// drawn by the page, against the plain polyline through its fixes. (The
// course traces differ by design where they wrap round the panel.)
int worstBoatStrays() {
    const RaceModel& m = gSession->model;
    const GraphLayout l = graphLayout(m, kW, kH);
    QImage reduced(kW, kH, QImage::Format_RGB32), plain(kW, kH, QImage::Format_RGB32);
    int worst = 0;
    for (const Boat& b : m.boats) {
        reduced.fill(Qt::white);
        plain.fill(Qt::white);
        for (const QPolygon& piece : boatTraces(l, b, m.race.magneticVariation).speed)
            drawPixelPolyline(reduced, piece, qRgb(0, 0, 0));
        QPolygon speed;
        for (const TrackPoint& f : b.track)
            if (l.inTimeline(f.timeSeconds))
                speed.append({l.speedToX(f.speedKnots), l.timeToY(f.timeSeconds)});
        QPainter p(&plain);
        p.setPen(QPen(Qt::black, 1));
        p.drawPolyline(speed);
        p.end();
        worst = std::max({worst, strayPixels(reduced, plain), strayPixels(plain, reduced)});
    }
    return worst;
}

using bench::RatioReporter;

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path("build/release/large-race");
    if (!fs::is_directory(root / "raceadmin")) {
        std::fprintf(stderr,
                     "pages_bench: no race in %s; write it with\n"
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

    if (const char* png = std::getenv("KORVANE_BENCH_PNG")) {
        QImage page(kW, kH, QImage::Format_RGB32);
        drawGraphPage(page, gSession->model, PageState{});
        page.save(QString::fromLocal8Bit(png));
    }
    std::printf("speed-trace pixels more than one pixel from the plain polyline, worst boat: %d\n",
                worstBoatStrays());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double page = reporter.seconds["BM_GraphPage"];
    const double polyline = reporter.seconds["BM_PlainPolylines"];
    if (page > 0) std::printf("plain polylines / graph page: %.2f (at least 2)\n", polyline / page);
    return 0;
}
