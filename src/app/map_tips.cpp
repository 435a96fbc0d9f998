#include "app/map_tips.h"

#include <QEvent>
#include <QMouseEvent>

#include "app/control_panel.h"
#include "app/course_editing.h"
#include "app/map_view.h"
#include "app/overview_panel.h"
#include "view/map_pointer.h"
#include "view/wind_graph.h"

namespace korvane {

namespace {

constexpr int kWakeTipFromRight = 275;
constexpr int kWakeTipTop = 5;
constexpr int kBesidePointer = 5;
constexpr int kEditingWindUpFromPointer = 265;

std::optional<PointerTip> editStepTip(EditAction action) {
    switch (action) {
        case EditAction::PlaceMarks:
            return PointerTip::EditMark;
        case EditAction::LineFirstEnd:
            return PointerTip::EditLineStart;
        case EditAction::LineSecondEnd:
            return PointerTip::EditLineEnd;
        case EditAction::BuildCourse:
            return PointerTip::EditCourse;
        case EditAction::None:
        case EditAction::DrawWind:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<PointerTip> mapTipAt(const MapTipState& s, QPoint at, QSize mapSize) {
    if (!s.trackPage) return std::nullopt;
    if (s.playing && windGraphArea().contains(at)) return PointerTip::WindGraph;
    if (!s.autoTrace && !s.playing) {
        if (!s.editMode) return PointerTip::MapZoom;
        return editStepTip(s.editAction).value_or(PointerTip::MapZoomEditing);
    }
    const MapDetail zones = pointerZones({at.x(), at.y(), mapSize.width(), mapSize.height()},
                                         Page::Track, s.autoTrace, false);
    if (zones.wakeColouringOn) return PointerTip::Wake;
    return std::nullopt;
}

QRect windGraphArea() {
    return QRect(kWindGraphLeft, kWindGraphTop, kWindGraphWidth, kWindGraphHeight);
}

TipRect placeMapTip(PointerTip tip, TipRect box, QPoint at, QSize mapSize) {
    if (tip == PointerTip::WindGraph) {
        // Beside the graph, where it does not hide what it explains.
        box.left = kWindGraphLeft + kWindGraphWidth + kBesidePointer;
        box.top = kWindGraphTop;
        return box;
    }
    if (tip == PointerTip::Wake) {
        box.left = mapSize.width() - kWakeTipFromRight;
        box.top = kWakeTipTop;
        return box;
    }
    return placeOverPointer(box, at.x(), at.y());
}

std::optional<PointerTip> overviewTip(const MapTipState& s) {
    if (s.smallScreen) return PointerTip::OverviewSmallScreen;
    if (!s.trackPage || s.playing) return std::nullopt;
    if (s.editMode && !s.northUp) return PointerTip::OverviewEditingWindUp;
    return PointerTip::Overview;
}

TipRect placeOverviewTip(PointerTip tip, TipRect box, QPoint at) {
    box.top = at.y() + kBesidePointer;
    switch (tip) {
        case PointerTip::OverviewSmallScreen:
            box.left = 0;  // the panel's left edge
            break;
        case PointerTip::OverviewEditingWindUp:
            box.left = at.x() - kEditingWindUpFromPointer;
            break;
        default:
            box.left = at.x() - box.width - kBesidePointer;
            break;
    }
    return box;
}

MapTips::MapTips(TipController* tips, MapView* map, OverviewPanel* overview,
                 const ControlPanel* controls, const CourseEditing* editing)
    : QObject(map),
      tips_(tips),
      map_(map),
      overview_(overview),
      controls_(controls),
      editing_(editing) {
    map_->installEventFilter(this);
    overview_->installEventFilter(this);
}

MapTipState MapTips::state() const {
    MapTipState s;
    const DisplayOptions& options = controls_->displayOptions();
    s.trackPage = tips_->trackPage();
    s.autoTrace = options.autoTrace;
    s.playing = tips_->playing();
    s.editMode = map_->editMode();
    s.editAction = editing_ ? editing_->editor().action() : EditAction::None;
    s.northUp = options.northUp;
    s.smallScreen = options.smallScreen;
    return s;
}

bool MapTips::eventFilter(QObject* watched, QEvent* event) {
    // The tip of the control the pointer came from does not follow it over
    // the map, nor does the map's tip follow it off the map.
    if ((event->type() == QEvent::Leave || event->type() == QEvent::Enter) && watched == map_)
        tips_->hideTip();
    if (event->type() != QEvent::MouseMove) return false;
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    std::optional<PointerTip> tip;
    if (watched == map_) {
        tip = mapTipAt(state(), at, map_->size());
        if (!tip) return false;  // the last tip stays until something puts it away
        // The wind graph's tip shows even with the tips turned off.
        if (tip != PointerTip::WindGraph && !tips_->pointerTipsOn()) return false;
    } else if (!tips_->pointerTipsOn()) {
        return false;
    } else if (watched == overview_) {
        // The logo's own tip stays; beside the overview the logo panel puts
        // the tip away.
        if (overview_->childAt(at)) return false;
        if (overview_->overviewRect().contains(at)) tip = overviewTip(state());
        if (!tip) {
            tips_->hideTip();
            return false;
        }
    } else {
        return false;
    }
    TipBox box = tips_->pointerTip(*tip);
    const QSize mapSize = map_->size();
    box.rect = watched == map_ ? placeMapTip(*tip, box.rect, at, mapSize)
                               : placeOverviewTip(*tip, box.rect, at);
    tips_->showOver(static_cast<QWidget*>(watched), box);
    return false;
}

}  // namespace korvane
