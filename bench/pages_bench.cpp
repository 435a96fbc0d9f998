// The Graph page of the 81-boat benchmark race (3 h of 1 Hz fixes a boat,
// two traces each) at 1920 x 1080, beside the plain way of drawing it: a
// one-pixel QPainter polyline through every fix. The page should take at
// most half the plain drawing's time and draw each trace the same within one
// pixel (support/one_pixel_match.h); the ratio and the unmatched pixels are
// printed after the run. KORVANE_BENCH_DIFF=DIR saves the worst trace's two
// pictures and their difference there.
//
//   python3 tools/samplegen/samplegen.py --large build/release/large-race
//   build/release/bench/pages_bench [DATA_ROOT]   (default build/release/large-race)
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "analysis/graph_page.h"
#include "large_race.h"
#include "mismatch_images.h"
#include "ratio_reporter.h"
#include "session/race_session.h"
#include "support/one_pixel_match.h"
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

// The plain traces of one boat: every fix in the timeline, the course trace
// split where it wraps round the panel as the page splits it (a wrap is the
// page's own rule, not a reduction), nothing else left out.
std::vector<QPolygon> plainCourse(const GraphLayout& l, const Boat& b, double variation) {
    std::vector<QPolygon> pieces(1);
    const WrapEdges e = l.courseEdges();
    for (const TrackPoint& f : b.track) {
        if (!l.inTimeline(f.timeSeconds)) continue;
        const QPoint p(l.courseToX(f.courseDegrees - variation), l.timeToY(f.timeSeconds));
        if (!pieces.back().isEmpty()) {
            const QPoint from = pieces.back().back();
            if (std::abs(p.x() - from.x()) * 2 > e.right - e.left) {
                const int ym = static_cast<int>(std::nearbyint((from.y() + p.y()) / 2.0));
                const bool rightward = from.x() < p.x();
                pieces.back().append({rightward ? e.left : e.right, ym});
                pieces.emplace_back();
                pieces.back().append({rightward ? e.right : e.left, ym});
            }
        }
        pieces.back().append(p);
    }
    return pieces;
}

QPolygon plainSpeed(const GraphLayout& l, const Boat& b) {
    QPolygon speed;
    for (const TrackPoint& f : b.track)
        if (l.inTimeline(f.timeSeconds))
            speed.append({l.speedToX(f.speedKnots), l.timeToY(f.timeSeconds)});
    return speed;
}

struct TraceMismatch {
    testing::OnePixelMismatch total;
    testing::OnePixelMismatch worst;
    QString worstName;
    QImage worstFast, worstPlain, worstDiff;
};

// Each trace of each boat alone, drawn by the page and as a plain polyline,
// compared within one pixel.
TraceMismatch compareTraces() {
    const RaceModel& m = gSession->model;
    const GraphLayout l = graphLayout(m, kW, kH);
    TraceMismatch out;
    QImage fast(kW, kH, QImage::Format_ARGB32_Premultiplied);
    QImage plain(kW, kH, QImage::Format_ARGB32_Premultiplied);
    for (const Boat& b : m.boats) {
        const BoatTraces traces = boatTraces(l, b, m.race.magneticVariation);
        const std::vector<QPolygon> plainTraces[2] = {plainCourse(l, b, m.race.magneticVariation),
                                                      {plainSpeed(l, b)}};
        const std::vector<QPolygon>* fastTraces[2] = {&traces.course, &traces.speed};
        for (int k = 0; k < 2; ++k) {
            fast.fill(Qt::transparent);
            plain.fill(Qt::transparent);
            for (const QPolygon& piece : *fastTraces[k])
                drawPixelPolyline(fast, piece, qRgb(0, 0, 0));
            QPainter p(&plain);
            p.setPen(QPen(Qt::black, 1));
            for (const QPolygon& piece : plainTraces[k]) p.drawPolyline(piece);
            p.end();
            QImage diff;
            const testing::OnePixelMismatch mm = testing::compareWithinOnePixel(
                testing::drawnPixels(fast), testing::drawnPixels(plain), &diff);
            out.total.fastOnly += mm.fastOnly;
            out.total.plainOnly += mm.plainOnly;
            if (mm.total() > out.worst.total()) {
                out.worst = mm;
                out.worstName = QString::fromStdString(b.name) +
                                (k == 0 ? QStringLiteral(" course") : QStringLiteral(" speed"));
                out.worstFast = fast.copy();
                out.worstPlain = plain.copy();
                out.worstDiff = diff;
            }
        }
    }
    return out;
}

using bench::RatioReporter;

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    gSession = bench::openLargeRace(argc, argv, "pages_bench");
    if (!gSession) return 2;

    if (const char* png = std::getenv("KORVANE_BENCH_PNG")) {
        QImage page(kW, kH, QImage::Format_RGB32);
        drawGraphPage(page, gSession->model, PageState{});
        page.save(QString::fromLocal8Bit(png));
    }
    const TraceMismatch mismatch = compareTraces();
    bench::saveWorstImages(mismatch, "graph-");

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double page = reporter.seconds["BM_GraphPage"];
    const double polyline = reporter.seconds["BM_PlainPolylines"];
    if (page > 0) std::printf("plain polylines / graph page: %.2f (at least 2)\n", polyline / page);
    std::printf(
        "trace pixels unmatched within one pixel, all traces: %ld page-only, %ld plain-only "
        "(0 and 0); worst trace %s: %ld and %ld\n",
        mismatch.total.fastOnly, mismatch.total.plainOnly, qPrintable(mismatch.worstName),
        mismatch.worst.fastOnly, mismatch.worst.plainOnly);
    return 0;
}
