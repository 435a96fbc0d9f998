// "Input time to be shown and click 'JUMP'": shown while the replay is
// stopped, to go to a clock time of the race or back to the gun.
#pragma once

#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>

#include "base/timestamp.h"

namespace korvane {

class ReplayController;

class JumpPanel : public QWidget {
    Q_OBJECT
  public:
    explicit JumpPanel(QWidget* parent = nullptr);
    void showMoment(Timestamp moment);  // the pickers follow the replay
    Timestamp pickedMoment() const;
    // Goes where the user picks in `replay`, and away while it plays.
    void follow(ReplayController& replay);

  signals:
    void jumpRequested(Timestamp moment);
    void jumpToStartRequested();

  private:
    QDateEdit* datePicker_ = nullptr;
    QTimeEdit* timePicker_ = nullptr;
    double replaySeconds_ = 0;  // the replay's whole second at its last move
};

}  // namespace korvane
