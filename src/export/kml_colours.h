// The KML colour of each boat's track (alpha-blue-green-red hex, the order
// KML wants), also lent to the start and finish lines of the same number.
#pragma once

#include <string_view>

namespace korvane {

// Colour code of boat slot b; the 15 colours repeat from slot 15,
// in step with the boats' screen colours.
std::string_view boatKmlColourForSlot(int slot);

}  // namespace korvane
