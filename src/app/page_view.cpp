#include "app/page_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/map_pointer.h"

namespace korvane {

namespace {

constexpr int kButtonMargin = 5;

}  // namespace

PageView::PageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    reportButton_ = new QPushButton(QStringLiteral("Show Excel Table"), this);
    reportButton_->adjustSize();
    reportButton_->hide();
    reportButton_->setObjectName(QStringLiteral("reportButton"));
    connect(reportButton_, &QPushButton::clicked, this, &PageView::reportRequested);
}

void PageView::setSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    boat_.reset();
}

void PageView::showPage(Page page, PageState state) {
    page_ = page;
    state_ = std::move(state);
    state_.width = std::max(1, width());
    state_.height = std::max(1, height());
    if (bitmap_.size() != QSize(state_.width, state_.height))
        bitmap_ = QImage(state_.width, state_.height, QImage::Format_RGB32);
    dots_ = {};
    if (page != Page::Graph) windOverlay_ = false;
    reportButton_->setVisible(page == Page::Analysis && session_);
    if (!session_)
        bitmap_.fill(Qt::white);
    else if (page == Page::Graph)
        drawGraphPage(bitmap_, session_->model, state_);
    else if (page == Page::Analysis)
        dots_ = drawAnalysisPage(bitmap_, session_->model, session_->legs, state_);
    placeReportButton();
    compose();
}

void PageView::highlightBoat(std::optional<int> boat) {
    boat_ = boat;
    compose();
}

void PageView::showWindOverlay(bool on) {
    on = on && page_ == Page::Graph && session_ && !session_->model.windSamples.empty();
    if (on == windOverlay_) return;
    windOverlay_ = on;
    compose();
}

void PageView::compose() {
    screen_ = bitmap_.copy();
    if (session_ && !screen_.isNull()) {
        const RaceModel& model = session_->model;
        if (page_ == Page::Graph) {
            const GraphLayout layout = graphLayout(model, screen_.width(), screen_.height());
            GraphHover hover;
            if (mouse_) hover = graphHoverAt(layout, model, state_, *mouse_);
            if (!hover.boat) hover.boat = boat_;
            if (windOverlay_) drawWindOverlay(screen_, layout, model);
            drawGraphHover(screen_, layout, model, hover);
            if (windStrokes_.size() > 1) {
                QPainter p(&screen_);
                p.setPen(QPen(Qt::red, 2));
                p.drawPolyline(windStrokes_.data(), static_cast<int>(windStrokes_.size()));
            }
        } else if (page_ == Page::Analysis) {
            std::optional<int> boat = mouse_ ? analysisBoatAt(dots_, *mouse_) : std::nullopt;
            if (!boat) boat = boat_;
            if (boat) highlightAnalysisBoat(screen_, model, session_->legs, dots_, *boat);
        }
    }
    update();
}

void PageView::setWindStrokes(std::vector<QPoint> strokes) {
    windStrokes_ = std::move(strokes);
    compose();
}

void PageView::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint());
}

void PageView::placeReportButton() {
    reportButton_->move(width() - reportButton_->width() - kButtonMargin,
                        height() - reportButton_->height() - kButtonMargin);
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (screen_.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(0, 0, screen_);
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
    mouse_ = event->position().toPoint();
    // The page is shown afresh under the pointer: the wind overlay goes.
    windOverlay_ = false;
    compose();
    if (session_)
        emit captionChanged(mapCaption(session_->model.race.caption, session_->model.race.note, 0,
                                       0, page_, false));
}

void PageView::leaveEvent(QEvent*) {
    mouse_.reset();
    compose();
}

void PageView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (page_ != Page::Track && isVisible()) showPage(page_, state_);
    placeReportButton();
}

}  // namespace korvane
