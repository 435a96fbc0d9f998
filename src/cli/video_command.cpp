#include "cli/video_command.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "base/numbers.h"
#include "base/parallel.h"
#include "cli/gui_application.h"
#include "video/film_export.h"
#include "video/video_encoder.h"

namespace korvane {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}

double requiredSeconds(const CliOptions& o, const char* flag) {
    const auto text = o.value(flag);
    if (!text) throw std::invalid_argument(std::string("video needs ") + flag + " SECONDS");
    const auto v = parseDouble(*text);
    if (!v || !std::isfinite(*v))
        throw std::invalid_argument(std::string(flag) + ": not a number: " + *text);
    return *v;
}

FilmJob parseVideoOptions(const CliOptions& o) {
    FilmJob job;
    FilmPlan& plan = job.plan;
    plan.fromSeconds = requiredSeconds(o, "--from");
    plan.toSeconds = requiredSeconds(o, "--to");
    plan.speed = requiredSeconds(o, "--speed");
    if (const auto size = o.value("--size")) {
        const auto x = size->find_first_of("xX");
        const auto w = x == std::string::npos ? std::nullopt : parseInteger(size->substr(0, x));
        const auto h = x == std::string::npos ? std::nullopt : parseInteger(size->substr(x + 1));
        if (!w || !h || *w < 0 || *h < 0 || *w > kMaxFilmSide || *h > kMaxFilmSide)
            throw std::invalid_argument("--size: expected WxH, e.g. 1280x720");
        plan.width = static_cast<int>(*w);
        plan.height = static_cast<int>(*h);
    }
    if (const auto fps = o.value("--fps")) {
        const auto v = parseInteger(*fps);
        if (!v || *v < 1 || *v > kMaxFilmFps)
            throw std::invalid_argument("--fps: expected 1 to 120 frames a second");
        plan.fps = static_cast<int>(*v);
    }
    if (const auto codec = o.value("--codec")) {
        if (*codec == "h265")
            plan.codec = VideoCodec::H265;
        else if (*codec != "h264")
            throw std::invalid_argument("--codec: expected h264 or h265");
    }
    if (o.has("--north-up")) job.look.northUp = true;
    if (o.has("--wind-up")) job.look.northUp = false;
    job.look.layLine = o.has("--laylines");
    job.look.standings = !o.has("--no-standings");
    if (const auto lang = o.value("--lang")) {
        if (*lang != "en" && *lang != "ja")
            throw std::invalid_argument("--lang: expected en or ja");
        job.look.japanese = *lang == "ja";
    }
    if (const std::string problem = plan.problem(); !problem.empty())
        throw std::invalid_argument("video: " + problem);
    const auto out = o.value("-o");
    if (!out) throw std::invalid_argument("video needs -o FILE.mp4");
    job.output = *out;
    return job;
}

std::string minutesAndSeconds(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

}  // namespace

int runVideo(const RaceSession& session, const CliOptions& options, std::ostream& err) {
    const FilmJob job = parseVideoOptions(options);
    const auto app = ensureGuiApplication();
    interrupted = 0;
    const auto previousInt = std::signal(SIGINT, onInterrupt);
    const auto previousTerm = std::signal(SIGTERM, onInterrupt);
    using Clock = std::chrono::steady_clock;
    auto lastLine = Clock::now() - std::chrono::seconds(1);
    const auto progress = [&](const FilmProgress& p) {
        if (interrupted) throw Cancelled();
        const auto now = Clock::now();
        // A few lines a second are enough to read, and the last one always.
        if (p.framesDone < p.frameCount && now - lastLine < std::chrono::milliseconds(250)) return;
        lastLine = now;
        err << "\rvideo: frame " << p.framesDone << "/" << p.frameCount << " ("
            << (100 * p.framesDone / p.frameCount) << "%), " << minutesAndSeconds(p.secondsLeft)
            << " left   " << std::flush;
    };
    int status = 0;
    try {
        const FilmTimings t = makeFilm(session, job, progress);
        err << "\nvideo: " << job.output.string() << ": " << t.frames << " frames, "
            << job.plan.filmSeconds() << " s of film (" << t.encoder << ") in "
            << minutesAndSeconds(t.wallSeconds) << "\n";
    } catch (const Cancelled&) {
        err << "\nvideo: cancelled; " << job.output.string() << " was not written\n";
        status = 130;
    } catch (const VideoError& e) {
        err << "\n";
        std::signal(SIGINT, previousInt);
        std::signal(SIGTERM, previousTerm);
        throw std::runtime_error(e.what());
    }
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    return status;
}

}  // namespace korvane
