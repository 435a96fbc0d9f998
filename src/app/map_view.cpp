#include "app/map_view.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include "session/scene_sources.h"
#include "view/boat_selection.h"
#include "view/edit_snapshot.h"
#include "view/map_pointer.h"
#include "view/overview_map.h"

namespace korvane {

namespace {

constexpr int kInfoHeight = 17;
constexpr int kMeasureInfoWidth = 200;
constexpr int kBaseRequestWidth = 180;
constexpr int kPickInfoWidth = 40;

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    info_ = new QLabel(this);
    info_->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; }"));
    info_->setAttribute(Qt::WA_TransparentForMouseEvents);
    info_->hide();
    // Tiles come in while the replay may stand still.
    connect(&chart_, &ChartBackground::tilesArrived, this, [this] {
        if (session_ && lastDisplay_.chart) emit viewChanged();
    });
}

void MapView::setSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    state_.reset();
    view_ = Viewport();
    measure_.forget();
    resetStaticView();
}

void MapView::replaceSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    state_.reset();
    staticKey_.reset();
}

void MapView::resetStaticView() {
    staticWhere_ = StaticView();
    if (session_) {
        const GeoBox& box = session_->area.box;
        staticWhere_.centreLat = (box.maxLat + box.minLat) / 2;
        staticWhere_.centreLon = (box.maxLon + box.minLon) / 2;
    }
    staticKey_.reset();
}

bool MapView::staticShown() const {
    return session_ && !lastDisplay_.autoTrace && lastDisplay_.page == Page::Track;
}

QRect MapView::overviewRect() const {
    return QRect(width() - kOverviewSize, 0, kOverviewSize, kOverviewSize);
}

void MapView::refreshStaticMap(const DisplayState& d) {
    staticWhere_.northUp = d.northUp;
    staticWhere_.windDirectionDegrees = session_->model.race.windDirection;
    StaticKey key{scene_.size(),
                  staticWhere_.centreLat,
                  staticWhere_.centreLon,
                  staticWhere_.manualZoom,
                  d.northUp,
                  d.seaLevel,
                  d.boatChecked,
                  {}};
    if (repeatSpan_) key.span = std::pair(repeatSpan_->startSeconds, repeatSpan_->endSeconds);
    if (d.chart) key.chartGeneration = chart_.generation();
    if (staticKey_ != key) {
        staticMap_ = QImage(scene_.size(), QImage::Format_RGB32);
        StaticMapInput in{&session_->model, &session_->area, &session_->coast.coastline,
                          key.visible,      repeatSpan_,     d.seaLevel};
        if (d.chart) in.chart = &chart_.input();
        const StaticMapResult r = drawStaticMap(staticMap_, in, staticWhere_);
        staticViewport_ = r.view;
        staticKey_ = std::move(key);
        highlightDrawn_.reset();
        highlightMap_ = QImage();
        if (r.lineEndMissing) emit lineEndMissing();
    }
    const std::optional<int> h = d.highlightBoat;
    if (h != highlightDrawn_) {
        highlightDrawn_ = h;
        highlightMap_ = QImage();
        if (h && *h < session_->model.boatCount()) {
            const Boat& boat = session_->model.boats.at(*h);
            highlightMap_ = drawHighlightTrack(staticMap_, staticViewport_, boat.track, boat.colour,
                                               repeatSpan_);
        }
    }
}

SceneResult MapView::drawFrame(double timeSeconds, const DisplayState& given, double landmarkPulse,
                               std::int64_t lightTicks) {
    if (scene_.size() != size() || scene_.isNull())
        scene_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    DisplayState display = given;
    lastDisplay_ = given;
    if (!session_) {
        clearScene(scene_, display.seaLevel);
        update();
        return {};
    }
    if (pointer_)
        static_cast<MapDetail&>(display) =
            pointerZones({pointer_->x(), pointer_->y(), width(), height()}, display.page,
                         display.autoTrace, display.showName);
    // Beside a full-size map the overview has its own panel; a small
    // screen carries it on the map unless a click on the panel took it off.
    display.overviewOn = display.smallScreen > 0 && smallInset_;
    display.manualZoom = staticWhere_.manualZoom;
    display.savedCentreLat = staticWhere_.centreLat;
    display.savedCentreLon = staticWhere_.centreLon;
    if (staticShown()) {
        refreshStaticMap(display);
        scene_ = highlightMap_.isNull() ? staticMap_.copy() : highlightMap_.copy();
    } else if (!(display.chart && display.autoTrace)) {
        clearScene(scene_, display.seaLevel);  // over the chart the renderer lays the sea
    }
    SceneInputBuilder builder(sceneSources(*session_));
    SceneInput input = builder.build(display, lightTicks);
    if (display.chart) input.chart = &chart_.input();
    state_.landmarkPulse = landmarkPulse;
    QElapsedTimer clock;
    clock.start();
    const SceneResult result = renderer_.draw(scene_, timeSeconds, input, display, state_, view_);
    drawMsTotal_ += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    ++framesDrawn_;
    QRegion changed(rect());
    if (overlay_ && overlay_->isVisible() && overlay_->parentWidget() == parentWidget())
        changed -= QRect(overlay_->pos() - pos(), overlay_->size());
    update(changed);
    return result;
}

