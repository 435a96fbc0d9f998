// The map: the replay drawn for one instant. The widget owns its viewport
// and the per-frame state the renderer keeps, draws into its own bitmap when
// the window asks for a frame, and copies that bitmap in paintEvent. With
// Auto Trace off it keeps the static map of whole tracks under the boats.
// The mouse goes to small tools (measure, zoom, overview, course picking);
// what the window must do about it comes out as signals.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/chart_background.h"
#include "app/map_tools.h"
#include "app/passing_marks.h"
#include "session/race_session.h"
#include "view/display_state.h"
#include "view/scene_renderer.h"
#include "view/static_map.h"
#include "view/view_state.h"
#include "view/viewport.h"

namespace korvane {

class MapView : public QWidget {
    Q_OBJECT
  public:
    explicit MapView(QWidget* parent = nullptr);

    // A new race: the frame state of the old one is dropped with it.
    void setSession(std::shared_ptr<const RaceSession> session);
    // The same race with its course edited: the view stays where it is.
    void replaceSession(std::shared_ptr<const RaceSession> session);
    // Draws the instant `timeSeconds` and schedules the copy to the screen.
    SceneResult drawFrame(double timeSeconds, const DisplayState& display, double landmarkPulse,
                          std::int64_t lightTicks);
    // Course editing: the snapshot of the course against the fleet.
    void showEditSnapshot(double timeSeconds, const DisplayState& display);

    void setEditMode(bool on) { editMode_ = on; }
    bool editMode() const { return editMode_; }
    void setRepeatSpan(std::optional<TimeSpan> span) { repeatSpan_ = span; }
    // Rings where one boat passed the course points (and could have), over the frame.
    void setPassingMarkers(std::vector<PassingMarker> markers);
    const std::vector<PassingMarker>& passingMarkers() const { return passingMarkers_; }
    // Auto Trace switched off: the whole race area, unzoomed.
    void resetStaticView();
    // A key was released: the measuring base is forgotten.
    void keyReleased();
    // An opaque panel of the window that may stand over the map: a new frame
    // leaves the part under it alone, so the panel is not painted again with
    // every frame. Its parent must be the map's.
    void setOpaqueOverlay(const QWidget* overlay) { overlay_ = overlay; }

    const QImage& frame() const { return scene_; }
    const Viewport& viewport() const { return view_; }
    const StaticView& staticView() const { return staticWhere_; }
    const MeasureTool& measureTool() const { return measure_; }
    const PanTool& panTool() const { return pan_; }
    const QLabel* infoBox() const { return info_; }
    // Where each boat was in the last frame (by slot).
    const std::vector<BoatNow>& boatsNow() const { return state_.boats; }
    // Counters for the diagnostics and the benchmark: frames drawn into the
    // bitmap, frames copied to the screen, and the time spent drawing.
    int framesDrawn() const { return framesDrawn_; }
    int framesPainted() const { return framesPainted_; }
    double drawMsTotal() const { return drawMsTotal_; }

  signals:
    // A frame of the open race reached the screen.
    void framePainted();
    // The window caption for the position under the pointer.
    void captionChanged(const QString& caption);
    // The static view moved or zoomed: draw again.
    void viewChanged();
    void wheelTurned(int delta);
    // The static map has a line with one end only.
    void lineEndMissing();
    // For the course editor: a Shift-click on the static map, and a right
    // click on the overview inset naming the bearing to turn the course wind by.
    void courseEditClicked(const CourseEditClick& click);
    void courseWindPicked(double bearingDegrees);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  public:
    // A press on the overview (the panel beside the map, or the inset a
    // small screen draws on it), at `inOverview` from its top left corner.
    void overviewPressed(QPoint inOverview, Qt::MouseButton button);

  protected:
    void wheelEvent(QWheelEvent* event) override;

  private:
    struct StaticKey {
        QSize size;
        double centreLat = 0, centreLon = 0, zoom = 0;
        bool northUp = true;
        int seaLevel = 0;
        std::vector<bool> visible;
        std::optional<std::pair<double, double>> span;
        int chartGeneration = -1;  // -1: no chart
        bool operator==(const StaticKey&) const = default;
    };
    bool staticShown() const;
    QRect overviewRect() const;
    void refreshStaticMap(const DisplayState& display);
    void showInfo(const QString& text, QPoint topLeft, int width);

    std::shared_ptr<const RaceSession> session_;
    SceneRenderer renderer_;
    Viewport view_;
    ViewState state_;
    QImage scene_;

    StaticView staticWhere_;
    Viewport staticViewport_;
    QImage staticMap_;
    QImage highlightMap_;
    std::optional<StaticKey> staticKey_;
    std::optional<int> highlightDrawn_;
    const QWidget* overlay_ = nullptr;
    std::optional<TimeSpan> repeatSpan_;

    DisplayState lastDisplay_;
    bool smallInset_ = true;  // the overview on a small map
    std::optional<QPoint> pointer_;
    MeasureTool measure_;
    PanTool pan_;
    std::optional<QPoint> measureLineTo_;
    QLabel* info_ = nullptr;
    bool editMode_ = false;
    std::vector<PassingMarker> passingMarkers_;
    ChartBackground chart_;

    int framesDrawn_ = 0;
    int framesPainted_ = 0;
    double drawMsTotal_ = 0;
};

}  // namespace korvane
