#include "replay/countdown.h"

#include <algorithm>
#include <cmath>

namespace korvane {

int countdownMinute(double timeSeconds) {
    // Truncated toward zero, so the last minute before the gun counts as 0 like
    // the first one after it; the clamp only keeps absurd times inside an int.
    return static_cast<int>(std::trunc(std::clamp((timeSeconds + 1) / 60, -1e9, 1e9)));
}

CountdownSecond countdownAt(double timeSeconds, int& lastMinute) {
    CountdownSecond out;
    if (timeSeconds >= -30 && timeSeconds < 0) out.beeps += 1;
    if (timeSeconds < 0) {
        const int minute = countdownMinute(timeSeconds);
        if (minute != lastMinute) out.beeps += 1;
        lastMinute = minute;
    }
    if (timeSeconds <= 0)
        out.flag =
            (timeSeconds >= -240 && timeSeconds <= -60) ? StartFlag::Preparatory : StartFlag::Shown;
    return out;
}

}  // namespace korvane
