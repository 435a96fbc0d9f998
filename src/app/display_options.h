// What the user chose the map to show, as the control panel holds it: the
// frame's picture is assembled from these values and the replay's state,
// never by reading the controls while drawing.
#pragma once

namespace korvane {

struct DisplayOptions {
    bool northUp = true;
    bool autoTrace = true;
    bool layLine = false;
    bool compLine = false;
    bool chart = false;
    bool showName = true;
    bool bigBoat = true;
    bool smallScreen = false;
    int seaLevel = 100;    // the sea colour bar, 0 .. 100
    int zoomPosition = 0;  // the ZOOM bar, 0 .. 100

    bool operator==(const DisplayOptions&) const = default;
};

}  // namespace korvane
