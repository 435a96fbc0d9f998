// The shoreline of any area of the world, from the GSHHG database through
// GMT's `gmt coast` run as a converter (an argument list, never a shell,
// bounded in time and output). It stands in where the race folder has no
// coastline file for the area; what GMT gives is kept per area in the
// user's cache folder, never in the race folder.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "coast/coast_area.h"
#include "coast/coastline.h"

namespace korvane {

struct ShorelineOptions {
    bool enabled = true;
    std::string program = "gmt";  // a name on the PATH or a path
    // A 20 NM race area takes GMT a fraction of a second; a whole ocean
    // at low resolution a few seconds.
    std::chrono::milliseconds timeLimit{20'000};
    std::size_t outputLimitBytes = std::size_t{64} << 20;
    std::filesystem::path cacheDir;  // empty: nothing is cached
};

// The options a race opening uses: GMT on the PATH, the user's cache folder.
ShorelineOptions defaultShorelineOptions();

struct ShorelineLookup {
    Coastline coastline;
    // Why there is no shoreline (no GMT, GMT failed, what it wrote made no
    // sense); empty when the look-up worked, also for an area of open sea.
    std::string warning;
    bool fromCache = false;
};

// The area asked of GMT: `box` widened to whole minutes.
struct ShorelineBox {
    int southMinutes = 0, northMinutes = 0, westMinutes = 0, eastMinutes = 0;
};
ShorelineBox shorelineBoxFor(const LatLonBox& box);

// GSHHG's resolution letter for an area: the finest ("f", falling back to
// "h" where only the high data are installed) for a race area, coarser as
// the area grows, so a look-up stays small and quick.
char shorelineResolutionFor(const ShorelineBox& box);

// `gmt coast` multisegment text ("> header" lines, then "lon lat" lines)
// as polylines in minutes; nothing when a line is neither.
std::optional<Coastline> parseGmtSegments(std::string_view text);

ShorelineLookup lookUpShoreline(const LatLonBox& box, const ShorelineOptions& options,
                                std::stop_token stop = {});

}  // namespace korvane
