// The map: the replay drawn for one instant. The widget owns its viewport
// and the per-frame state the renderer keeps, draws into its own bitmap when
// the window asks for a frame, and copies that bitmap in paintEvent. What the
// renderer returns is handed back to the window, which moves its panels
// after the draw.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "session/race_session.h"
#include "view/display_state.h"
#include "view/scene_renderer.h"
#include "view/view_state.h"
#include "view/viewport.h"

namespace korvane {

class MapView : public QWidget {
    Q_OBJECT
  public:
    explicit MapView(QWidget* parent = nullptr);

    // A new race: the frame state of the old one is dropped with it.
    void setSession(std::shared_ptr<const RaceSession> session);
    // Draws the instant `timeSeconds` and schedules the copy to the screen.
    SceneResult drawFrame(double timeSeconds, const DisplayState& display, double landmarkPulse,
                          std::int64_t lightTicks);

    const QImage& frame() const { return scene_; }
    const Viewport& viewport() const { return view_; }
    // Where each boat was in the last frame (by slot).
    const std::vector<BoatNow>& boatsNow() const { return state_.boats; }
    // Counters for the diagnostics and the benchmark: frames drawn into the
    // bitmap, frames copied to the screen, and the time spent drawing.
    int framesDrawn() const { return framesDrawn_; }
    int framesPainted() const { return framesPainted_; }
    double drawMsTotal() const { return drawMsTotal_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::shared_ptr<const RaceSession> session_;
    SceneRenderer renderer_;
    Viewport view_;
    ViewState state_;
    QImage scene_;
    int framesDrawn_ = 0;
    int framesPainted_ = 0;
    double drawMsTotal_ = 0;
};

}  // namespace korvane
