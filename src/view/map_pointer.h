// What the mouse over the map decides without a widget: the detail zones
// across the map's width, and the position under the pointer as the window
// caption writes it.
#pragma once

#include <QString>
#include <string>

#include "view/display_state.h"

namespace korvane {

struct PointerPlace {
    int x = 0;
    int y = 0;
    int width = 0;  // of the map
    int height = 0;
};

// The further left the pointer, the more the live map tells: names, then
// speeds, then the two-boat measure; over the compass the wind vanes; along
// the bottom the wake colours; near the top blinking names. The right
// quarter shows neither the wind arrow nor the landmarks.
MapDetail pointerZones(const PointerPlace& at, Page page, bool autoTrace, bool showName);

// "N35:18.123", "E139:29.004": whole degrees, then the minutes with two
// integer digits and three decimals (cut, not rounded).
QString latitudeText(double latMinutes);
QString longitudeText(double lonMinutes);

// The window caption while the pointer is over the map.
QString mapCaption(const std::string& raceCaption, const std::string& note, double latMinutes,
                   double lonMinutes, Page page, bool smallScreen);

}  // namespace korvane
