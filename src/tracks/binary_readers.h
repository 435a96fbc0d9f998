// Readers of the binary logger formats: fixed records ("trb" 12 bytes, "trl"
// 16 or 20 bytes) and the scanned Garmin-style files ("gdb", "mps"), whose
// track points are found by a byte pattern. Pure functions: bytes and the
// race window in, fixes out; they never read outside `bytes`.
#pragma once

#include <string_view>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"

namespace korvane {

std::vector<TrackPoint> readTrb(std::string_view bytes, const ReadWindow& window);
std::vector<TrackPoint> readTrl(std::string_view bytes, const ReadWindow& window);
std::vector<TrackPoint> readGdb(std::string_view bytes, const ReadWindow& window);
std::vector<TrackPoint> readMps(std::string_view bytes, const ReadWindow& window);

// Record size of a "trl" file: 16 or 20, whichever puts the second record's
// time closer to the first.
int trlRecordSize(std::string_view bytes);

}  // namespace korvane
