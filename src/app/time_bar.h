// The time bar beside the map. It shows the picture drawn by
// drawTimeBarPanel and the replay's pointer, and turns the mouse into
// requests: a left click picks a time, a right-button drag picks a span to
// repeat, the START box goes back to the beginning, a hover previews a
// moment. What those requests do to the replay is the window's business.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "app/passing_marks.h"
#include "app/tip_controller.h"
#include "base/timestamp.h"
#include "replay/time_bar_picture.h"

namespace korvane {

class TimeBar : public QWidget {
    Q_OBJECT
  public:
    explicit TimeBar(QWidget* parent = nullptr);

    // A new race, a new height or a new repeat span: the picture is redrawn.
    void setInput(TimeBarInput input);
    const TimeBarInput& input() const { return input_; }
    const QImage& picture() const { return picture_; }
    TimeBarScale scale() const { return timeBarScaleOf(input_); }
    void setPointerTop(int top);
    // Clicks and drags act only while the replay's map is the page on show.
    void setActive(bool on) { active_ = on; }
    // The window's tip box, which the hover fills.
    void setTips(TipController* tips) { tips_ = tips; }
    // The local date and time of the gun, for the hover's date and time.
    void setRaceStart(Timestamp start) { raceStart_ = start; }
    // "YYYY/MM/DD hh:mm:ss" of race time `timeSeconds`.
    QString momentText(double timeSeconds) const;
    // One boat's passings and their candidates, drawn over the stripes; a
    // click on one picks its exact time, a drag moves a passing.
    void setPassingTicks(std::vector<PassingTick> ticks);
    const std::vector<PassingTick>& passingTicks() const { return ticks_; }

  signals:
    void timePicked(double timeSeconds);
    // Nothing clears the span.
    void repeatSpanPicked(std::optional<RepeatSpan> span);
    void startPressed();
    // The hovered row's own time, unclamped, and the time inside the timeline
    // whose positions to preview.
    void hovered(double timeSeconds, double previewSeconds);
    void hoverEnded();
    // A tick was clicked (timePicked follows with its time), or a passing's
    // tick was dragged to `timeSeconds` (a candidate's time when dropped on one).
    void passingClicked(int tick);
    void passingDragged(int tick, double timeSeconds);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool onStripes(QPoint p) const;
    int barY(QPoint p) const { return p.y() - kTimeBarStripeTop; }
    void redraw();
    void showTip(double timeSeconds, int barY);
    void showPassingTip(int tick, int barY);
    bool pressTick(QMouseEvent* event);
    bool releaseTick(QMouseEvent* event);

    TimeBarInput input_;
    QImage picture_;
    TipController* tips_ = nullptr;
    Timestamp raceStart_ = 0;
    int pointerTop_ = -kTimePointerHeight;
    bool active_ = true;
    double repeatAnchor_ = 0;
    std::optional<int> dragStartY_;
    int dragY_ = 0;
    std::vector<PassingTick> ticks_;
    std::optional<int> tickDragged_;  // the passing tick under a left drag
    int tickPressY_ = 0;
    int tickDragY_ = 0;
};

}  // namespace korvane
