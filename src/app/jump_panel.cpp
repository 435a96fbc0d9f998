#include "app/jump_panel.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QTime>
#include <cmath>

#include "app/replay_controller.h"
#include "app/typed_time.h"
#include "race/race_time.h"

namespace korvane {

JumpPanel::JumpPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* label = new QLabel(QStringLiteral("Input time to be shown and click 'JUMP'"), this);
    datePicker_ = new QDateEdit(this);
    datePicker_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    timeField_ = new QLineEdit(this);
    timeField_->setObjectName(QStringLiteral("jumpTimeField"));
    timeField_->setMaxLength(10);
    // Only what a time is typed with: a stray letter is refused as it is
    // typed, and Space, + and - stay the replay's keys here.
    timeField_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9:]*")), timeField_));
    auto* jumpButton = new QPushButton(QStringLiteral("JUMP"), this);
    auto* jumpToStartButton = new QPushButton(QStringLiteral("JUMP to start time"), this);
    auto* l = new QGridLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(label, 0, 0, 1, 3);
    l->addWidget(datePicker_, 1, 0);
    l->addWidget(timeField_, 1, 1);
    l->addWidget(jumpButton, 1, 2);
    l->addWidget(jumpToStartButton, 2, 0, 1, 3);
    jumpButton->setObjectName(QStringLiteral("jumpButton"));
    jumpToStartButton->setObjectName(QStringLiteral("jumpToStartButton"));
    connect(jumpButton, &QPushButton::clicked, this, &JumpPanel::jumpToTyped);
    connect(timeField_, &QLineEdit::returnPressed, this, &JumpPanel::jumpToTyped);
    connect(jumpToStartButton, &QPushButton::clicked, this, &JumpPanel::jumpToStartRequested);
    adjustSize();
}

void JumpPanel::showMoment(Timestamp moment) {
    const CalendarFields c = toCalendar(moment);
    datePicker_->setDate(QDate(c.year, c.month, c.day));
    shownSecondOfDay_ = c.hour * 3600 + c.minute * 60 + c.second;
    timeField_->setText(QTime(c.hour, c.minute, c.second).toString(QStringLiteral("HH:mm:ss")));
}

void JumpPanel::jumpToTyped() {
    if (!parseTypedTime(timeField_->text(), shownSecondOfDay_ / 3600)) {
        QApplication::beep();
        timeField_->setFocus();
        timeField_->selectAll();
        return;
    }
    emit jumpRequested(pickedMoment());
}

Timestamp JumpPanel::pickedMoment() const {
    const QDate d = datePicker_->date();
    const int typed =
        parseTypedTime(timeField_->text(), shownSecondOfDay_ / 3600).value_or(shownSecondOfDay_);
    CalendarFields c;
    c.year = d.year();
    c.month = d.month();
    c.day = d.day();
    c.hour = typed / 3600;
    c.minute = typed / 60 % 60;
    c.second = typed % 60;
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
