// What a film of the race is: the span of race time it shows, how fast it
// runs through it, its frame rate and its picture size, and from these the
// race time of each frame. Checked once here, so the window and korvane-cli
// refuse the same choices with the same words.
#pragma once

#include <string>

namespace korvane {

enum class VideoCodec { H264, H265 };

struct FilmPlan {
    double fromSeconds = 0;  // race seconds
    double toSeconds = 0;
    double speed = 10;  // race seconds per second of film
    int fps = 30;
    int width = 1280;
    int height = 720;
    VideoCodec codec = VideoCodec::H264;

    // Why the plan cannot be filmed, in words for the user; empty when it can.
    std::string problem() const;
    // (to - from) / speed seconds of film; at least one frame.
    int frameCount() const;
    double filmSeconds() const { return static_cast<double>(frameCount()) / fps; }
    // The race time frame `frame` shows: the span is sampled at speed / fps
    // race seconds a frame, from `from` on.
    double raceSecondsOf(int frame) const;
};

inline constexpr int kMinFilmSide = 64;
inline constexpr int kMaxFilmSide = 4096;
inline constexpr int kMaxFilmFps = 120;
inline constexpr double kMaxFilmSpeed = 10000;
// A film longer than a day is a slip of the finger, not a plan.
inline constexpr double kMaxFilmSeconds = 24 * 3600;

}  // namespace korvane
