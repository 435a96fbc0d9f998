// Any bytes as what GMT wrote (or a cached shoreline file): read as
// segments, every point a finite position on the globe.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "coast/gshhg_shoreline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto coast =
        korvane::parseGmtSegments(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!coast) return 0;
    for (const auto& line : coast->polylines)
        for (const korvane::GeoPoint& p : line)
            if (!std::isfinite(p.latMinutes) || std::abs(p.latMinutes) > 90 * 60 ||
                !std::isfinite(p.lonMinutes))
                std::abort();
    return 0;
}
