#include "app/jump_panel.h"

#include <QGridLayout>
#include <QLabel>

namespace korvane {

JumpPanel::JumpPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* label = new QLabel(QStringLiteral("Input time to be shown and click 'JUMP'"), this);
    datePicker = new QDateEdit(this);
    datePicker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    timePicker = new QTimeEdit(this);
    timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    jumpButton = new QPushButton(QStringLiteral("JUMP"), this);
    jumpToStartButton = new QPushButton(QStringLiteral("JUMP to start time"), this);
    auto* l = new QGridLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(label, 0, 0, 1, 3);
    l->addWidget(datePicker, 1, 0);
    l->addWidget(timePicker, 1, 1);
    l->addWidget(jumpButton, 1, 2);
    l->addWidget(jumpToStartButton, 2, 0, 1, 3);
    adjustSize();
}

void JumpPanel::showMoment(Timestamp moment) {
    const CalendarFields c = toCalendar(moment);
    datePicker->setDate(QDate(c.year, c.month, c.day));
    timePicker->setTime(QTime(c.hour, c.minute, c.second));
}

Timestamp JumpPanel::pickedMoment() const {
    const QDate d = datePicker->date();
    const QTime t = timePicker->time();
    CalendarFields c;
    c.year = d.year();
    c.month = d.month();
    c.day = d.day();
    c.hour = t.hour();
    c.minute = t.minute();
    c.second = t.second();
    return toTimestamp(c).value_or(0);
}

}  // namespace korvane
