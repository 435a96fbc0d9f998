#include "view/colours.h"

#include <algorithm>
#include <array>

#include "base/numbers.h"

namespace korvane {

namespace {

constexpr std::array<std::uint32_t, 15> kBoatColours{
    bgr(255, 0, 0),   bgr(0, 0, 255), bgr(0, 128, 0),     bgr(128, 128, 0), bgr(128, 0, 128),
    bgr(0, 128, 128), bgr(0, 0, 0),   bgr(128, 128, 128), bgr(192, 192, 0), bgr(96, 96, 0),
    bgr(192, 0, 0),   bgr(0, 0, 192), bgr(0, 128, 0),     bgr(128, 128, 0), bgr(128, 0, 128)};

std::size_t tableIndex(int slot) {
    return static_cast<std::size_t>(std::max(slot, 0) % 15);
}

int roundedChannel(double v) {
    return static_cast<int>(std::clamp<std::int64_t>(roundHalfEvenToInt(v), 0, 255));
}

}  // namespace

std::uint32_t boatColourForSlot(int slot) {
    return kBoatColours[tableIndex(slot)];
}

void assignBoatColours(RaceModel& model) {
    for (int b = 0; b < model.boatCount(); ++b) model.boats[b].colour = boatColourForSlot(b);
    model.droppedBoat.colour = boatColourForSlot(0);
}

SeaColours seaColoursForLevel(int level) {
    const double v = std::clamp(level, 0, 100);
    const int r = roundedChannel(1.1 * v);
    const int g = roundedChannel(1.6 * v);
    const int b = std::min(255, roundedChannel(3.25 * v + 70));
    SeaColours c;
    c.sea = bgr(r, g, b);
    if (v > 50)
        c.grid = bgr(std::max(0, r - 50), std::max(0, g - 50), b);
    else
        c.grid = bgr(std::min(255, r + 80), std::min(255, g + 80), std::min(255, b + 80));
    return c;
}

}  // namespace korvane
