// The instruments drawn into every live frame: kilometre grid, wind arrow,
// scale bar and clock face.
#pragma once

#include <QPainter>
#include <cstdint>

#include "view/viewport.h"

namespace korvane {

// Grid spacing in km for a map of the given height.
double gridSpacingKm(int formHeight, double pixelsPerKm);

void drawKilometreGrid(QPainter& painter, const Viewport& view, double spacingKm,
                       std::uint32_t gridColour);

struct WindArrow {
    double angleDegrees = 0;  // screen direction the wind comes from
    double smoothedTwd = 0;   // for the label
    double smoothedTws = 0;   // 0 = no speed known
    int shift = 0;
};
void drawWindArrow(QPainter& painter, const Viewport& view, const WindArrow& arrow);

// The bar's kilometre text: "1Km", "500M", "0.05Km" style.
QString scaleBarText(double spacingKm);
void drawScaleBar(QPainter& painter, const Viewport& view, double spacingKm, bool pictureVisible);

// Clock hand angles in radians, clockwise from 12 o'clock.
struct ClockHands {
    double hour = 0;
    double minute = 0;
    double second = 0;
};
ClockHands clockHandsFor(double secondsOfDay);
void drawClockFace(QPainter& painter, const Viewport& view, double secondsOfDay, int seaLevel);

}  // namespace korvane
