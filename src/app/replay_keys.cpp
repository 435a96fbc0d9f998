#include "app/replay_keys.h"

#include <QAction>
#include <algorithm>

#include "app/replay_controller.h"
#include "app/window_actions.h"
#include "replay/speed_bar.h"

namespace korvane {

int speedStepPosition(int position, int direction) {
    const int from = std::clamp(position, kSpeedBarMin, kSpeedBarMax);
    const int speed = speedForBarPosition(from);
    if (direction > 0) {
        for (int p = from + 1; p <= kSpeedBarMax; ++p)
            if (speedForBarPosition(p) > speed) return p;
        return from;
    }
    // Downwards the first position of the slower speed, so that the next
    // press up lands where a press up from there would.
    for (int p = from - 1; p >= kSpeedBarMin; --p) {
        if (speedForBarPosition(p) >= speed) continue;
        const int slower = speedForBarPosition(p);
        while (p > kSpeedBarMin && speedForBarPosition(p - 1) == slower) --p;
        return p;
    }
    return from;
}

ReplayKeys::ReplayKeys(const WindowActions& actions, ReplayController& replay, QObject* parent)
    : QObject(parent), replay_(replay) {
    const auto on = [&actions, this](Command command, auto work) {
        connect(actions[command], &QAction::triggered, this, work);
    };
    on(Command::PlayForward, [this] { replay_.playForward(); });
    on(Command::PlayBackward, [this] { replay_.playBackward(); });
    on(Command::Stop, [this] { replay_.stop(); });
    on(Command::StepForward, [this] { replay_.stepForward(); });
    on(Command::StepBackward, [this] { replay_.stepBackward(); });
    on(Command::JumpToStart, [this] { replay_.jumpToStart(); });
    on(Command::PlayOrStop, [this] {
        if (replay_.clock().transport() == Transport::Stopped)
            replay_.playForward();
        else
            replay_.stop();
    });
    on(Command::Back30Seconds, [this] { moveBy(-kLongStepSeconds); });
    on(Command::Forward30Seconds, [this] { moveBy(kLongStepSeconds); });
    on(Command::GoToBeginning, [this] { replay_.goToBeginning(); });
    on(Command::GoToEnd, [this] { goToEnd(); });
    on(Command::FasterSpeed, [this] {
        replay_.setSpeedBarPosition(speedStepPosition(replay_.clock().speedBarPosition(), 1), true);
    });
    on(Command::SlowerSpeed, [this] {
        replay_.setSpeedBarPosition(speedStepPosition(replay_.clock().speedBarPosition(), -1),
                                    true);
    });
    on(Command::PreviousRace, [this] { showNeighbour(-1); });
    on(Command::NextRace, [this] { showNeighbour(1); });
}

void ReplayKeys::moveBy(double seconds) {
    if (!replay_.session()) return;
    const Race& race = replay_.session()->model.race;
    // The clock keeps a jump below the end; the beginning is kept here.
    replay_.jumpTo(std::max(replay_.clock().timeSeconds() + seconds, race.timelineBegin));
}

void ReplayKeys::goToEnd() {
    if (replay_.session()) replay_.jumpTo(replay_.session()->model.race.timelineEnd);
}

void ReplayKeys::showNeighbour(int direction) {
    const std::vector<std::string>& list = replay_.raceList();
    if (list.size() < 2) return;
    const auto count = static_cast<long>(list.size());
    const long at = (static_cast<long>(replay_.listPosition()) + direction + count) % count;
    replay_.showListed(list[static_cast<std::size_t>(at)], static_cast<int>(at));
}

}  // namespace korvane
