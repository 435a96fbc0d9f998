#include "app/boat_panel.h"

#include <QMouseEvent>
#include <algorithm>

#include "view/boat_panel_layout.h"
#include "view/colours.h"

namespace korvane {

namespace {

constexpr int kTitleWidth = 247;
constexpr int kTitleHeight = 16;

// A palette, not a style sheet: eighty boats with a sheet each took longer
// to build than the map took to draw.
void paint(QCheckBox* box, const QColor& paper, const QColor& ink) {
    QPalette pal = box->palette();
    for (const auto role : {QPalette::Window, QPalette::Button}) pal.setColor(role, paper);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText}) pal.setColor(role, ink);
    box->setPalette(pal);
    box->setAutoFillBackground(true);
}

}  // namespace

BoatPanel::BoatPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setMouseTracking(true);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(false);
    rows_ = new QWidget;
    rows_->setAutoFillBackground(true);
    rows_->setPalette(pal);
    scroll_->viewport()->setAutoFillBackground(false);
    // Pointer moves over the rows reach the list through every layer; one
    // without tracking would stop them.
    for (QWidget* w : {static_cast<QWidget*>(scroll_), scroll_->viewport(), rows_})
        w->setMouseTracking(true);
    scroll_->setWidget(rows_);
    title_ = new QLabel(this);
    // The language switch gives the title its text, the tips its tip.
    title_->setObjectName(QStringLiteral("boatListHeader"));
    title_->setStyleSheet(QStringLiteral("QLabel { background: navy; color: yellow; }"));
    title_->setGeometry(0, 0, kTitleWidth, kTitleHeight);
    title_->installEventFilter(this);
    title_->setMouseTracking(true);
    setFixedWidth(kWidth);
}

void BoatPanel::setSession(const RaceSession& s) {
    qDeleteAll(boatBoxes_);
    qDeleteAll(classBoxes_);
    boatBoxes_.clear();
    classBoxes_.clear();
    selection_.reset(s.model);
    std::vector<std::optional<int>> classOf;
    for (const Boat& boat : s.model.boats) classOf.push_back(boat.classIndex);
    const BoatListPlacement place =
        placeBoatList(classOf, s.model.classes.count(), s.model.classesSeparated);
    title_->move(place.title);
    int k = 0;
    for (const BoatClass& c : s.model.classes) {
        if (k >= static_cast<int>(place.classBoxes.size())) break;
        auto* box = new QCheckBox(QString::fromStdString(c.name), rows_);
        paint(box, Qt::white, Qt::red);
        box->setGeometry(QRect(place.classBoxes[static_cast<std::size_t>(k)],
                               QSize(kBoatBoxWidth, kBoatBoxHeight)));
        box->setMouseTracking(true);
        box->installEventFilter(this);
        box->show();
        box->setObjectName(QStringLiteral("classBox%1").arg(classBoxes_.size()));
        classBoxes_.push_back(box);
        ++k;
    }
    int b = 0;
    for (const Boat& boat : s.model.boats) {
        auto* box = new QCheckBox(QString::fromStdString(boat.name), rows_);
        paint(box, toQColor(boat.colour), Qt::white);
        box->setGeometry(QRect(place.boatBoxes[static_cast<std::size_t>(b)],
                               QSize(kBoatBoxWidth, kBoatBoxHeight)));
        box->setMouseTracking(true);
        box->installEventFilter(this);
        box->show();
        box->setObjectName(QStringLiteral("boatBox%1").arg(boatBoxes_.size()));
        boatBoxes_.push_back(box);
        ++b;
    }
    neededHeight_ = place.neededHeight;
    rows_->setFixedSize(kWidth, neededHeight_);
    title_->raise();
    showSelection();
}

void BoatPanel::recheckAll() {
    selection_.checkAll();
    showSelection();
}

void BoatPanel::showSelection() {
    for (std::size_t b = 0; b < boatBoxes_.size(); ++b)
        boatBoxes_[b]->setChecked(selection_.checked(static_cast<int>(b)));
    for (std::size_t k = 0; k < classBoxes_.size() && static_cast<int>(k) < selection_.classCount();
         ++k)
        classBoxes_[k]->setChecked(selection_.classChecked(static_cast<int>(k)));
}

void BoatPanel::setHighlight(std::optional<int> b) {
    if (selection_.highlighted() == b) return;
    selection_.setHighlighted(b);
    emit highlightChanged();
}

bool BoatPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == title_) {
        if (type == QEvent::MouseMove) setHighlight(std::nullopt);
        if (type == QEvent::MouseButtonPress) {
            selection_.checkAll();
            showSelection();
            emit selectionChanged();
            return true;
        }
        return false;
    }
    const auto boat = std::find(boatBoxes_.begin(), boatBoxes_.end(), watched);
    const auto cls = std::find(classBoxes_.begin(), classBoxes_.end(), watched);
    if (boat == boatBoxes_.end() && cls == classBoxes_.end()) return false;
    if (type == QEvent::Enter || type == QEvent::MouseMove) {
        if (boat != boatBoxes_.end()) {
            setHighlight(static_cast<int>(boat - boatBoxes_.begin()));
            showBoxTip(*boat, PointerTip::BoatCheck);
        } else {
            showBoxTip(*cls, PointerTip::ClassCheck);
        }
        return false;
    }
    // The boxes show the selection and never toggle themselves, so every
    // click means exactly what the selection makes of it.
    if (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick) return true;
    if (type != QEvent::MouseButtonPress) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool right = mouse->button() == Qt::RightButton;
    if (boat != boatBoxes_.end()) {
        const BoatClick click = right ? BoatClick::Right
                                : mouse->modifiers().testFlag(Qt::ShiftModifier)
                                    ? BoatClick::ShiftLeft
                                    : BoatClick::Left;
        selection_.clickBoat(static_cast<int>(boat - boatBoxes_.begin()), click);
    } else {
        selection_.clickClass(static_cast<int>(cls - classBoxes_.begin()), right);
        emit classClicked();
    }
    showSelection();
    emit selectionChanged();
    return true;
}

void BoatPanel::showBoxTip(const QCheckBox* box, PointerTip kind) {
    if (!tips_ || !tips_->pointerTipsOn()) return;
    // Under the list as far as it shows, so it covers none of its rows.
    TipBox tip = tips_->pointerTip(kind, box->text().toStdString());
    tip.rect.left = 0;
    tip.rect.top = std::min(neededHeight_, height());
    tips_->showOver(this, tip);
}

void BoatPanel::mouseMoveEvent(QMouseEvent* event) {
    // Over the panel between the boxes the pointer has left every boat. A
    // box passes its own moves on to the panel unhandled; those are over
    // the box, not between.
    if (!isBox(childAt(event->position().toPoint()))) {
        setHighlight(std::nullopt);
        emit pointerOverList();
    }
    QWidget::mouseMoveEvent(event);
}

bool BoatPanel::isBox(const QWidget* w) const {
    return std::find(boatBoxes_.begin(), boatBoxes_.end(), w) != boatBoxes_.end() ||
           std::find(classBoxes_.begin(), classBoxes_.end(), w) != classBoxes_.end();
}

void BoatPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scroll_->setGeometry(rect());
    title_->raise();
}

void BoatPanel::leaveEvent(QEvent* event) {
    setHighlight(std::nullopt);
    QWidget::leaveEvent(event);
}

}  // namespace korvane
