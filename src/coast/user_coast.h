// User coastline files: "lat,lon" lines in minutes of arc, GPS datum, where
// a line "R,lat,lon" opens a new polyline.
#pragma once

#include <string_view>

#include "coast/coastline.h"

namespace korvane {

// Appends the file's points to `out`. Lines that do not hold two numbers are
// skipped; so are latitudes beyond the poles.
void readUserCoast(std::string_view text, Coastline& out);

}  // namespace korvane
