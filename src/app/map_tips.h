// The tips over the map and over the overview beside it: what a click on
// the static map does (or which course point the next Shift-click places),
// the wake colours along the live map's bottom, and what a click on the
// overview does. Which tip is due is worked out from plain state, so it can
// be checked without a pointer; the class only watches the two widgets.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "app/tip_controller.h"
#include "race/course_editor.h"

namespace korvane {

class ControlPanel;
class CourseEditing;
class MapView;
class OverviewPanel;

struct MapTipState {
    bool trackPage = true;
    bool autoTrace = true;
    bool playing = true;
    bool editMode = false;
    EditAction editAction = EditAction::None;
    bool northUp = true;
    bool smallScreen = false;
};

// The tip for the pointer at `at` on a map of `mapSize`, placed in the
// map's coordinates; nothing where the map has none.
std::optional<PointerTip> mapTipAt(const MapTipState& state, QPoint at, QSize mapSize);
TipRect placeMapTip(PointerTip tip, TipRect box, QPoint at, QSize mapSize);
// Where the live map shows the wind graph.
QRect windGraphArea();

// The tip for the pointer over the overview, and where it stands in the
// coordinates of the panel holding the overview.
std::optional<PointerTip> overviewTip(const MapTipState& state);
TipRect placeOverviewTip(PointerTip tip, TipRect box, QPoint at);

class MapTips : public QObject {
    Q_OBJECT
  public:
    MapTips(TipController* tips, MapView* map, OverviewPanel* overview,
            const ControlPanel* controls, const CourseEditing* editing);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    MapTipState state() const;

    TipController* tips_;
    MapView* map_;
    OverviewPanel* overview_;
    const ControlPanel* controls_;
    const CourseEditing* editing_;
};

}  // namespace korvane
