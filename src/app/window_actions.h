// The window's commands as actions: each has its shortcut, its tip and its
// enabled state in one place, whichever button, key or test triggers it.
// Keys that the race window takes whatever has the focus (a time field or
// the race list included) are routed to their actions before the focused
// widget sees them.
#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QObject>
#include <array>
#include <optional>

namespace korvane {

enum class Command {
    PlayForward,
    Stop,
    PlayBackward,
    StepForward,
    StepBackward,
    JumpToStart,
    TrackPage,
    GraphPage,
    AnalysisPage,
    ScreenShot,
    Retouch,
    GoogleEarth,
    EditMode,
    Diagnostics,
    Japanese,
    English,
    Video,
    Exit,
    // Keys of the replay that map programs have taught users to expect.
    PlayOrStop,
    Back30Seconds,
    Forward30Seconds,
    GoToBeginning,
    GoToEnd,
    FasterSpeed,
    SlowerSpeed,
    PreviousRace,
    NextRace,
    Help,
};
inline constexpr int kCommandCount = static_cast<int>(Command::Help) + 1;

class WindowActions : public QObject {
    Q_OBJECT
  public:
    // The actions belong to `window`; its keys go to them from any child.
    explicit WindowActions(QWidget* window);
    ~WindowActions() override;

    QAction* operator[](Command command) const {
        return actions_[static_cast<std::size_t>(command)];
    }
    void trigger(Command command) const { (*this)[command]->trigger(); }
    // Whether `command`'s key is taken before the focused widget sees it.
    static bool windowWide(Command command);
    // Whether the focused widget never sees `command`'s key at all (a text
    // field keeps the letters S and Ctrl+V as well, the replay keys it
    // does not, except Space, + and - where a text field would take them
    // as text, as the race list does), and whether holding the key down
    // repeats the command.
    static bool keptFromFocus(Command command);
    static bool repeatsWhenHeld(Command command);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::optional<Command> windowWideMatch(const QObject* target, const QKeyEvent& key) const;

    QWidget* window_;
    std::array<QAction*, kCommandCount> actions_{};
};

}  // namespace korvane
