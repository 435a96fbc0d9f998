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

// The points of a track the corridor joins: fixes 1, 101, 201, ... and the
// last fix (the sampled points alone would leave out the end of every track
// and the whole of a track shorter than the stride). `position` maps a fix
// to a GeoPoint, so callers sample their own fix type without copying it.
inline constexpr std::size_t kCorridorStride = 100;

template <class Track, class Position>
std::vector<GeoPoint> corridorPath(const Track& track, Position position) {
    std::vector<GeoPoint> path;
    const std::size_t n = track.size();
    if (n == 0) return path;
    path.reserve(n / kCorridorStride + 2);
    for (std::size_t i = 0; i < n; i += kCorridorStride) path.push_back(position(track[i]));
    if ((n - 1) % kCorridorStride != 0) path.push_back(position(track[n - 1]));
    return path;
}

inline std::vector<GeoPoint> corridorPath(const std::vector<GeoPoint>& track) {
    return corridorPath(track, [](const GeoPoint& p) { return p; });
}

class CorridorMask {
  public:
    static constexpr int kSize = 300;

    // Draws every path (see corridorPath) in pure red with a pen as wide as
    // the corridor, on a mask centred on the map centre.
    CorridorMask(const CoastArea& area, const std::vector<std::vector<GeoPoint>>& paths);

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
    void draw(QImage& image, const std::vector<std::vector<GeoPoint>>& paths) const;

    double centreLat_ = 0;
    double centreLon_ = 0;
    double xScale_ = 1;  // pixels per minute of longitude
    double yScale_ = 1;  // pixels per minute of latitude
    double halfWidthMinutes_ = 30;
    int penWidth_ = 1;
    std::vector<std::uint8_t> red_;
};

}  // namespace korvane
