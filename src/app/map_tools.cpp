#include "app/map_tools.h"

#include <algorithm>
#include <cmath>

#include "base/local_plane.h"
#include "base/numbers.h"
#include "view/overview_map.h"

namespace korvane {

std::optional<QPoint> MeasureTool::basePixel() const {
    if (!base_) return std::nullopt;
    return base_->pixel;
}

QString MeasureTool::reading(GeoPoint at, double cosLat, double magneticVariation) const {
    if (!base_) return QStringLiteral("Click to set base point");
    const RangeBearing rb =
        rangeAndBearing(base_->at.latMinutes, base_->at.lonMinutes, at.latMinutes, at.lonMinutes,
                        cosLat, magneticVariation);
    return QStringLiteral("RNG= %1m / BRG= %2deg(M)")
        .arg(roundHalfEvenToInt(rb.rangeMetres))
        .arg(roundHalfEvenToInt(rb.bearingDegrees));
}

void ZoomTool::click(StaticView& where, const Viewport& view, QPoint at, bool enlarge) {
    const GeoPoint p = view.fromScreen(at.x(), at.y());
    where.centreLat = p.latMinutes;
    where.centreLon = p.lonMinutes;
    where.manualZoom = enlarge ? where.manualZoom * kStep : where.manualZoom / kStep;
}

void PanTool::press(QPoint at, bool leftButton, const Viewport& staticView) {
    press_ = Press{at, leftButton, staticView, false};
}

bool PanTool::move(QPoint at, StaticView& where) {
    if (!press_) return false;
    if (!press_->dragging && (at - press_->at).manhattanLength() <= kDragPixels) return false;
    press_->dragging = true;
    // From the view at the press, so that the steps of a drag add up to
    // exactly where the pointer is, whatever was drawn in between.
    const GeoPoint c = panCentre(press_->view, {double(press_->at.x()), double(press_->at.y())},
                                 {double(at.x()), double(at.y())});
    where.centreLat = c.latMinutes;
    where.centreLon = c.lonMinutes;
    return true;
}

bool PanTool::release(StaticView& where) {
    if (!press_) return false;
    const Press p = *press_;
    press_.reset();
    if (p.dragging) return false;
    ZoomTool::click(where, p.view, p.at, p.leftButton);
    return true;
}

void zoomAtPointer(StaticView& where, const Viewport& view, QPoint at, int wheelDelta) {
    if (wheelDelta == 0) return;
    const double factor = wheelDelta > 0 ? ZoomTool::kStep : 1 / ZoomTool::kStep;
    const GeoPoint c = zoomCentre(view, {double(at.x()), double(at.y())}, factor);
    where.centreLat = c.latMinutes;
    where.centreLon = c.lonMinutes;
    where.manualZoom *= factor;
}

int wheelZoomPosition(int position, int wheelDelta, bool autoTrace) {
    const int step = autoTrace ? 3 : 1;
    int p = wheelDelta > 0 ? position + step : position - step;
    p = std::min(p, 100);
    if (autoTrace && p <= 0) p = 1;
    return std::max(p, 0);
}

GeoPoint OverviewTool::centreFor(QPoint at, const RaceArea& area, bool northUp, int windDirection) {
    Viewport inset;
    inset.width = inset.height = kOverviewSize;
    inset.centreLat = area.centreLat;
    inset.centreLon = area.centreLon;
    inset.latScale = area.overviewLatScale;
    inset.lonScale = area.overviewLonScale;
    inset.northUp = northUp;
    inset.windDirectionDegrees = windDirection;
    return inset.fromScreen(at.x(), at.y());
}

double OverviewTool::bearingFromCentre(QPoint at) {
    const double half = kOverviewSize / 2.0;
    return bearingOf(-(at.y() - half), at.x() - half);
}

std::optional<CoursePick> EditPicker::pick(const RaceModel& m, const Viewport& v, QPoint at) {
    const GeoPoint here = v.fromScreen(at.x(), at.y());
    std::optional<CoursePick> best;
    double bestPixels = kPickPixels;
    std::optional<int> mark, line;
    double markPixels = kPickPixels, linePixels = kPickPixels;
    auto consider = [&](double lat, double lon, CoursePick::Kind kind, int index, QString name) {
        const double dLat = lat - here.latMinutes, dLon = lon - here.lonMinutes;
        if (!(std::abs(dLat) + std::abs(dLon) < kNearMinutes)) return;
        const double pixels = std::hypot(dLat * v.latScale, dLon * v.lonScale);
        const bool isMark = kind == CoursePick::Kind::Mark;
        if (double& nearest = isMark ? markPixels : linePixels; pixels < nearest) {
            nearest = pixels;
            (isMark ? mark : line) = index;
        }
        if (pixels < bestPixels) {
            bestPixels = pixels;
            best = CoursePick{kind, index, std::move(name)};
        }
    };
    int k = 0;
    for (const Mark& mark : m.marks) {
        consider(mark.latMinutes, mark.lonMinutes, CoursePick::Kind::Mark, k,
                 QStringLiteral("MK%1").arg(k + 1));
        ++k;
    }
    k = 0;
    for (const Line& l : m.lines) {
        const QString name = QStringLiteral("L%1").arg(k + 1);
        consider(l.lat1Minutes, l.lon1Minutes, CoursePick::Kind::LineStart, k, name);
        if (l.lat2Minutes != 0)
            consider(l.lat2Minutes, l.lon2Minutes, CoursePick::Kind::LineEnd, k, name);
        ++k;
    }
    if (best) {
        best->mark = mark;
        best->line = line;
    }
    return best;
}

}  // namespace korvane
