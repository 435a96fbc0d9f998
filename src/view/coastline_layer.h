// The coastline on the live map, drawn fast: the polylines are cut once into
// short chunks with their boxes, so a frame skips what lies off the screen
// and drops points closer than a pixel to the last one drawn.
#pragma once

#include <QPainter>
#include <vector>

#include "coast/coastline.h"
#include "race/race_area.h"
#include "view/landmark_light.h"
#include "view/viewport.h"

namespace korvane {

class CoastlineLayer {
  public:
    CoastlineLayer() = default;
    explicit CoastlineLayer(const Coastline& coastline);

    // Draws with the painter's current pen. Returns the number of points drawn.
    std::size_t draw(QPainter& painter, const Viewport& view) const;
    std::size_t chunkCount() const { return chunks_.size(); }

  private:
    struct Chunk {
        GeoBox box;
        std::vector<GeoPoint> points;
    };
    std::vector<Chunk> chunks_;
    mutable QPolygon scratch_;
};

// Landmark lights on the live map (only at night): a widening ring for each
// light that is on, a red-edged yellow dot, and the name at label level 2+.
struct LandmarkDrawing {
    double pulse = 0;  // grows through each second
    double zoomDivisor = 1;
    int labelLevel = 0;
};
void drawLandmarkLights(QPainter& painter, const Viewport& view,
                        const std::vector<LandmarkLight>& lights, const LandmarkDrawing& how);

}  // namespace korvane
