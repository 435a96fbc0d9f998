// Where a race time stands on the time bar and back. The bar shows the whole
// timeline, its end at the top (y = 0) and its beginning at the bottom
// (y = height); every drawing and every mouse handler of the bar goes
// through these functions so that a click lands where the stripe is drawn.
#pragma once

#include <optional>

#include "replay/replay_clock.h"

namespace korvane {

struct TimeBarScale {
    double timelineBeginSeconds = 0;
    double timelineEndSeconds = 0;
    double timelineLengthSeconds = 0;  // the race's whole seconds, may differ from end - begin
    int heightPixels = 0;              // of the striped bar, not of its panel
};

// y of time t inside a bar `heightPixels` high; not rounded, not clamped.
double timeBarY(const TimeBarScale& scale, double timeSeconds);
// The time under pixel row y, to the whole second; not clamped.
double timeAtBarY(const TimeBarScale& scale, double y);

// Where a click at row y takes the replay: above the top it lands 100 s before
// the end, where there is still something to watch; below the bottom, at the
// beginning.
double pickedTimeAt(const TimeBarScale& scale, double y);
// The time whose boat positions a hover at row y previews: inside the timeline.
double previewTimeAt(const TimeBarScale& scale, double y);

// The repeat span between the two ends picked with the right button, in
// either order; ends closer than 5 s (a click without a drag) clear it.
std::optional<RepeatSpan> repeatSpanBetween(double anchorSeconds, double otherSeconds);

}  // namespace korvane
