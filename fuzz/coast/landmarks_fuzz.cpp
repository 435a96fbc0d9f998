// Any bytes as a landmark file, then a minute of the light timer over what
// was read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "coast/landmarks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const korvane::LatLonBox everywhere{6000, -6000, 12000, -12000};
    const auto lights = korvane::readLandmarks(
        std::string_view(reinterpret_cast<const char*>(data), size), everywhere);
    int index = 0;
    for (const korvane::Landmark& l : lights) {
        for (std::int64_t tick = 1; tick <= 60; ++tick) {
            const korvane::LightState s = korvane::lightPhase(l, index, tick);
            (void)korvane::colourValue(s.colour);
        }
        ++index;
    }
    return 0;
}
