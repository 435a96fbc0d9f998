// What the mouse over the map decides without a widget: the detail zones
// across the map's width, and the position under the pointer as the window
// caption writes it.
#pragma once

#include <QString>
#include <string>

#include "view/display_state.h"

namespace korvane {

struct PointerZones {
    int labelLevel = 0;
    bool showHiddenBoats = false;
    bool windArrowOn = false;
    bool landmarksOn = false;
    bool boatVanesOn = false;
    bool wakeColouringOn = false;
    bool blinkNamesOn = false;
};

struct PointerPlace {
    int x = 0;
    int y = 0;
    int width = 0;  // of the map
    int height = 0;
};

// The further left the pointer, the more the live map tells: names, then
// speeds, then the two-boat measure; over the compass the wind vanes; along
// the bottom the wake colours; near the top blinking names.
PointerZones pointerZones(const PointerPlace& at, Page page, bool autoTrace, bool showName);

// Copies the zones into what the renderer reads.
void applyZones(const PointerZones& zones, DisplayState& display);

// "N35:18.123", "E139:29.004": whole degrees, then the minutes with two
// integer digits and three decimals (cut, not rounded).
QString latitudeText(double latMinutes);
QString longitudeText(double lonMinutes);

// The window caption while the pointer is over the map.
QString mapCaption(const std::string& raceCaption, const std::string& note, double latMinutes,
                   double lonMinutes, Page page, bool smallScreen);

}  // namespace korvane
