// Any bytes as a whole-country file, filtered through a corridor drawn
// once from a fixed track across Sagami Bay.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "coast/whole_country.h"

namespace {

const korvane::CoastArea& area() {
    static const korvane::CoastArea a = [] {
        korvane::CoastArea x;
        x.known = true;
        x.trackBox = {2116, 2077, 8374, 8358};
        x.centreLat = 2096.5;
        x.centreLon = 8366;
        x.cosLat = std::cos(2096.5 / 60 * 3.141592653589793 / 180);
        x.latSpan = 46.8;
        x.lonSpan = 46.8 / x.cosLat;
        return x;
    }();
    return a;
}

const korvane::CorridorMask& mask() {
    static const korvane::CorridorMask m = [] {
        std::vector<korvane::GeoPoint> track;
        for (int i = 0; i <= 400; ++i) track.push_back({2116 - i * 0.0975, 8366 + (i % 40) * 0.1});
        return korvane::CorridorMask(area(), {korvane::corridorPath(track)});
    }();
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::Coastline coast;
    korvane::filterWholeCountry(std::string_view(reinterpret_cast<const char*>(data), size), mask(),
                                area().trackBox, coast);
    return 0;
}
