// The small tools the map hands its mouse to: measuring range and bearing
// from a base point, zooming the static map around a click, moving the view
// from the overview inset, and picking the course point under the pointer
// for the course editor. Each works on a viewport and returns what changes;
// none of them draws or owns a widget.
#pragma once

#include <QPoint>
#include <QString>
#include <optional>

#include "coast/coastline.h"
#include "race/model.h"
#include "race/race_area.h"
#include "view/static_map.h"
#include "view/viewport.h"

namespace korvane {

class MeasureTool {
  public:
    void setBase(GeoPoint at, QPoint pixel) { base_ = Base{at, pixel}; }
    // Any key released: the next Shift asks for a new base.
    void forget() { base_.reset(); }
    bool hasBase() const { return base_.has_value(); }
    std::optional<QPoint> basePixel() const;
    // "RNG= 1234m / BRG= 56deg(M)" from the base to `at`, or the request for a base.
    QString reading(GeoPoint at, double cosLat, double magneticVariation) const;

  private:
    struct Base {
        GeoPoint at;
        QPoint pixel;
    };
    std::optional<Base> base_;
};

class ZoomTool {
  public:
    static constexpr double kStep = 1.5;
    // The clicked point becomes the centre; a left click enlarges, any other shrinks.
    static void click(StaticView& where, const Viewport& staticView, QPoint at, bool enlarge);
};

// A press on the static map is a zoom click or, once the pointer has moved
// more than a few pixels with the button down, a drag that pans the map
// under it. The click zooms on release, so that a drag never zooms first.
class PanTool {
  public:
    static constexpr int kDragPixels = 4;
    void press(QPoint at, bool leftButton, const Viewport& staticView);
    bool pressed() const { return press_.has_value(); }
    bool dragging() const { return press_ && press_->dragging; }
    // The pointer moved with the button down; true when the view moved.
    bool move(QPoint at, StaticView& where);
    // The button came up: a press that never dragged zooms around its
    // point. True when the view changed.
    bool release(StaticView& where);
    // A key or another tool took over: the press is forgotten.
    void cancel() { press_.reset(); }

  private:
    struct Press {
        QPoint at;
        bool leftButton = true;
        Viewport view;  // the static map as it was at the press
        bool dragging = false;
    };
    std::optional<Press> press_;
};

// Ctrl + wheel on the static map: one zoom step per notch around the
// pointer, which keeps the ground under it.
void zoomAtPointer(StaticView& where, const Viewport& staticView, QPoint at, int wheelDelta);

// The ZOOM bar after a wheel turn: one step either way, and with Auto Trace
// two more, never above 100 nor, with Auto Trace, below 1.
int wheelZoomPosition(int position, int wheelDelta, bool autoTrace);

class OverviewTool {
  public:
    // The map centre for a click at `at` inside the overview inset.
    static GeoPoint centreFor(QPoint at, const RaceArea& area, bool northUp, int windDirection);
    // Bearing of the click seen from the inset's centre (the course editor
    // turns the course wind by it).
    static double bearingFromCentre(QPoint at);
};

// A course point the editor may act on.
struct CoursePick {
    enum class Kind { Mark, LineStart, LineEnd };
    Kind kind = Kind::Mark;
    int index = 0;  // 0-based mark or line
    QString name;   // "MK3", "L1"
    // The nearest mark and the nearest line end within reach, each on its
    // own: a course click near both appends both.
    std::optional<int> mark = std::nullopt;
    std::optional<int> line = std::nullopt;
};

class EditPicker {
  public:
    static constexpr double kPickPixels = 30;
    static constexpr double kNearMinutes = 1.5;
    // The nearest mark or line end within reach of the pointer, measured on
    // the static map's scale; it also names the nearest of the other kind.
    static std::optional<CoursePick> pick(const RaceModel& model, const Viewport& staticView,
                                          QPoint at);
};

// A Shift-click in course-edit mode, for the course editor to act on.
struct CourseEditClick {
    GeoPoint at;
    bool leftButton = true;
    std::optional<CoursePick> picked;
};

}  // namespace korvane
