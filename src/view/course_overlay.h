// Marks, lines, laylines, the course path and reference lines on the live
// map (Auto Trace mode).
#pragma once

#include <QPainter>
#include <cstdint>
#include <vector>

#include "coast/coastline.h"
#include "race/model.h"
#include "view/text_stamps.h"
#include "view/viewport.h"

namespace korvane {

struct CourseOverlayStyle {
    bool layLine = false;
    int labelLevel = 0;
    int twdTrue = 0;  // degrees, the wind of this frame
    std::uint32_t seaColour = 0;
    double boatLengthMetres = 4.7;  // Race::defaultBoatLength
    TextStamps* labels = nullptr;
};

// Mark circle radius: three boat lengths, at least 10 pixels.
int markCircleRadius(double boatLengthMetres, double latScale);

// A mark or line end: a dotted yellow circle of `radius` and a yellow dot
// edged in black. The static map draws them the same way.
void drawMarkDot(QPainter& painter, QPoint at, int radius);

// Positions of the course points in course order: a mark, or the middle of
// a line. Unknown entries are left out.
std::vector<GeoPoint> coursePointsOf(const RaceModel& model);

// The wind axis and the four laylines through a screen point.
void drawLaylines(QPainter& painter, const Viewport& view, const Race& race, int twdTrue,
                  QPoint at);

void drawCourseOverlay(QPainter& painter, const Viewport& view, const RaceModel& model,
                       const CourseOverlayStyle& style);

}  // namespace korvane
