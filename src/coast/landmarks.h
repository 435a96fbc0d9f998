// Lighthouses and other landmarks near the race, and the phase of their
// lights at each tick of the one-second light timer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "coast/coast_area.h"

namespace korvane {

// The landmark files, in the order they are looked for; the first one found
// is the only one read.
inline constexpr const char* kLandmarkFiles[] = {"jpnlh.lh", "jlh.lh", "toba.lh"};

struct Landmark {
    std::string name;  // without the catalogue prefix up to the first "_"
    double latMinutes = 0;
    double lonMinutes = 0;
    int periodSeconds = 0;  // 0 or less: never lit
    int litSeconds = 0;     // seconds lit at the start of each period
    std::string colours;    // first letter: main flash; last letter: half-period flash
    double size = 0;        // drawn size, scaled by the renderer
};

enum class LightColour { White, Red, Green };

struct LightState {
    bool lit = false;
    LightColour colour = LightColour::White;
};

// Reads a landmark file and keeps the landmarks near the tracks (5 minutes
// south, west and east of them, 8 minutes north). Lines that cannot be read
// are skipped.
std::vector<Landmark> readLandmarks(std::string_view bytes, const LatLonBox& trackBox);

// One data line, without the area filter; nothing for comments and lines
// that cannot be read.
bool parseLandmarkLine(std::string_view line, Landmark& out);

LightColour colourOfLetter(char letter);
// 0x00BBGGRR, the colour value the renderer draws with.
std::uint32_t colourValue(LightColour colour);

// The light of landmark `index` (its place in the list, from 0) after the
// light timer's counter has reached `tick` (1 on the first second). Lights
// start dark in their main colour.
LightState lightPhase(const Landmark& landmark, int index, std::int64_t tick);

}  // namespace korvane
