// What the window tells the renderer (check boxes, radio buttons, mouse
// zones, the page) and what the renderer hands back for the window to move.
// Plain values only, so a frame can be drawn and checked without widgets.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "coast/coastline.h"
#include "view/viewport.h"

namespace korvane {

enum class Page { Track, Graph, Analysis };

// How much the live map tells. The pointer's place over the map decides it
// (map_pointer.h); without a pointer the wind arrow and the landmarks show.
struct MapDetail {
    int labelLevel = 0;  // 0 ... 3
    bool showHiddenBoats = false;
    bool windArrowOn = true;
    bool landmarksOn = true;
    bool boatVanesOn = false;
    bool wakeColouringOn = false;
    bool blinkNamesOn = false;
};

// Its framing comes from "Northwd" / "Windwd", "Auto Trace", the ZOOM bar
// and the static map's zoom and centre; its detail from the pointer.
struct DisplayState : MapFraming, MapDetail {
    Page page = Page::Track;
    bool showName = false;  // "Show Name"
    bool bigBoat = false;   // "Big Boat"
    bool layLine = false;   // "Lay Line"
    bool compLine = false;  // "Comp Line"
    bool chart = false;     // "Chart": map tiles under the map
    bool blinkPhase = false;
    int smallScreen = 0;      // 3 with "Small Scr"
    bool overviewOn = false;  // the inset drawn into the frame
    bool pictureVisible = false;
    bool timeBarHover = false;
    bool isNight = false;
    int seaLevel = 100;                // sea-colour bar 0 ... 100
    std::optional<int> highlightBoat;  // a boat slot
    std::optional<int> pickedBoat;     // a boat slot
    std::optional<int> centredBoat;    // a boat slot Auto Trace keeps in the middle
    // Boat check boxes by slot; empty means every boat's own visible flag.
    std::vector<bool> boatChecked;
    // Boats the replay has seen finish (by slot); they get no inset dot.
    std::vector<bool> boatFinished;
    double avgUpwindSpeedKnots = 10000;
    double avgDownwindSpeedKnots = 10000;
    double replaySpeed = 1;
    int timeBarTop = 0;
    int timeBarHeight = 0;
    std::optional<std::pair<GeoPoint, GeoPoint>> referencePoints;
};

struct SceneResult {
    bool drawn = false;            // false: no boat had a position (end of replay)
    bool boatsMoving = false;      // false: at most finished boats, held (end of replay)
    bool recheckAllBoats = false;  // every boat was unchecked: the window re-checks them
    int timePointerTop = 0;
    std::string sizeNote;              // "Real Size" / "Size Enlarged"
    std::vector<QPoint> overviewDots;  // by slot, inset coordinates
    QRect overviewFrame;
    int boatsOnScreen = 0;
    int visibleCount = 0;
    std::string playSpeedText;  // shown when smallScreen >= 1, else empty
};

}  // namespace korvane
