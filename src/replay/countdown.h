// The start countdown heard and seen once a second: a beep each second in the
// last 30 s before the gun and one at each full minute before it, the flag
// panel while the start has not come, and the preparatory flag from four
// minutes to one minute before the start.
#pragma once

namespace korvane {

enum class StartFlag {
    Hidden,       // after the start
    Shown,        // the flag panel without the preparatory flag
    Preparatory,  // the flag panel with the preparatory flag up
};

struct CountdownSecond {
    int beeps = 0;  // system beeps to sound this second
    StartFlag flag = StartFlag::Hidden;
};

// The minute number the countdown compares from one second to the next.
int countdownMinute(double timeSeconds);

// What the second at race time `timeSeconds` sounds and shows; `lastMinute` is the
// minute number of the second before and is updated.
CountdownSecond countdownAt(double timeSeconds, int& lastMinute);

}  // namespace korvane
