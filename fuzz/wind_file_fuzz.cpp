// Wind files come from race officers' tools and hand edits: any bytes must
// give samples or a stop, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "race/wind_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::RaceModel model;
    model.race.start = 45424.5;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    korvane::parseWindFile(bytes, model);
    for (const auto& s : model.windSamples)
        if (s.tws > model.maxTws) __builtin_trap();
    return 0;
}
