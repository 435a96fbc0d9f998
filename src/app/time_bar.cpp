#include "app/time_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "base/timestamp.h"

namespace korvane {

namespace {
constexpr int kTipGap = 2;
}

TimeBar::TimeBar(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kTimeBarPanelWidth);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString TimeBar::momentText(double timeSeconds) const {
    return QString::fromStdString(formatTimestamp(raceStart_ + timeSeconds / 86400));
}

void TimeBar::setInput(TimeBarInput input) {
    input_ = std::move(input);
    input_.panelHeightPixels = height();
    redraw();
}

void TimeBar::setPointerTop(int top) {
    if (top == pointerTop_) return;
    const int old = pointerTop_;
    pointerTop_ = top;
    update(0, old, width(), kTimePointerHeight);
    update(0, top, width(), kTimePointerHeight);
}

void TimeBar::setPassingTicks(std::vector<PassingTick> ticks) {
    ticks_ = std::move(ticks);
    tickDragged_.reset();
    update();
}

void TimeBar::redraw() {
    picture_ = drawTimeBarPanel(input_);
    update();
}

void TimeBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (input_.panelHeightPixels != height()) {
        input_.panelHeightPixels = height();
        redraw();
    }
}

void TimeBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    if (dragStartY_) drawRepeatDrag(p, *dragStartY_, dragY_);
    drawPassingTicks(p, scale(), ticks_, kTimeBarStripeTop);
    if (tickDragged_) p.fillRect(0, kTimeBarStripeTop + tickDragY_ - 1, width(), 3, Qt::darkGreen);
    drawTimePointer(p, pointerTop_);
}

bool TimeBar::onStripes(QPoint p) const {
    const int h = timeBarStripeHeight(height());
    // The margin above the bar counts as the bar: a click there means "the
    // end", which lands a little before it.
    return p.x() >= kTimeBarStripeLeft && p.x() < kTimeBarStripeLeft + kTimeBarStripeWidth &&
           p.y() < kTimeBarStripeTop + h;
}

void TimeBar::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    dragStartY_.reset();
    if (!onStripes(pos)) {
        if (pos.y() > height() - kTimeBarStartBoxHeight && event->button() == Qt::LeftButton)
            emit startPressed();
        return;
    }
    if (!active_ || pressTick(event)) return;
    const double t = pickedTimeAt(scale(), barY(pos));
    if (event->button() == Qt::LeftButton) {
        emit timePicked(t);
    } else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        repeatAnchor_ = t;
        dragStartY_ = dragY_ = barY(pos);
    }
}

void TimeBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!dragStartY_ && !onStripes(pos)) {
        if (tips_) tips_->hideTip();
        return;
    }
    const int y = barY(pos);
    const double t = timeAtBarY(scale(), y);
    emit hovered(t, previewTimeAt(scale(), y));
    if (tickDragged_) {
        tickDragY_ = y;
        update();
    }
    const int tick = passingTickAt(scale(), ticks_, y);
    if (tick >= 0 && !tickDragged_)
        showPassingTip(tick, y);
    else
        showTip(t, y);
    if (dragStartY_) {
        dragY_ = y;
        update();
    }
}

void TimeBar::mouseReleaseEvent(QMouseEvent* event) {
    if (releaseTick(event)) return;
    const QPoint pos = event->position().toPoint();
    const bool dragging = dragStartY_.has_value();
    dragStartY_.reset();
    if (!dragging || !active_ || event->button() == Qt::LeftButton) return;
    const auto span = repeatSpanBetween(repeatAnchor_, pickedTimeAt(scale(), barY(pos)));
    input_.repeat = span;
    redraw();
    emit repeatSpanPicked(span);
}

void TimeBar::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (tips_) tips_->hideTip();
    emit hoverEnded();
}

bool TimeBar::pressTick(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return false;
    const int y = barY(event->position().toPoint());
    const int tick = passingTickAt(scale(), ticks_, y);
    if (tick < 0) return false;
    tickDragged_ = tick;
    tickPressY_ = tickDragY_ = y;
    return true;
}

bool TimeBar::releaseTick(QMouseEvent* event) {
    if (!tickDragged_ || event->button() != Qt::LeftButton) return false;
    const int tick = *tickDragged_;
    tickDragged_.reset();
    update();
    const int y = barY(event->position().toPoint());
    const PassingTick picked = ticks_[static_cast<std::size_t>(tick)];
    if (std::abs(y - tickPressY_) <= kPassingTickReach || !picked.chosen) {
        emit passingClicked(tick);
        emit timePicked(picked.timeSeconds);
        return true;
    }
    // Dropped on a candidate of the same point: exactly that moment.
    double t = pickedTimeAt(scale(), y);
    double nearest = kPassingTickReach + 1;
    for (const PassingTick& c : ticks_) {
        const double d = std::fabs(timeBarY(scale(), c.timeSeconds) - y);
        if (!c.chosen && c.point == picked.point && d < nearest) {
            nearest = d;
            t = c.timeSeconds;
        }
    }
    emit passingDragged(tick, t);
    return true;
}

void TimeBar::showPassingTip(int tick, int y) {
    if (!tips_ || !active_ || !tips_->pointerTipsOn()) return;
    TipBox tip = tips_->pointerTip(PointerTip::Passing,
                                   ticks_[static_cast<std::size_t>(tick)].facts.toStdString());
    tip.rect.left = -tip.rect.width - kTipGap;
    tip.rect.top = kTimeBarStripeTop + y;
    tips_->showOver(this, tip);
}

void TimeBar::showTip(double timeSeconds, int y) {
    if (!tips_ || !active_ || !tips_->pointerTipsOn()) return;
    TipBox tip = tips_->pointerTip(PointerTip::TimeBar, momentText(timeSeconds).toStdString());
    tip.rect.left = -tip.rect.width - kTipGap;
    tip.rect.top = kTimeBarStripeTop + y;
    tips_->showOver(this, tip);
}

}  // namespace korvane
