#include "video/film_export.h"

#include <time.h>

#include <chrono>
#include <memory>
#include <vector>

#include "base/parallel.h"
#include "video/video_encoder.h"

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

FilmTimings makeFilm(const RaceSession& session, const FilmJob& job,
                     const std::function<void(const FilmProgress&)>& progress,
                     std::stop_token stop) {
    const FilmPlan& plan = job.plan;
    if (const std::string problem = plan.problem(); !problem.empty()) throw VideoError(problem);
    const auto t0 = Clock::now();
    VideoEncoder encoder(job.output, plan);
    const int count = plan.frameCount();
    const int workers = inOrderWorkers(count, job.threads);
    FilmFrames frames(session, plan, job.look, workers);
    std::vector<std::unique_ptr<ColourConverter>> converters;
    for (int w = 0; w < workers; ++w)
        converters.push_back(std::make_unique<ColourConverter>(plan.width, plan.height));
    // One slot per worker apart, so no two threads add to the same sum.
    std::vector<double> drawSeconds(static_cast<std::size_t>(workers), 0.0);
    std::vector<double> drawCpuSeconds(static_cast<std::size_t>(workers), 0.0);

    FilmTimings timings;
    timings.frames = count;
    timings.drawThreads = workers;
    timings.encoder = encoder.encoderName();
    const auto work = [&](int frame, int worker) {
        const auto start = Clock::now();
        const double cpuStart = threadCpuSeconds();
        const QImage picture = frames.draw(frame, worker);
        YuvFrame yuv = converters[static_cast<std::size_t>(worker)]->convert(picture);
        drawSeconds[static_cast<std::size_t>(worker)] += secondsSince(start);
        drawCpuSeconds[static_cast<std::size_t>(worker)] += threadCpuSeconds() - cpuStart;
        return yuv;
    };
    const auto sink = [&](int frame, YuvFrame yuv) {
        const auto start = Clock::now();
        encoder.add(yuv);
        timings.encodeSeconds += secondsSince(start);
        if (progress) {
            FilmProgress p;
            p.framesDone = frame + 1;
            p.frameCount = count;
            p.elapsedSeconds = secondsSince(t0);
            p.secondsLeft = p.elapsedSeconds / p.framesDone * (count - p.framesDone);
            progress(p);
        }
    };
    InOrderOptions options;
    options.threads = workers;
    // Enough frames ahead to keep every worker busy while one is encoded.
    options.maxAhead = 2 * workers;
    forEachInOrder(count, work, sink, stop, options);
    const auto finishStart = Clock::now();
    encoder.finish();
    timings.encodeSeconds += secondsSince(finishStart);
    for (double s : drawSeconds) timings.drawSeconds += s;
    for (double s : drawCpuSeconds) timings.drawCpuSeconds += s;
    timings.wallSeconds = secondsSince(t0);
    return timings;
}

}  // namespace korvane
