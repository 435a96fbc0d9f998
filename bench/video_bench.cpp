// Films of the 81-boat benchmark race against their own length, made in the
// same run: a 1280 x 720 film should be made at least twice as fast as it
// plays, a 1920 x 1080 one at least as fast. Drawing (the scene and the
// colour turn, on worker threads) and encoding (the encoder's calls on the
// handing thread) are timed apart and printed as frames a second.
//
//   python3 tools/samplegen/samplegen.py --large build/release/large-race
//   build/release/bench/video_bench [DATA_ROOT] [FILM_SECONDS]
#include <time.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "large_race.h"
#include "video/film_export.h"
#include "video/video_encoder.h"

using namespace korvane;
namespace fs = std::filesystem;

namespace {

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const auto session = bench::openLargeRace(argc, argv, "video_bench");
    if (!session) return 1;
    const double filmSeconds = argc > 2 ? std::atof(argv[2]) : 20;
    const fs::path folder = fs::temp_directory_path() / "korvane-video-bench";
    fs::create_directories(folder);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf(
        "encoder %s, %u cores, load as it comes: the wall-clock ratio is the one that "
        "counts on an idle machine\n",
        videoEncoderName(VideoCodec::H264).c_str(), cores);

    struct Size {
        int width;
        int height;
        double wantedRatio;
    };
    int failures = 0;
    for (const Size size : {Size{1280, 720, 2.0}, Size{1920, 1080, 1.0}}) {
        FilmJob job;
        // Mid-race, every boat sailing: 30 race seconds per second of film.
        job.plan.fromSeconds = 1800;
        job.plan.speed = 30;
        job.plan.toSeconds = job.plan.fromSeconds + filmSeconds * job.plan.speed;
        job.plan.fps = 30;
        job.plan.width = size.width;
        job.plan.height = size.height;
        job.output = folder / ("film-" + std::to_string(size.width) + ".mp4");
        const double cpu0 = processCpuSeconds();
        const FilmTimings t = makeFilm(*session, job, {});
        const double cpu = processCpuSeconds() - cpu0;
        const double film = job.plan.filmSeconds();
        const double ratio = film / t.wallSeconds;
        // The encoder's own threads take whatever processor time the drawing
        // did not.
        const double encodeCpu = cpu - t.drawCpuSeconds;
        std::printf(
            "%dx%d: %d frames, %.1f s of film made in %.1f s: %.2fx its length (wanted %.1fx)\n"
            "  wall clock: drawing %.1f frames/s a thread on %d threads, handing to the encoder "
            "%.1f frames/s\n"
            "  processor time: drawing %.1f frames/s, encoding %.1f frames/s; %.2f processor "
            "seconds a second of film, so %.2fx its length on %u idle cores\n",
            size.width, size.height, t.frames, film, t.wallSeconds, ratio, size.wantedRatio,
            t.frames / t.drawSeconds, t.drawThreads, t.frames / t.encodeSeconds,
            t.frames / t.drawCpuSeconds, t.frames / encodeCpu, cpu / film, film * cores / cpu,
            cores);
        if (ratio < size.wantedRatio) ++failures;
    }
    fs::remove_all(folder);
    return failures == 0 ? 0 : 2;
}
