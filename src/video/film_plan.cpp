#include "video/film_plan.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

bool finite(double v) {
    return std::isfinite(v);
}

}  // namespace

std::string FilmPlan::problem() const {
    if (!finite(fromSeconds) || !finite(toSeconds)) return "the span must be numbers of seconds";
    if (toSeconds <= fromSeconds) return "the span must end after it begins";
    if (!finite(speed) || speed <= 0 || speed > kMaxFilmSpeed)
        return "the speed must be above 0 and at most 10000";
    if (fps < 1 || fps > kMaxFilmFps) return "the frame rate must be 1 to 120 frames a second";
    if (width < kMinFilmSide || height < kMinFilmSide || width > kMaxFilmSide ||
        height > kMaxFilmSide)
        return "the size must be 64 to 4096 pixels each way";
    // The colour planes of a film are half the picture each way.
    if (width % 2 != 0 || height % 2 != 0) return "the size must be even each way";
    if ((toSeconds - fromSeconds) / speed > kMaxFilmSeconds)
        return "the film would be longer than a day: raise the speed or shorten the span";
    return {};
}

int FilmPlan::frameCount() const {
    const double frames = std::floor((toSeconds - fromSeconds) / speed * fps + 1e-9);
    if (!(frames >= 1)) return 1;
    return static_cast<int>(std::min(frames, kMaxFilmSeconds * kMaxFilmFps));
}

double FilmPlan::raceSecondsOf(int frame) const {
    return fromSeconds + static_cast<double>(frame) * speed / fps;
}

}  // namespace korvane
