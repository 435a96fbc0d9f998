// When the whole-race file shows every boat: a snapshot at every step from
// the start to the end of the timeline, the step growing with the race so
// that a long race does not drown the viewer in placemarks.
#pragma once

namespace korvane {

struct SnapshotPlan {
    int stepSeconds = 3600;
    int count = 0;  // snapshots at 0, step, 2 × step ... (count − 1) × step

    double timeSeconds(int k) const { return static_cast<double>(k) * stepSeconds; }
};

SnapshotPlan snapshotPlan(double timelineEndSeconds);

}  // namespace korvane
