// The picture of the time bar: a 50 pixels wide panel as high as the window.
// Behind, the daylight of the venue row by row, the START box at the bottom
// and the repeat span in green; over it, from 5 pixels below the top to 40
// above the bottom, the striped bar: white while the reference boat sails
// upwind, blue-grey while it runs downwind, the gun in red and the pictures as
// diamonds. The moving pointer and a right-button drag in progress are drawn
// over the picture by their own functions, so that a frame does not redraw
// the whole panel.
#pragma once

#include <QImage>
#include <QPainter>
#include <optional>
#include <vector>

#include "race/model.h"
#include "replay/time_bar_scale.h"

namespace korvane {

inline constexpr int kTimeBarPanelWidth = 50;
inline constexpr int kTimeBarStripeLeft = 11;
inline constexpr int kTimeBarStripeTop = 5;
inline constexpr int kTimeBarStripeWidth = 30;
// Below the striped bar: room for the START box.
inline constexpr int kTimeBarBottomRoom = 40;
inline constexpr int kTimeBarStartBoxHeight = 30;
inline constexpr int kTimePointerHeight = 3;

struct TimeBarInput {
    double timelineBeginSeconds = 0;
    double timelineEndSeconds = 0;
    double timelineLengthSeconds = 0;
    int panelHeightPixels = 0;
    int windDirectionDegrees = 0;
    // Whose course colours the stripes; nothing draws no stripes.
    const std::vector<TrackPoint>* referenceTrack = nullptr;
    // Race seconds at which photographs were taken, camera offset applied.
    std::vector<double> pictureTimesSeconds;
    // Corrected time stretches each boat's clock: a picture's moment no
    // longer stands at one place on the bar, so none is shown.
    bool correctedTime = false;
    double startSecondsOfDay = 0;
    double sunriseSeconds = 21600;
    double sunsetSeconds = 64800;
    std::optional<RepeatSpan> repeat;
};

// The striped bar's height for a panel `panelHeight` high.
int timeBarStripeHeight(int panelHeightPixels);
// The scale of the striped bar (the one the mouse and the pointer use).
TimeBarScale timeBarScaleOf(const TimeBarInput& input);

QImage drawTimeBarPanel(const TimeBarInput& input);

// The replay's instant: a red band 3 pixels high across the panel.
void drawTimePointer(QPainter& painter, int topPixels);
// A right-button drag in progress, between two rows of the striped bar.
void drawRepeatDrag(QPainter& painter, int fromBarY, int toBarY);

}  // namespace korvane
