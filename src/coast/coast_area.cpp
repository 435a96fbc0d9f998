#include "coast/coast_area.h"

#include <cmath>

namespace korvane {

double CoastArea::sizeMinutes() const {
    return std::sqrt(latSpan * latSpan + 0.64 * lonSpan * lonSpan);
}

LatLonBox CoastArea::extended() const {
    return LatLonBox{trackBox.north + marginMinutes, trackBox.south - marginMinutes,
                     trackBox.east + 1.4 * marginMinutes, trackBox.west - 1.4 * marginMinutes};
}

}  // namespace korvane
