// What the coastline readers need to know of the race: the track bounds, the
// centre and spans of the drawn area, and the margin of the race file. The
// session fills it from the race area; nothing here reaches into the model.
#pragma once

namespace korvane {

struct LatLonBox {
    double north = 0;  // minutes of arc
    double south = 0;
    double east = 0;
    double west = 0;
};

struct CoastArea {
    bool known = false;    // false: no position of the race is known at all
    LatLonBox trackBox;    // bounds of the tracks
    double centreLat = 0;  // the map centre, minutes
    double centreLon = 0;
    double cosLat = 1;
    double latSpan = 0;  // padded, squared extent of the drawn area, minutes
    double lonSpan = 0;
    double marginMinutes = 5;  // ADDAREA

    // √(latSpan² + 0.64 × lonSpan²): decides between tiles and the
    // whole-country file, and sets the corridor width.
    double sizeMinutes() const;
    // The track bounds widened by the margin, 1.4 times wider east and west.
    LatLonBox extended() const;
};

}  // namespace korvane
