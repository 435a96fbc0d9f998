// The standings in each frame of a film, as the window's standings panel
// shows them beside the replay: the leading boats with their colour, place,
// leg and gap to the leader, under a heading that turns into the results
// once every boat is in. Drawn at the left under the compass and the wind
// graph, where the map keeps its instruments off the boats.
#pragma once

#include <QImage>
#include <QRect>

#include "analysis/standings.h"
#include "race/model.h"

namespace korvane {

// At most this many boats; a small film shows fewer, as many as fit.
inline constexpr int kFilmStandingsRows = 10;

// The box the table fills in a frame of `frame` pixels with `boats` ranked
// or listed boats; empty when not one row fits.
QRect filmStandingsBox(QSize frame, int boats);

void drawFilmStandings(QImage& frame, const RaceModel& model, const Standings& standings,
                       bool japanese);

}  // namespace korvane
