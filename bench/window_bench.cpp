// The window against the core it wraps, in one run (under Xvfb):
//  - opening: the race opened by the core alone, as `korvane-cli info`
//    opens it, against the window opening it to its first drawn frame;
//  - replay: the window playing at the top speed at 1920 x 1080 for a few
//    seconds of real time, with the frames it showed per second and the CPU
//    the process used, beside the renderer's own time per frame at that size
//    (what `korvane-cli render --frames` measures);
//  - the same replay with the standings panel on show: the CPU it adds.
//
// Usage: window_bench DATA_ROOT RACE_FILE [REPLAY_SECONDS]
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "app/replay_controller.h"
#include "replay/speed_bar.h"
#include "session/race_session.h"

using namespace korvane;

namespace {

constexpr int kRuns = 3;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto sec = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
    };
    return sec(u.ru_utime) + sec(u.ru_stime);
}

// Runs the event loop until `done` holds, checking after every batch of
// events. The loop sleeps between events as the program's own does: a loop
// that spins would take the processor from the loader's thread.
template <class Done>
void waitUntil(Done done) {
    QTimer wake;  // a check at least every millisecond, whatever happens
    wake.start(1);
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

double coreOpeningMs(const std::filesystem::path& root, const std::string& raceFile) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        OpenRequest request;
        request.dataRoot = root;
        request.raceFile = raceFile;
        QElapsedTimer t;
        t.start();
        const auto session = openRace(request);
        best = std::min(best, static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (!session) std::fprintf(stderr, "the race does not open\n");
    }
    return best;
}

double windowOpeningMs(const std::filesystem::path& root, const std::string& raceFile) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        MainWindow window(StartChoice{root, raceFile, false}, {raceFile});
        window.resize(kWidth, kHeight);
        window.show();
        window.openRace(raceFile);
        waitUntil([&] { return window.session() && window.map()->framesPainted() > 0; });
        best = std::min(best, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

struct ReplayFigures {
    double framesPerSecond = 0;
    double cpuPercent = 0;
    double rendererMsPerFrame = 0;
};

ReplayFigures replayAtTopSpeed(const std::filesystem::path& root, const std::string& raceFile,
                               int seconds, bool standings = false) {
    MainWindow window(StartChoice{root, raceFile, false}, {raceFile});
    window.resize(kWidth, kHeight);
    window.show();
    window.openRace(raceFile);
    waitUntil([&] { return window.session() && window.map()->framesPainted() > 0; });
    window.controls()->setStandingsShown(standings);
    window.controller().setSpeedBarPosition(kSpeedBarMax, true);
    window.controller().playForward();

    const int framesBefore = window.map()->framesPainted();
    const int drawnBefore = window.map()->framesDrawn();
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const double drawMsBefore = window.map()->drawMsTotal();
    waitUntil([&] { return wall.elapsed() >= seconds * 1000; });
    const double wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const int frames = window.map()->framesPainted() - framesBefore;
    const int drawn = window.map()->framesDrawn() - drawnBefore;

    ReplayFigures f;
    f.framesPerSecond = frames / wallSeconds;
    f.cpuPercent = 100.0 * (cpuSeconds() - cpuBefore) / wallSeconds;
    f.rendererMsPerFrame = drawn > 0 ? (window.map()->drawMsTotal() - drawMsBefore) / drawn : 0;
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_bench DATA_ROOT RACE_FILE [REPLAY_SECONDS]\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const std::string raceFile = argv[2];
    const int seconds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;

    const double core = coreOpeningMs(root, raceFile);
    const double window = windowOpeningMs(root, raceFile);
    std::printf(
        "opening: core %.0f ms, window to first frame %.0f ms, ratio %.2f (target <= 1.3)\n", core,
        window, window / core);

    const ReplayFigures r = replayAtTopSpeed(root, raceFile, seconds);
    std::printf(
        "replay at 1500x, %dx%d, %d s: %.1f frames/s shown (tick allows %.1f), "
        "CPU %.0f%% of one core, %.1f ms drawing per frame\n",
        kWidth, kHeight, seconds, r.framesPerSecond, 1000.0 / ReplayController::kFrameMs,
        r.cpuPercent, r.rendererMsPerFrame);
    const ReplayFigures s = replayAtTopSpeed(root, raceFile, seconds, true);
    std::printf(
        "same replay with the standings shown: %.1f frames/s, CPU %.0f%% of one core, "
        "%+.1f%% of the CPU without them (target <= +10%%)\n",
        s.framesPerSecond, s.cpuPercent, 100.0 * (s.cpuPercent - r.cpuPercent) / r.cpuPercent);
    return 0;
}
