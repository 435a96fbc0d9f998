#include "replay/stopwatch.h"

#include <cmath>
#include <cstdio>

namespace korvane {

void Stopwatch::press(double nowSeconds) {
    switch (state_) {
        case State::Off:
            state_ = State::Running;
            startSeconds_ = nowSeconds;
            tick(nowSeconds);
            break;
        case State::Running:
            state_ = State::Held;
            break;
        case State::Held:
            state_ = State::Off;
            break;
    }
}

void Stopwatch::tick(double nowSeconds) {
    if (state_ == State::Running) readout_ = format(nowSeconds - startSeconds_);
}

const char* Stopwatch::caption() const {
    switch (state_) {
        case State::Running:
            return "STOP";
        case State::Held:
            return "TIMER/OFF";
        case State::Off:
            break;
    }
    return "TIMER/ON";
}

std::string Stopwatch::format(double seconds) {
    if (!std::isfinite(seconds)) return "--:--:--";
    // Whole seconds passed, as a clock shows them; the millisecond guard
    // keeps 124.9999999 from a sum of frame steps reading one second short.
    const double whole = std::floor(std::fabs(seconds) + 0.0005);
    const int s = static_cast<int>(std::fmod(whole, 86400.0));
    char text[32];
    std::snprintf(text, sizeof text, "%s%02d:%02d:%02d", seconds < 0 && whole > 0 ? "-" : "",
                  s / 3600, s / 60 % 60, s % 60);
    return text;
}

}  // namespace korvane
