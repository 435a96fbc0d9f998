// Any bytes as a user coastline file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "coast/user_coast.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::Coastline coast;
    korvane::readUserCoast(std::string_view(reinterpret_cast<const char*>(data), size), coast);
    return 0;
}
