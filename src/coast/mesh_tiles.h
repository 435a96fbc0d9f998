// Coastline tiles named by the first-level regional mesh code: which tiles
// cover a race, where a second-level cell lies, and the reader of the
// fixed-column tile text (old Tokyo datum, shifted to the GPS datum here).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coast/coast_area.h"
#include "coast/coastline.h"
#include "coast/datum_shift.h"

namespace korvane {

inline constexpr double kMeshCellHeightMinutes = 5;
inline constexpr double kMeshCellWidthMinutes = 7.5;

// Above this area size one whole-country file serves instead of tiles.
inline constexpr double kTileAreaLimitMinutes = 60;
inline constexpr const char* kWholeCountryFile = "jcoast.cst";

// "5339" for latitude index 53 and longitude index 139.
std::string meshTileName(int latIndex, int lonIndex);

// The coastline files for a race whose race file names none: the tiles that
// cover the extended area (south to north, west to east), or the
// whole-country file for a large area. Empty when no position is known.
std::vector<std::string> chooseCoastFiles(const CoastArea& area);

// A name as given in a MAP line or chosen, cut before any ".cst".
std::string coastBaseName(std::string_view name);

// The south-west corner of the second-level cell "ppqqrs", or nothing when
// the code is not six digits.
std::optional<GeoPoint> meshCellCorner(std::string_view code);

// Appends the polylines of one tile file to `out`. Only cells whose corner
// lies inside the extended area (widened by one cell south and west) are
// read; positions get `shift` added.
void readMeshTile(std::string_view text, const LatLonBox& extended, DatumShift shift,
                  Coastline& out);

// After all tiles: drops points outside the extended area (widened by one
// cell south and west) once more than 10 points were read; a polyline cut by
// the window goes on as a new polyline.
void clipTilePoints(Coastline& coast, const LatLonBox& extended);

}  // namespace korvane
