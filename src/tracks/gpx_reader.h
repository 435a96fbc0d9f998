// GPX reader: the track points (trkpt with lat, lon and a time child) of a
// GPX file; routes, waypoints and everything else are passed over. Pure:
// bytes and the race window in, fixes out.
#pragma once

#include <string_view>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"

namespace korvane {

std::vector<TrackPoint> readGpx(std::string_view bytes, const ReadWindow& window);

}  // namespace korvane
