// The map shown while Auto Trace is off: whole tracks (or their part inside
// a repeat span), marks, lines and the coastline, drawn once into a bitmap
// that every frame then copies under the moving boats. The projection is
// fixed by the race area, the manual zoom and the saved centre, so the
// mouse tools and the renderer see the same map this file drew.
#pragma once

#include <QImage>
#include <optional>
#include <vector>

#include "coast/coastline.h"
#include "race/model.h"
#include "race/race_area.h"
#include "view/chart_layer.h"
#include "view/viewport.h"

namespace korvane {

// A stretch of race time, start <= end once normalised.
struct TimeSpan {
    double startSeconds = 0;
    double endSeconds = 0;
};

// Fix indices (0-based, both included) of a track to draw; empty when last < first.
struct FixRange {
    int first = 0;
    int last = -1;
    bool empty() const { return last < first; }
};

// The whole track, or for a span the fixes from the one before the first fix
// inside it to the first fix after it, so even a span shorter than a fix
// interval keeps a segment. Nothing when the span lies after the track.
FixRange fixRangeFor(const std::vector<TrackPoint>& track, const std::optional<TimeSpan>& span);

// Where the static map looks: the saved centre at the race area's scale
// times the manual zoom, turned to the course wind in wind-up mode.
struct StaticView {
    int width = 0;
    int height = 0;
    double centreLat = 0;
    double centreLon = 0;
    double manualZoom = 1;
    bool northUp = true;
    int windDirectionDegrees = 0;
};
Viewport staticViewport(const RaceArea& area, const StaticView& where);

struct StaticMapInput {
    const RaceModel* model = nullptr;
    const RaceArea* area = nullptr;
    const Coastline* coastline = nullptr;
    // Checked boats, 0-based; an empty or short vector leaves the boat's own flag.
    std::vector<bool> visible;
    std::optional<TimeSpan> repeatSpan;
    int seaLevel = 100;
    // Marks and lines with their circles; the course editor draws its own.
    bool withCourse = true;
    // The chart under the tracks; none without "Chart".
    const ChartInput* chart = nullptr;
};

struct StaticMapResult {
    Viewport view;
    // A line whose second end is not set: drawn by its first end only, and
    // the window beeps to say the course is incomplete.
    bool lineEndMissing = false;
};

// Draws into `image` (its size is the map's); a 32-bit image takes the fast
// track drawing.
StaticMapResult drawStaticMap(QImage& image, const StaticMapInput& in, const StaticView& where);

// The static map with one track drawn over it wide in white, then in the
// boat's colour, for the boat under the mouse in the boat list.
QImage drawHighlightTrack(const QImage& staticMap, const Viewport& view,
                          const std::vector<TrackPoint>& track, std::uint32_t colour,
                          const std::optional<TimeSpan>& span);

// Every fix of `range` projected, a fix on the same pixel as the one before
// it left out.
QPolygon trackPolygon(const std::vector<TrackPoint>& track, FixRange range,
                      const ScreenTransform& t);

// Whether boat `index` (0-based) is checked for a picture.
bool boatChecked(const RaceModel& model, const std::vector<bool>& visible, int index);

}  // namespace korvane
