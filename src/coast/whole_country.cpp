#include "coast/whole_country.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace korvane {

namespace {

constexpr std::size_t kRecordBytes = 8;
constexpr double kPoleMinutes = 90 * 60;

float littleEndianFloat(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    const std::uint32_t bits =
        static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
        static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    return std::bit_cast<float>(bits);
}

}  // namespace

void filterWholeCountry(std::string_view bytes, const CorridorMask& mask, const LatLonBox& trackBox,
                        Coastline& out) {
    const double h = mask.halfWidthMinutes();
    const double south = trackBox.south - h;
    const double north = trackBox.north + h;
    const double west = trackBox.west - h;
    const double east = trackBox.east + h;
    const std::size_t count = bytes.size() / kRecordBytes;
    bool kept = false;
    for (std::size_t i = 0; i < count; ++i) {
        const char* record = bytes.data() + i * kRecordBytes;
        const double rawLat = littleEndianFloat(record);
        const double lon = littleEndianFloat(record + 4);
        if (!std::isfinite(rawLat) || !std::isfinite(lon)) continue;
        const bool start = rawLat < 0;
        const double lat = start ? -rawLat : rawLat;
        if (lat > kPoleMinutes) continue;
        if (start) {
            kept = mask.isRed(lat, lon);
            if (kept) out.startPolyline({lat, lon});
        } else if (kept) {
            out.append({lat, lon});
        } else if (south < lat && lat < north && west < lon && lon < east && mask.isRed(lat, lon)) {
            out.startPolyline({lat, lon});
            kept = true;
        }
    }
}

}  // namespace korvane
