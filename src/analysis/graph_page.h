// The Graph page: two time charts of the whole race side by side, time
// running upward. Left: every shown boat's course over ground (magnetic)
// against the mean wind, with the wind direction history in red; right:
// every shown boat's speed over ground. Drawn from the raw fixes into the
// page bitmap; the window only copies it.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

#include "analysis/page_state.h"
#include "analysis/trace_path.h"
#include "race/model.h"

namespace korvane {

// The speed axis in whole knots: 1.5 times the fastest fix of any boat,
// rounded, kept between 5 and 16.
int graphSpeedMaxKnots(const RaceModel& model);
// Seconds between the time grid lines for a timeline of this length.
int timeGridStepSeconds(double timelineLengthSeconds);

struct GraphLayout {
    QRect coursePanel;  // left
    QRect speedPanel;   // right
    int speedMaxKnots = 5;
    double timelineBegin = 0;
    double timelineEnd = 0;
    double timelineLength = 1;
    int windDirection = 0;
    double magneticVariation = 0;

    int top() const { return coursePanel.top(); }
    int bottom() const { return coursePanel.top() + coursePanel.height(); }
    int timeToY(double timeSeconds) const;
    double yToTime(int y) const;
    bool inTimeline(double timeSeconds) const {
        return timeSeconds >= timelineBegin && timeSeconds <= timelineEnd;
    }
    // An angle in degrees on the course axis, the mean wind a quarter of the
    // way across.
    int courseToX(double degrees) const;
    int speedToX(double knots) const;
    WrapEdges courseEdges() const {
        return {coursePanel.left(), coursePanel.left() + coursePanel.width()};
    }
};

GraphLayout graphLayout(const RaceModel& model, int width, int height);

// A boat's course (magnetic) and speed traces, reduced per pixel row.
struct BoatTraces {
    std::vector<QPolygon> course;
    std::vector<QPolygon> speed;
};
BoatTraces boatTraces(const GraphLayout& layout, const Boat& boat, double magneticVariation);
// The wind direction history on the course axis.
std::vector<QPolygon> windDirectionTrace(const GraphLayout& layout,
                                         const std::vector<WindSample>& samples);

void drawGraphPage(QImage& page, const RaceModel& model, const PageState& state);

}  // namespace korvane
