// The 170 x 170 overview of the whole race (tracks, coastline, landmarks,
// marks and lines), and the inset frame and boat dots placed on it.
#pragma once

#include <QImage>
#include <vector>

#include "coast/coastline.h"
#include "race/model.h"
#include "race/race_area.h"
#include "view/landmark_light.h"
#include "view/viewport.h"

namespace korvane {

inline constexpr int kOverviewSize = 170;

// Inset position (relative to the inset's top left) of a position.
QPoint overviewPoint(const RaceArea& area, bool northUp, int windDirection, double latMinutes,
                     double lonMinutes);

QImage drawOverviewMap(const RaceModel& model, const RaceArea& area, const Coastline* coastline,
                       const std::vector<LandmarkLight>* landmarks, bool northUp);

// The inset frame of the current view: left, top, right, bottom in inset
// coordinates.
QRect overviewFrameFor(const Viewport& view, const RaceArea& area);

}  // namespace korvane
