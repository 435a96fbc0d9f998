// The whole-country coastline file: 8-byte little-endian records of two
// IEEE singles (latitude, longitude in minutes; a negative latitude opens a
// polyline). Only the polylines that reach the corridor round the tracks
// are kept.
#pragma once

#include <string_view>

#include "coast/coast_area.h"
#include "coast/coastline.h"
#include "coast/corridor_mask.h"

namespace korvane {

// Appends to `out` every polyline from the point where it first enters the
// corridor. A trailing partial record and records that are not finite
// positions are skipped.
void filterWholeCountry(std::string_view bytes, const CorridorMask& mask, const LatLonBox& trackBox,
                        Coastline& out);

}  // namespace korvane
