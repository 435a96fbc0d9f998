#include "app/map_view.h"

#include <QElapsedTimer>
#include <QPainter>

#include "view/landmark_light.h"

namespace korvane {

MapView::MapView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void MapView::setSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    state_.reset();
    view_ = Viewport();
}

SceneResult MapView::drawFrame(double timeSeconds, const DisplayState& display,
                               double landmarkPulse, std::int64_t lightTicks) {
    if (scene_.size() != size() || scene_.isNull())
        scene_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    clearScene(scene_, display.seaLevel);
    if (!session_) {
        update();
        return {};
    }
    SceneInput input;
    input.model = &session_->model;
    input.area = &session_->area;
    input.coastline = &session_->coast.coastline;
    const auto lights = landmarkLightsAt(session_->coast.landmarks, lightTicks);
    input.landmarks = &lights;
    state_.landmarkPulse = landmarkPulse;
    QElapsedTimer clock;
    clock.start();
    const SceneResult result = renderer_.draw(scene_, timeSeconds, input, display, state_, view_);
    drawMsTotal_ += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    ++framesDrawn_;
    update();
    return result;
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (scene_.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(0, 0, scene_);
    if (session_) ++framesPainted_;
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The next frame tick draws at the new size; until then the old frame
    // stays rather than a blank one.
}

}  // namespace korvane
