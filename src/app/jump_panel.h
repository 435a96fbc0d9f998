// "Input time to be shown and click 'JUMP'": shown while the replay is
// stopped, to go to a clock time of the race or back to the gun.
#pragma once

#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>

#include "base/timestamp.h"

namespace korvane {

class JumpPanel : public QWidget {
    Q_OBJECT
  public:
    explicit JumpPanel(QWidget* parent = nullptr);
    void showMoment(Timestamp moment);  // the pickers follow the replay
    Timestamp pickedMoment() const;

    QDateEdit* datePicker = nullptr;
    QTimeEdit* timePicker = nullptr;
    QPushButton* jumpButton = nullptr;
    QPushButton* jumpToStartButton = nullptr;
};

}  // namespace korvane
