// Where the course labels go: beside their point (8 pixels right, 6 up),
// and under the labels already placed at the same point, so that two lines
// sharing an end (a start and a finish at the committee boat) read "L1" and
// "L2" rather than a tangle of both.
#pragma once

#include <QPoint>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace korvane {

class CourseLabelPlaces {
  public:
    explicit CourseLabelPlaces(int lineHeight) : lineHeight_(lineHeight) {}

    // The top left corner of the next label of `point`.
    QPoint next(QPoint point) {
        const auto here = std::count_if(points_.begin(), points_.end(), [point](QPoint earlier) {
            return std::abs(earlier.x() - point.x()) <= kSameSpot &&
                   std::abs(earlier.y() - point.y()) <= kSameSpot;
        });
        points_.push_back(point);
        return point + QPoint(8, -6 + static_cast<int>(here) * lineHeight_);
    }

  private:
    static constexpr int kSameSpot = 2;  // pixels apart that still read as one point
    int lineHeight_;
    std::vector<QPoint> points_;
};

}  // namespace korvane
