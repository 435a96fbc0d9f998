// The boat layer of a frame: wakes, cross-wind lines and labels, the
// highlight rings, wind vanes, hulls and sails. Boats are drawn from the
// last to the first so the first boat ends on top.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "race/model.h"
#include "view/boat_now.h"
#include "view/display_state.h"
#include "view/text_stamps.h"
#include "view/viewport.h"
#include "view/wind_now.h"

namespace korvane {

struct HullPoint {
    int x = 0;  // percent of the length, to starboard
    int y = 0;  // percent of the length, aft (negative = forward)
};
// Points 0..7 outline the hull (7 closes it at the bow), point 8 is the mast.
using HullShape = std::array<HullPoint, 9>;

HullShape hullShapeFor(double boatLengthMetres);

// Track points between wake dots: about 10000 / latScale seconds apart.
int wakeStep(double latScale, int fixIntervalSeconds);

// Left x of a label beside a hull: right of it, or left when it would run
// past the right edge.
int labelLeft(double boatX, double symbolLength, int textWidth, int mapWidth);

// Screen points of the hull outline (0..7) and mast (8) of a boat at `at`
// turned to screen heading `headingDegrees`, drawn `size` pixels long.
std::array<QPoint, 9> hullPolygon(const HullShape& shape, QPointF at, double size,
                                  double headingDegrees);

struct BoatLayerInput {
    const RaceModel* model = nullptr;
    const std::vector<BoatNow>* boats = nullptr;  // by slot
    const std::vector<bool>* visible = nullptr;   // by slot
    const WindNow* wind = nullptr;
    const DisplayState* display = nullptr;
    HullShape hull{};
    double timeSeconds = 0;
    double symbolLength = 6;  // L of the frame
    std::uint32_t seaColour = 0;
    int visibleCount = 0;
    std::optional<std::pair<int, int>> measured;  // the two boats of the two-boat measure
    TextStamps* labels = nullptr;                 // the 9 point label font
};

// Returns the number of hulls drawn on screen.
int drawBoatLayer(QPainter& painter, const Viewport& view, const BoatLayerInput& in);

}  // namespace korvane
