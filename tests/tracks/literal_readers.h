// The GPX and NMEA readers written the slow, obvious way: character by
// character, with the shared field splitter and the general date conversion.
// The fast readers must give exactly what these give; the tests and the fuzz
// targets compare the two.
#pragma once

#include <string_view>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"

namespace korvane::literal {

std::vector<TrackPoint> readGpx(std::string_view bytes, const ReadWindow& window);
std::vector<TrackPoint> readNmea(std::string_view bytes, const ReadWindow& window);

// Same fixes, bit for bit (NaN never reaches a track).
bool sameFixes(const std::vector<TrackPoint>& a, const std::vector<TrackPoint>& b);

}  // namespace korvane::literal
