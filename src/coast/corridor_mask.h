// The corridor round the boats' tracks, drawn once per opening on a small
// bitmap so that keeping or dropping a whole-country polyline costs one
// pixel lookup.
#pragma once

#include <cstdint>
#include <vector>

#include "coast/coast_area.h"
#include "coast/coastline.h"

class QImage;

namespace korvane {

class CorridorMask {
  public:
    static constexpr int kSize = 300;

    // Draws every track (its points 1, 101, 201, ... and its last point) in
    // pure red with a pen as wide as the corridor, on a mask centred on the
    // map centre.
    CorridorMask(const CoastArea& area, const std::vector<std::vector<GeoPoint>>& tracks);

    // The corridor half-width h in minutes: a tenth of the area size, at
    // least 30.
    double halfWidthMinutes() const { return halfWidthMinutes_; }
    int penWidth() const { return penWidth_; }

    // The mask pixel of a position, or nothing outside the mask.
    bool pixelOf(double latMinutes, double lonMinutes, int& x, int& y) const;
    bool isRed(double latMinutes, double lonMinutes) const {
        int x = 0, y = 0;
        return pixelOf(latMinutes, lonMinutes, x, y) &&
               red_[static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x)] != 0;
    }

  private:
    void draw(QImage& image, const std::vector<std::vector<GeoPoint>>& tracks) const;

    double centreLat_ = 0;
    double centreLon_ = 0;
    double xScale_ = 1;  // pixels per minute of longitude
    double yScale_ = 1;  // pixels per minute of latitude
    double halfWidthMinutes_ = 30;
    int penWidth_ = 1;
    std::vector<std::uint8_t> red_;
};

}  // namespace korvane
