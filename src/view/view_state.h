// What the map keeps from one frame to the next for the open race: the
// search starts of the track and wind look-ups, the smoothed wind, the
// landmark pulse, and the pictures that change only with the orientation.
// The session owns one and resets it when a race opens.
#pragma once

#include <QImage>
#include <QRect>
#include <optional>
#include <vector>

#include "view/boat_now.h"
#include "view/coastline_layer.h"
#include "view/wind_now.h"

namespace korvane {

struct ViewState {
    std::vector<BoatNow> boats;  // by slot; pointIndex survives the frames
    WindNow wind;
    // Grown by 0.05 each replay tick and zeroed by the one-second light timer
    // (both belong to the replay); the renderer only reads it.
    double landmarkPulse = 0;
    QRect lastOverviewFrame;

    QImage compassRose;
    QImage compassImage;
    std::optional<double> compassAngle;
    QImage overview;
    std::optional<bool> overviewNorthUp;
    QImage windGraph;
    bool windGraphBuilt = false;
    CoastlineLayer coastline;
    bool coastlineBuilt = false;

    void reset() { *this = ViewState(); }
};

}  // namespace korvane
