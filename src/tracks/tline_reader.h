// Reader of the "T"-line text logs ("dtr", "trk"): one fix per line as
// tag, latitude, longitude, date, time and one unused field, separated by
// spaces. A line holding "DMS" or "DEG" switches the coordinate form for the
// rest of the file. Pure: bytes and the race window in, fixes out.
#pragma once

#include <string_view>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"

namespace korvane {

std::vector<TrackPoint> readTLines(std::string_view bytes, const ReadWindow& window);

}  // namespace korvane
