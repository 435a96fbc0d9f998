// The pictures of a film: the Track page as the replay draws it at each
// frame's race time, through the one scene input builder and the scene
// renderer, like the window and `korvane-cli render`. Frames are drawn on
// several threads at once; what the replay carries from one frame to the
// next (the smoothed wind, the finishers seen) is worked out here so that
// every frame looks as it would in a replay that played the whole film.
#pragma once

#include <QImage>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "session/race_session.h"
#include "video/film_plan.h"

namespace korvane {

// The choices of the map the film shows; the defaults are the window's
// after a race opens (as `korvane-cli render` draws too).
struct FilmLook {
    std::optional<bool> northUp;  // nothing: as the race file says
    int labelLevel = 1;
    bool layLine = false;
    bool bigBoat = true;
    int zoomPosition = 75;
    int seaLevel = 100;
    // The standings of the race in a corner of every frame.
    bool standings = true;
    bool japanese = false;  // the standings' words
};

class FilmFrames {
  public:
    // `workers` threads may call draw() at once, each with its own number.
    // The session must outlive this.
    FilmFrames(const RaceSession& session, const FilmPlan& plan, const FilmLook& look, int workers);
    ~FilmFrames();
    FilmFrames(const FilmFrames&) = delete;
    FilmFrames& operator=(const FilmFrames&) = delete;

    // Frame `frame` of the plan. A worker's frames must come in rising order,
    // as forEachInOrder begins them.
    QImage draw(int frame, int worker);

    // The race time frame `frame` shows: the plan's, held where the last
    // log ends, as the replay stops there and keeps its last picture.
    double shownSeconds(int frame) const;

  private:
    struct Worker;
    const RaceSession& session_;
    FilmPlan plan_;
    FilmLook look_;
    std::optional<double> lastFixSeconds_;
    // The smoothed wind (direction, speed) each frame starts from.
    std::vector<std::pair<double, double>> windBefore_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace korvane
