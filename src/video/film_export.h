// Making a film file from the open race: frames drawn on worker threads in
// order, turned into video colours there, and encoded on this thread while
// the next ones are drawn. Only a few frames are ever in memory, however
// long the film.
#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>

#include "session/race_session.h"
#include "video/film_frames.h"
#include "video/film_plan.h"

namespace korvane {

struct FilmProgress {
    int framesDone = 0;
    int frameCount = 0;
    double elapsedSeconds = 0;
    double secondsLeft = 0;  // at the pace so far
};

// Where the time went: drawing (summed over the threads that drew) and
// encoding (on the thread that hands frames to the encoder).
struct FilmTimings {
    int frames = 0;
    double wallSeconds = 0;
    double drawSeconds = 0;
    double encodeSeconds = 0;
    // The processor time of the drawing alone, which a loaded machine does
    // not stretch as it stretches the seconds above.
    double drawCpuSeconds = 0;
    int drawThreads = 0;
    std::string encoder;
};

struct FilmJob {
    FilmPlan plan;
    FilmLook look;
    std::filesystem::path output;
    int threads = 0;  // drawing threads, this one among them; 0: one per core
};

// Writes the film to job.output, which appears only when whole. `progress`
// is called on this thread after each frame. Throws VideoError when the film
// cannot be made or written (nothing is left behind), Cancelled when `stop`
// was requested (nothing is left behind either).
FilmTimings makeFilm(const RaceSession& session, const FilmJob& job,
                     const std::function<void(const FilmProgress&)>& progress,
                     std::stop_token stop = {});

}  // namespace korvane