void MapView::showEditSnapshot(double timeSeconds, const DisplayState& d) {
    if (!session_) return;
    if (scene_.size() != size() || scene_.isNull())
        scene_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    staticWhere_.northUp = d.northUp;
    staticWhere_.windDirectionDegrees = session_->model.race.windDirection;
    EditSnapshotInput in;
    in.map = {&session_->model, &session_->area, &session_->coast.coastline,
              d.boatChecked,    std::nullopt,    d.seaLevel};
    in.timeSeconds = timeSeconds;
    in.showName = d.showName;
    in.timeBarTop = d.timeBarTop;
    in.timeBarHeight = d.timeBarHeight;
    staticViewport_ = drawEditSnapshot(scene_, in, staticWhere_).view;
    staticKey_.reset();
    update();
}

void MapView::keyReleased() {
    measure_.forget();
    measureLineTo_.reset();
    info_->hide();
    update();
}

void MapView::showInfo(const QString& text, QPoint topLeft, int width) {
    info_->setText(text);
    info_->setGeometry(QRect(topLeft, QSize(width, kInfoHeight)));
    info_->show();
    info_->raise();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    pointer_ = at;
    if (pan_.pressed() && staticShown()) {
        if (pan_.move(at, staticWhere_)) emit viewChanged();
        if (pan_.dragging()) return;
    }
    const bool hadLine = measureLineTo_.has_value();
    measureLineTo_.reset();
    info_->hide();
    if (!session_) return;
    const Race& race = session_->model.race;
    const Viewport& v = staticShown() ? staticViewport_ : view_;
    const GeoPoint here = v.fromScreen(at.x(), at.y());
    emit captionChanged(mapCaption(race.caption, race.note, here.latMinutes, here.lonMinutes,
                                   lastDisplay_.page, lastDisplay_.smallScreen > 0));
    if (staticShown() && event->modifiers().testFlag(Qt::ShiftModifier)) {
        if (editMode_) {
            if (const auto pick = EditPicker::pick(session_->model, staticViewport_, at))
                showInfo(pick->name, at + QPoint(0, -25), kPickInfoWidth);
        } else {
            showInfo(measure_.reading(here, session_->area.cosLat, race.magneticVariation),
                     at + QPoint(10, -20),
                     measure_.hasBase() ? kMeasureInfoWidth : kBaseRequestWidth);
            if (measure_.hasBase()) measureLineTo_ = at;
        }
    }
    if (hadLine || measureLineTo_) update();
}

void MapView::overviewPressed(QPoint inOverview, Qt::MouseButton button) {
    if (!session_) return;
    if (lastDisplay_.smallScreen > 0 && button == Qt::LeftButton) {
        smallInset_ = !smallInset_;
        emit viewChanged();
    } else if (editMode_ && button == Qt::RightButton) {
        emit courseWindPicked(OverviewTool::bearingFromCentre(inOverview));
    } else if (staticShown()) {
        const GeoPoint c = OverviewTool::centreFor(inOverview, session_->area, lastDisplay_.northUp,
                                                   session_->model.race.windDirection);
        staticWhere_.centreLat = c.latMinutes;
        staticWhere_.centreLon = c.lonMinutes;
        emit viewChanged();
    }
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (!session_) return;
    const QPoint at = event->position().toPoint();
    const bool left = event->button() == Qt::LeftButton;
    if (lastDisplay_.overviewOn && overviewRect().contains(at)) {
        overviewPressed(at - overviewRect().topLeft(), event->button());
        return;
    }
    // The live map follows the boats; only the static map takes clicks.
    if (!staticShown()) return;
    const GeoPoint here = staticViewport_.fromScreen(at.x(), at.y());
    if (event->modifiers().testFlag(Qt::ShiftModifier)) {
        if (editMode_)
            emit courseEditClicked(
                {here, left, EditPicker::pick(session_->model, staticViewport_, at)});
        else
            measure_.setBase(here, at);
        return;
    }
    // A click zooms when the button comes up; a drag pans instead.
    pan_.press(at, left, staticViewport_);
}

void MapView::mouseReleaseEvent(QMouseEvent*) {
    if (pan_.release(staticWhere_) && staticShown()) emit viewChanged();
}

void MapView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (lastDisplay_.page != Page::Track || delta == 0) return;
    if (staticShown() && event->modifiers().testFlag(Qt::ControlModifier)) {
        zoomAtPointer(staticWhere_, staticViewport_, event->position().toPoint(), delta);
        emit viewChanged();
        return;
    }
    emit wheelTurned(delta);
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (scene_.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(0, 0, scene_);
    // The measuring line is drawn over the frame, not into it, so it goes
    // with the pointer without a redraw of the map.
    if (measureLineTo_ && measure_.basePixel()) {
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(*measure_.basePixel(), *measureLineTo_);
    }
    if (!session_) return;
    if (!passingMarkers_.empty())
        drawPassingMarkers(p, staticShown() ? staticViewport_ : view_, passingMarkers_);
    ++framesPainted_;
    emit framePainted();
}

void MapView::setPassingMarkers(std::vector<PassingMarker> markers) {
    passingMarkers_ = std::move(markers);
    update();
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The next frame tick draws at the new size; until then the old frame
    // stays rather than a blank one.
}

}  // namespace korvane
