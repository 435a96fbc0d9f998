// A time trace through many fixes, reduced to what the pixels can show: of
// the fixes that fall on one pixel row (one time step of the page) only the
// first, the leftmost, the rightmost and the last are kept, in their order,
// so the polyline covers the same pixels with a few points a row instead of
// hundreds. A course trace wraps round at the panel's edges instead of
// crossing it.
#pragma once

#include <QPolygon>
#include <optional>
#include <vector>

namespace korvane {

struct WrapEdges {
    int left = 0;
    int right = 0;
};

class TracePath {
  public:
    explicit TracePath(std::optional<WrapEdges> wrap = std::nullopt) : wrap_(wrap) {}

    void add(QPoint p);
    // The pieces of the trace; a wrap ends one piece at an edge and starts
    // the next at the other edge, at the same height.
    std::vector<QPolygon> finish();

  private:
    void flushRow();
    void put(QPoint p);

    std::optional<WrapEdges> wrap_;
    std::vector<QPolygon> pieces_{QPolygon()};
    bool inRow_ = false;
    int order_ = 0;  // fixes seen in the row
    QPoint first_, last_, min_, max_;
    int minOrder_ = 0, maxOrder_ = 0;
};

}  // namespace korvane
