// The colour tables of the map: boat colours, the drawing colours of the
// course overlay, and the sea and grid colours that follow the sea-colour bar.
// Colours are stored as the race model keeps them, 0x00BBGGRR.
#pragma once

#include <QColor>
#include <cstdint>

#include "race/model.h"

namespace korvane {

inline constexpr std::uint32_t bgr(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

inline QColor toQColor(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                  static_cast<int>((colour >> 16) & 0xff));
}

inline constexpr std::uint32_t kWindAxisColour = bgr(255, 255, 0);
inline constexpr std::uint32_t kLaylineFirstColour = bgr(255, 128, 128);
inline constexpr std::uint32_t kLaylineSecondColour = bgr(128, 255, 128);

// Screen colour of boat slot b; the 15 colours repeat.
std::uint32_t boatColourForSlot(int slot);
// Gives every boat of the model its screen colour (the dropped boat takes
// the colour of the first boat).
void assignBoatColours(RaceModel& model);

struct SeaColours {
    std::uint32_t sea = 0;
    std::uint32_t grid = 0;
};
// From the sea-colour bar position 0 ... 100.
SeaColours seaColoursForLevel(int level);

}  // namespace korvane
