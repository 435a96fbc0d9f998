#include "export/kml_colours.h"

#include <array>

namespace korvane {

namespace {

constexpr std::array<std::string_view, 15> kKmlColours{
    "FFFF0000", "FF00FF00", "FF0000FF", "FF00FFFF", "FFFF00FF", "FFFFFF00", "FFFFFFFF", "FFFF8080",
    "FF80FF80", "FF8080FF", "FFFF8000", "FF80FF00", "FF8000FF", "FFFF0080", "FF00FF80"};

}  // namespace

std::string_view boatKmlColourForSlot(int slot) {
    return kKmlColours[static_cast<std::size_t>((slot < 0 ? 0 : slot) % 15)];
}

}  // namespace korvane
