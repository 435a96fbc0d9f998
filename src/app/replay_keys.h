// What the replay commands ask of the replay: the transport buttons and
// their keys, and the keys of today's players: Space plays or stops, Shift with
// an arrow moves half a minute, Home and End go to the ends of the
// timeline, + and − take the next speed of the SPEED bar, Page Up and Page
// Down the neighbours in the race list. The keys themselves, and that they
// work whatever has the focus, belong to the window's actions; this class
// only turns each command into the controller's request.
#pragma once

#include <QObject>

namespace korvane {

class ReplayController;
class WindowActions;

// How far Shift with an arrow moves the replay.
inline constexpr double kLongStepSeconds = 30;

// The SPEED bar position of the next speed above (`direction` > 0) or below
// the speed shown at `position`: the bar holds each speed over several
// positions, and a key press should always change the speed. At either end
// of the bar the position stays.
int speedStepPosition(int position, int direction);

class ReplayKeys : public QObject {
    Q_OBJECT
  public:
    ReplayKeys(const WindowActions& actions, ReplayController& replay, QObject* parent);

  private:
    void moveBy(double seconds);
    void goToEnd();
    void showNeighbour(int direction);

    ReplayController& replay_;
};

}  // namespace korvane
