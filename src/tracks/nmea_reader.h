// NMEA 0183 reader: the RMC sentences of a receiver's log, one per line;
// every other sentence is passed over. Pure: bytes and the race window in,
// fixes out.
#pragma once

#include <string_view>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"

namespace korvane {

std::vector<TrackPoint> readNmea(std::string_view bytes, const ReadWindow& window);

}  // namespace korvane
