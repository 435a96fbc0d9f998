#include "app/jump_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <cmath>

#include "app/replay_controller.h"
#include "race/race_time.h"

namespace korvane {

JumpPanel::JumpPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* label = new QLabel(QStringLiteral("Input time to be shown and click 'JUMP'"), this);
    datePicker_ = new QDateEdit(this);
    datePicker_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    timePicker_ = new QTimeEdit(this);
    timePicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    auto* jumpButton = new QPushButton(QStringLiteral("JUMP"), this);
    auto* jumpToStartButton = new QPushButton(QStringLiteral("JUMP to start time"), this);
    auto* l = new QGridLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(label, 0, 0, 1, 3);
    l->addWidget(datePicker_, 1, 0);
    l->addWidget(timePicker_, 1, 1);
    l->addWidget(jumpButton, 1, 2);
    l->addWidget(jumpToStartButton, 2, 0, 1, 3);
    jumpButton->setObjectName(QStringLiteral("jumpButton"));
    jumpToStartButton->setObjectName(QStringLiteral("jumpToStartButton"));
    connect(jumpButton, &QPushButton::clicked, this,
            [this] { emit jumpRequested(pickedMoment()); });
    connect(jumpToStartButton, &QPushButton::clicked, this, &JumpPanel::jumpToStartRequested);
    adjustSize();
}

void JumpPanel::showMoment(Timestamp moment) {
    const CalendarFields c = toCalendar(moment);
    datePicker_->setDate(QDate(c.year, c.month, c.day));
    timePicker_->setTime(QTime(c.hour, c.minute, c.second));
}

Timestamp JumpPanel::pickedMoment() const {
    const QDate d = datePicker_->date();
    const QTime t = timePicker_->time();
    CalendarFields c;
    c.year = d.year();
    c.month = d.month();
    c.day = d.day();
    c.hour = t.hour();
    c.minute = t.minute();
    c.second = t.second();
    return toTimestamp(c).value_or(0);
}

void JumpPanel::follow(ReplayController& replay) {
    connect(this, &JumpPanel::jumpRequested, &replay, [&replay](Timestamp moment) {
        if (replay.session())
            replay.jumpTo(secondsBetween(replay.session()->model.race.start, moment));
    });
    connect(&replay, &ReplayController::playStarted, this, &QWidget::hide);
    // The old race's moment must not stay on offer in the next race.
    connect(&replay, &ReplayController::sessionChanged, this, &QWidget::hide);
    // While on show the pickers follow every move of the replay (a step, the
    // time bar), so a later JUMP starts from where the replay stands.
    connect(&replay, &ReplayController::timeMoved, this, [this, &replay](double t) {
        const double whole = std::nearbyint(t);
        // Only a move: the seconds ticks of a stopped replay leave the
        // pickers to the user.
        if (whole == replaySeconds_) return;
        replaySeconds_ = whole;
        if (isHidden() || !replay.session()) return;
        showMoment(replay.session()->model.race.start + whole / 86400);
    });
}

}  // namespace korvane
