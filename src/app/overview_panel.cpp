#include "app/overview_panel.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/colours.h"
#include "view/overview_map.h"

namespace korvane {

namespace {
constexpr int kInset = 15;  // the overview's distance from the panel's edges
constexpr int kDotSize = 5;
// The logo and the size read-out share the strip right of the overview.
constexpr int kSideLeft = kInset + kOverviewSize + 5;
constexpr int kSideWidth = 70;
constexpr int kLogoHeight = 40;
constexpr int kReadoutHeight = 18;
constexpr int kClockTop = kInset + kLogoHeight + 5 + kReadoutHeight + 4;
constexpr int kClockHeight = 32;  // the date over the time
}  // namespace

OverviewPanel::OverviewPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The overview's tips follow the pointer.
    setMouseTracking(true);
    logo_ = new ClickLabel(QStringLiteral("korvane"), this);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->setAlignment(Qt::AlignCenter);
    logo_->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: yellow; font-weight: bold; }"));
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->setMouseTracking(true);
    logo_->setGeometry(kSideLeft, kInset, kSideWidth, kLogoHeight);
    sizeReadout_ = new ClickLabel(this);
    sizeReadout_->setObjectName(QStringLiteral("sizeReadout"));
    sizeReadout_->setAlignment(Qt::AlignCenter);
    sizeReadout_->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; }"));
    sizeReadout_->setGeometry(kSideLeft, kInset + kLogoHeight + 5, kSideWidth, kReadoutHeight);
    clock_ = new QLabel(this);
    clock_->setObjectName(QStringLiteral("clockReadout"));
    clock_->setAlignment(Qt::AlignCenter);
    clock_->setStyleSheet(QStringLiteral("QLabel { background: black; color: yellow; }"));
    clock_->setGeometry(kSideLeft, kClockTop, kSideWidth, kClockHeight);
    connect(logo_, &ClickLabel::clicked, this, &OverviewPanel::logoClicked);
    connect(sizeReadout_, &ClickLabel::clicked, this, &OverviewPanel::sizeReadoutClicked);
}

QRect OverviewPanel::overviewRect() const {
    return QRect(QPoint(kInset, kInset), QSize(kOverviewSize, kOverviewSize));
}

void OverviewPanel::showClientSize(QSize size) {
    sizeReadout_->setText(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
}

void OverviewPanel::setClockText(const QString& text) {
    // "yyyy/mm/dd hh:mm:ss" in two lines: the strip is narrow.
    QString shown = text;
    const qsizetype gap = shown.indexOf(QLatin1Char(' '));
    if (gap > 0) shown[gap] = QLatin1Char('\n');
    clock_->setText(shown);
}

QString OverviewPanel::clockText() const {
    return QString(clock_->text()).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QRect OverviewPanel::sideRoom() {
    const int top = kClockTop + kClockHeight + 4;
    return QRect(kSideLeft, top, kSideWidth, kInset + kOverviewSize - top);
}

void OverviewPanel::setSession(std::shared_ptr<const RaceSession> session, bool northUp) {
    session_ = std::move(session);
    preview_.reset();
    dots_.clear();
    frame_ = QRect();
    overview_ = session_ ? drawOverviewMap(session_->model, session_->area,
                                           &session_->coast.coastline, nullptr, northUp)
                         : QImage();
    update();
}

void OverviewPanel::showFrame(const QRect& frame, const std::vector<QPoint>& dotsBySlot) {
    frame_ = frame;
    dots_ = dotsBySlot;
    if (!preview_) update();
}

void OverviewPanel::showPreview(std::optional<std::vector<std::optional<QPoint>>> dots) {
    preview_ = std::move(dots);
    update();
}

void OverviewPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (overview_.isNull() || !session_) return;
    const QPoint origin(kInset, kInset);
    p.setClipRect(QRect(origin, overview_.size()));
    p.drawImage(origin, overview_);
    if (!frame_.isNull()) {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame_.translated(origin));
    }
    auto dot = [&](QPoint q, std::uint32_t colour) {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(toQColor(colour));
        p.drawEllipse(QRect(origin + q - QPoint(2, 2), QSize(kDotSize, kDotSize)));
    };
    std::size_t k = 0;  // 0-based boat
    for (const Boat& boat : session_->model.boats) {
        if (preview_) {
            if (k < preview_->size() && (*preview_)[k]) dot(*(*preview_)[k], boat.colour);
        } else if (k < dots_.size() && !dots_[k].isNull()) {
            dot(dots_[k], boat.colour);
        }
        ++k;
    }
}

void OverviewPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - QPoint(kInset, kInset);
    if (!overview_.isNull() && QRect(QPoint(0, 0), overview_.size()).contains(at))
        emit pressed(at, event->button());
}

}  // namespace korvane
