#include "app/tip_controller.h"

#include <algorithm>

#include <QEvent>

namespace korvane {

namespace {

// Moving onto these puts the tip away: they sit where tips would cover
// what the user is looking at (a page, as the map does), or the pointer has
// left the map for the side column.
constexpr int kTextMargin = 1;

constexpr const char* kTipHiders[] = {"autoTraceBox", "courseEditPanel", "controlPanel",
                                      "logoPanel", "pageView"};

}  // namespace

TipController::TipController(QWidget* area) : QObject(area), area_(area) {
    box_ = new QLabel(area);
    box_->setObjectName(QStringLiteral("tipBox"));
    box_->setAlignment(Qt::AlignCenter);
    // "<s> to show ScreenShot" and the about text are words, not markup.
    box_->setTextFormat(Qt::PlainText);
    box_->setAutoFillBackground(true);
    QPalette pal = box_->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 128));
    pal.setColor(QPalette::WindowText, Qt::black);
    box_->setPalette(pal);
    box_->setFrameShape(QFrame::Box);
    box_->setMargin(kTextMargin);
    // A tip often pops up over the next control the pointer heads for; the
    // click and the pointer's moves belong to what lies beneath.
    box_->setAttribute(Qt::WA_TransparentForMouseEvents);
    box_->hide();
    box_->installEventFilter(this);
}

void TipController::attach() {
    for (const TipRow& row : tipTable())
        for (QWidget* w : area_->findChildren<QWidget*>(QString::fromUtf8(row.objectName)))
            w->installEventFilter(this);
    for (const char* name : kTipHiders)
        for (QWidget* w : area_->findChildren<QWidget*>(QLatin1String(name)))
            w->installEventFilter(this);
}

bool TipController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Enter && event->type() != QEvent::MouseMove)
        return QObject::eventFilter(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    if (w == box_) {
        hideTip();
        return false;
    }
    const QByteArray name = w->objectName().toUtf8();
    for (const char* hider : kTipHiders)
        if (name == hider) {
            hideTip();
            return false;
        }
    if (const TipRow* row = findTip(name.constData())) tipFor(w, *row);
    return false;
}

void TipController::tipFor(QWidget* control, const TipRow& row) {
    switch (row.shown) {
        case TipShown::WhenTipsOn:
            if (!tipsEnabled_) return;
            break;
        case TipShown::WhilePlaying:
            if (!playing()) return;
            break;
        case TipShown::Always:
            break;
    }
    const QWidget* anchor = control;
    const std::string_view anchorName = row.anchor;
    if (anchorName == "^" && control->parentWidget()) {
        anchor = control->parentWidget();
    } else if (!anchorName.empty()) {
        if (const auto* a = area_->findChild<QWidget*>(QString::fromUtf8(row.anchor))) anchor = a;
    }
    const std::string text = tipText(row, language_);
    showTip(placeTip(row, language_, rectOf(control), rectOf(anchor), area_->width(), last_,
                     textSize(text)));
}

TipRect TipController::rectOf(const QWidget* w) const {
    const QPoint p = w == area_ ? QPoint(0, 0) : w->mapTo(area_, QPoint(0, 0));
    return {p.x(), p.y(), w->width(), w->height()};
}

void TipController::showTip(const TipBox& tip) {
    // A tip asked for near the window's edge (the time bar's, low down)
    // moves inside it rather than lose its last lines.
    TipRect r = tip.rect;
    r.left = std::clamp(r.left, 0, std::max(0, area_->width() - r.width));
    r.top = std::clamp(r.top, 0, std::max(0, area_->height() - r.height));
    last_ = r;
    box_->setGeometry(r.left, r.top, r.width, r.height);
    box_->setText(QString::fromStdString(tip.text));
    box_->show();
    box_->raise();
}

// The sizes of the tips were chosen for a smaller screen font than many
// desktops use; a box never cuts its text off.
TipRect TipController::textSize(const std::string& text) const {
    const QSize need = box_->fontMetrics().size(0, QString::fromStdString(text)) +
                       QSize(2 * kTextMargin + 2, 2 * kTextMargin + 2);
    return {0, 0, need.width(), need.height()};
}

TipBox TipController::pointerTip(PointerTip tip, std::string_view fill) const {
    TipBox box = korvane::pointerTip(tip, language_, fill);
    const TipRect need = textSize(box.text);
    box.rect.width = std::max(box.rect.width, need.width);
    box.rect.height = std::max(box.rect.height, need.height);
    return box;
}

void TipController::showOver(const QWidget* over, TipBox tip) {
    const QPoint at = over->mapTo(area_, QPoint(tip.rect.left, tip.rect.top));
    tip.rect.left = at.x();
    tip.rect.top = at.y();
    showTip(tip);
}

void TipController::hideTip() {
    box_->hide();
}

}  // namespace korvane
