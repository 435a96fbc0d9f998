#include "video/film_frames.h"

#include <algorithm>
#include <cmath>

#include "base/timestamp.h"
#include "replay/finish_watch.h"
#include "session/scene_sources.h"
#include "session/standings_sources.h"
#include "video/film_standings.h"
#include "view/landmark_light.h"
#include "view/scene_renderer.h"
#include "view/view_state.h"
#include "view/viewport.h"
#include "view/wind_now.h"

namespace korvane {

namespace {

// The replay's frame tick; the landmark rings grow by one step per tick.
constexpr double kReplayTickSeconds = 0.030;
constexpr double kPulseStepPerTick = 0.05;

}  // namespace

struct FilmFrames::Worker {
    explicit Worker(const RaceSession& s) : builder(sceneSources(s)) {}
    SceneInputBuilder builder;
    SceneRenderer renderer;
    ViewState state;
    Viewport view;
    FinishWatch finishes;
};

FilmFrames::FilmFrames(const RaceSession& session, const FilmPlan& plan, const FilmLook& look,
                       int workers)
    : session_(session), plan_(plan), look_(look) {
    for (const Boat& b : session.model.boats)
        if (b.track.size() >= 2)
            lastFixSeconds_ = std::max(lastFixSeconds_.value_or(b.track.back().timeSeconds),
                                       b.track.back().timeSeconds);
    // The smoothing runs once per frame in the replay; run it here in frame
    // order, so any thread can draw any frame with the wind the replay had.
    const int count = plan_.frameCount();
    windBefore_.reserve(static_cast<std::size_t>(count));
    WindNow wind;
    for (int i = 0; i < count; ++i) {
        windBefore_.emplace_back(wind.smoothedTwd, wind.smoothedTws);
        updateWind(wind, session.model.windSamples, session.model.race, shownSeconds(i));
    }
    const auto finishTimes = finishTimesOf(session);
    for (int w = 0; w < std::max(1, workers); ++w) {
        workers_.push_back(std::make_unique<Worker>(session));
        workers_.back()->finishes.setFinishTimes(finishTimes);
    }
}

FilmFrames::~FilmFrames() = default;

double FilmFrames::shownSeconds(int frame) const {
    const double t = plan_.raceSecondsOf(frame);
    // A boat is placed up to, not at, the time of its last fix.
    constexpr double kBeforeTheEnd = 0.01;
    if (lastFixSeconds_ && t > *lastFixSeconds_ - kBeforeTheEnd)
        return std::max(plan_.fromSeconds, *lastFixSeconds_ - kBeforeTheEnd);
    return t;
}

QImage FilmFrames::draw(int frame, int worker) {
    Worker& w = *workers_.at(static_cast<std::size_t>(worker));
    const double t = shownSeconds(frame);
    const RaceSession& s = session_;

    DisplayState display;
    display.northUp = look_.northUp.value_or(s.model.race.northUp);
    display.labelLevel = look_.labelLevel;
    display.showName = look_.labelLevel > 0;
    display.layLine = look_.layLine;
    display.bigBoat = look_.bigBoat;
    display.seaLevel = look_.seaLevel;
    display.zoomDivisor = zoomDivisorForPosition(look_.zoomPosition);
    // A film has no overview panel beside it, so the inset goes into the frame.
    display.overviewOn = true;
    display.isNight = isNightAt(secondsOfDay(startSecondsOfDay(s.model.race.start), t),
                                s.area.sunriseSeconds, s.area.sunsetSeconds);
    display.replaySpeed = plan_.speed;
    // A worker's frames rise in time, so its own watch sees the finishes the
    // replay would have seen by this frame.
    w.finishes.update(t, s.model.race.timelineEnd);
    display.boatFinished = w.finishes.finished();

    // The light timer ticks once a second of film, as it does once a second
    // of the replay; the rings grow with the replay's ticks in between.
    const std::int64_t lightTicks = frame / plan_.fps;
    const double intoSecond = static_cast<double>(frame % plan_.fps) / plan_.fps;
    w.state.landmarkPulse = kPulseStepPerTick * std::floor(intoSecond / kReplayTickSeconds);
    const auto& [twd, tws] = windBefore_.at(static_cast<std::size_t>(frame));
    w.state.wind.smoothedTwd = twd;
    w.state.wind.smoothedTws = tws;

    const SceneInput& input = w.builder.build(display, lightTicks);
    QImage scene(plan_.width, plan_.height, QImage::Format_RGB32);
    clearScene(scene, display.seaLevel);
    w.renderer.draw(scene, t, input, display, w.state, w.view);
    // Over the finished scene at time t, before the colours are turned for
    // the film; the standings keep no state, so any worker may ask.
    if (look_.standings)
        drawFilmStandings(scene, s.model,
                          standingsAt(standingsSources(s), t, s.model.race.timeMode),
                          look_.japanese);
    return scene;
}

}  // namespace korvane
