// "Input time to be shown and click 'JUMP'": shown while the replay is
// stopped, to go to a clock time of the race or back to the gun.
#pragma once

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "base/timestamp.h"

namespace korvane {

class ReplayController;

class JumpPanel : public QWidget {
    Q_OBJECT
  public:
    explicit JumpPanel(QWidget* parent = nullptr);
    void showMoment(Timestamp moment);  // the pickers follow the replay
    // The day picked and the time typed; while the typed text is no time,
    // the time last shown.
    Timestamp pickedMoment() const;
    // Goes where the user picks in `replay`, and away while it plays.
    void follow(ReplayController& replay);

  signals:
    void jumpRequested(Timestamp moment);
    void jumpToStartRequested();

  private:
    // JUMP and Enter: a typed time that is no time is offered for retyping.
    void jumpToTyped();

    QDateEdit* datePicker_ = nullptr;
    QLineEdit* timeField_ = nullptr;
    int shownSecondOfDay_ = 0;  // the time last shown in the field
    double replaySeconds_ = 0;  // the replay's whole second at its last move
};

}  // namespace korvane
