// Reader of Velocitek Control Center (VCC) logs: XML whose Trackpoint
// elements carry the fix as attributes (dateTime with its UTC offset,
// latitude, longitude, speed in knots, heading in degrees), in any order.
// Pure: bytes and the race window in, fixes out.
#pragma once

#include <string_view>

#include "tracks/fix_collector.h"
#include "tracks/log_contents.h"

namespace korvane {

LogContents readVcc(std::string_view bytes, const ReadWindow& window);

}  // namespace korvane
