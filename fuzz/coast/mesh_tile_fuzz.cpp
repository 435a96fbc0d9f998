// Any bytes as a mesh tile file: read, then clipped as after the last tile.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "coast/mesh_tiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const korvane::LatLonBox extended{2130, 2090, 8390, 8350};
    korvane::Coastline coast;
    korvane::readMeshTile(text, extended, korvane::DatumShift{0.19, -0.19}, coast);
    korvane::clipTilePoints(coast, extended);
    return 0;
}
