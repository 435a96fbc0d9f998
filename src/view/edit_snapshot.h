// The course-editing view: the static map's tracks, marks, lines and
// coastline with every checked boat placed at the replayed instant, drawn
// straight into the scene after each edit so the editor sees the course
// against the fleet. Boats are placed by plain interpolation between their
// two bracketing fixes: an editor wants them where the log says, even across
// a gap the replay would leave empty.
#pragma once

#include <QImage>
#include <optional>
#include <vector>

#include "view/static_map.h"

namespace korvane {

struct SnapshotBoat {
    double latMinutes = 0;
    double lonMinutes = 0;
    double headingDegrees = 0;  // of the earlier fix
    double speedKnots = 0;
};

// Where the track is at `timeSeconds` between two fixes; nothing before the
// first fix or after the last.
std::optional<SnapshotBoat> snapshotBoatAt(const std::vector<TrackPoint>& track,
                                           double timeSeconds);

struct EditSnapshotInput {
    StaticMapInput map;
    double timeSeconds = 0;
    bool showName = false;
    int timeBarTop = 0;
    int timeBarHeight = 0;
};

struct EditSnapshotResult {
    Viewport view;
    int timePointerTop = 0;
    int boatsDrawn = 0;
};

EditSnapshotResult drawEditSnapshot(QImage& scene, const EditSnapshotInput& in,
                                    const StaticView& where);

}  // namespace korvane
