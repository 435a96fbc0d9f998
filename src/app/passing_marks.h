// What the time bar and the map show of one boat's mark passings: a tick
// on the bar for each passing and each candidate, and a ring on the map
// where the boat was at each. Plain values, filled by PassingEditing.
#pragma once

#include <QPainter>
#include <QString>
#include <vector>

#include "replay/time_bar_scale.h"
#include "view/viewport.h"

namespace korvane {

struct PassingTick {
    double timeSeconds = 0;
    int point = 0;        // course point, 0-based
    bool chosen = false;  // the passing in force; otherwise a candidate
    bool corrected = false;
    QString facts;  // what the hover tells about it
};

struct PassingMarker {
    double latMinutes = 0;
    double lonMinutes = 0;
    bool chosen = false;
    bool selected = false;  // of the course point the panel shows
    QString label;          // the course point's name, for a passing
};

// A tick counts as under the pointer this many pixels either side.
inline constexpr int kPassingTickReach = 3;

// Over the striped bar, whose top is `barTop` in the painter's coordinates.
void drawPassingTicks(QPainter& painter, const TimeBarScale& scale,
                      const std::vector<PassingTick>& ticks, int barTop);

// The tick nearest to bar row y within reach, chosen passings first; -1 for none.
int passingTickAt(const TimeBarScale& scale, const std::vector<PassingTick>& ticks, double y);

void drawPassingMarkers(QPainter& painter, const Viewport& viewport,
                        const std::vector<PassingMarker>& markers);

}  // namespace korvane
