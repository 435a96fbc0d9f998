#include "app/compare_page.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>

#include "app/boat_panel.h"
#include "app/captions.h"
#include "app/compare_drawing.h"
#include "app/control_panel.h"
#include "app/replay_controller.h"
#include "session/race_session.h"

namespace korvane {

namespace {

// About one moment for every two pixels of the widest chart.
constexpr int kMoments = 1000;
constexpr int kListWidth = 180;

}  // namespace

ComparePage::ComparePage(QWidget* parent)
    : QWidget(parent),
      labelA_(new QLabel(QStringLiteral("A"), this)),
      labelB_(new QLabel(QStringLiteral("B"), this)),
      boxA_(new QComboBox(this)),
      boxB_(new QComboBox(this)) {
    setObjectName(QStringLiteral("comparePage"));
    labelA_->setObjectName(QStringLiteral("compareALabel"));
    labelB_->setObjectName(QStringLiteral("compareBLabel"));
    boxA_->setObjectName(QStringLiteral("compareBoatA"));
    boxB_->setObjectName(QStringLiteral("compareBoatB"));
    for (QComboBox* box : {boxA_, boxB_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            stale_ = true;
            if (isVisible()) recompute();
        });
    placeLists();
}

void ComparePage::attach(ReplayController& controller, ControlPanel& controls, BoatPanel& boats,
                         QWidget& map) {
    map_ = &map;
    map.installEventFilter(this);
    setGeometry(map.geometry());
    setVisible(controls.compareShown());
    connect(&controller, &ReplayController::sessionChanged, this, &ComparePage::setSession);
    connect(&controller, &ReplayController::sessionEdited, this, &ComparePage::setSession);
    connect(&controller, &ReplayController::timeMoved, this, &ComparePage::showTime);
    connect(&controls, &ControlPanel::compareToggled, this, [this](bool on) {
        // A and B start from the boat the list picked out last, and the next.
        if (on && lastHighlighted_) pickBoats(*lastHighlighted_, *lastHighlighted_ + 1);
        lastHighlighted_.reset();
        setVisible(on);
        raise();
    });
    // The pointer leaves the list on its way to the switch, and the list
    // forgets its boat: the page remembers it.
    connect(&boats, &BoatPanel::highlightChanged, this, [this, &boats] {
        if (const auto b = boats.selection().highlighted(); b && !isVisible()) lastHighlighted_ = b;
    });
    connect(&boats, &BoatPanel::selectionChanged, this, [this, &boats] {
        const auto b = boats.selection().highlighted();
        if (isVisible() && b && *b != boatA()) pickBoats(boatA(), *b);
    });
}

void ComparePage::setSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    series_ = {};
    breakdown_ = {};
    stale_ = true;
    const int a = std::max(boatA(), 0), b = std::max(boatB(), 1);
    for (QComboBox* box : {boxA_, boxB_}) {
        const QSignalBlocker quiet(box);
        box->clear();
        if (session_)
            for (const Boat& boat : session_->model.boats)
                box->addItem(QString::fromStdString(boat.name));
    }
    pickBoats(a, b);
    if (isVisible()) recompute();
}

void ComparePage::pickBoats(int boatA, int boatB) {
    const int count = boxA_->count();
    if (count == 0) return;
    // The next boat after the last is the first.
    if (boatB == count && boatA == count - 1) boatB = 0;
    const QSignalBlocker quietA(boxA_), quietB(boxB_);
    if (boatA >= 0 && boatA < count) boxA_->setCurrentIndex(boatA);
    if (boatB >= 0 && boatB < count) boxB_->setCurrentIndex(boatB);
    stale_ = true;
    if (isVisible()) recompute();
}

int ComparePage::boatA() const {
    return boxA_->currentIndex();
}

int ComparePage::boatB() const {
    return boxB_->currentIndex();
}

void ComparePage::showTime(double timeSeconds) {
    timeSeconds_ = timeSeconds;
    if (isVisible()) update();
}

void ComparePage::recompute() {
    if (!stale_) return;
    stale_ = false;
    series_ = {};
    breakdown_ = {};
    chart_ = {};
    if (session_ && boatA() >= 0 && boatB() >= 0) {
        const RaceSession& s = *session_;
        const CompareSources sources{&s.model, &s.course, &s.legs, s.area.plane(),
                                     s.model.race.timeMode};
        series_ = compareSeries(sources, boatA(), boatB(),
                                compareStepSeconds(s.model, boatA(), boatB(), kMoments));
        const LocalPlane plane = s.area.plane();
        breakdown_ = breakDownRace({.model = &s.model,
                                    .legs = &s.legs,
                                    .course = &s.course,
                                    .maneuvers = &s.maneuvers(),
                                    .plane = &plane},
                                   boatA(), boatB());
    }
    update();
}

void ComparePage::paintEvent(QPaintEvent*) {
    if (chart_.size() != size()) {
        chart_ = QImage(size(), QImage::Format_RGB32);
        QPainter p(&chart_);
        p.setFont(font());
        drawCompare(p, rect(),
                    {.series = &series_,
                     .breakdown = &breakdown_,
                     .nameA = boxA_->currentText(),
                     .nameB = boxB_->currentText(),
                     .language = shownLanguage(this)});
    }
    QPainter p(this);
    p.drawImage(0, 0, chart_);
    if (session_) drawCompareCursor(p, rect(), series_, timeSeconds_);
}

void ComparePage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The window's language comes with its font.
    if (event->type() == QEvent::FontChange) chart_ = {};
}

bool ComparePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == map_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        setGeometry(map_->geometry());
    return false;
}

void ComparePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    chart_ = {};
    placeLists();
}

void ComparePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    chart_ = {};  // the language may have changed while it was hidden
    recompute();
}

void ComparePage::placeLists() {
    const int h = boxA_->sizeHint().height();
    const int right = width() - 16;
    boxB_->setGeometry(right - kListWidth, 4, kListWidth, h);
    labelB_->setGeometry(right - kListWidth - 20, 4, 16, h);
    boxA_->setGeometry(right - 2 * kListWidth - 30, 4, kListWidth, h);
    labelA_->setGeometry(right - 2 * kListWidth - 50, 4, 16, h);
}

}  // namespace korvane
