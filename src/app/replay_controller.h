// The replay without its widgets: the open race, the clock, the three
// timers and the opening in the background. Panels ask it for what the user
// wants (play, stop, a time, another race) and follow what it announces; it
// never looks at a widget, so a test drives the replay through it alone.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/race_loader.h"
#include "replay/replay_clock.h"
#include "session/race_session.h"

namespace korvane {

class ReplayController : public QObject {
    Q_OBJECT
  public:
    // A frame every 30 ms; the housekeeping and the landmark lights once a second.
    static constexpr int kFrameMs = 30;
    static constexpr int kSecondMs = 1000;

    ReplayController(std::filesystem::path dataRoot, std::vector<std::string> raceList,
                     std::string firstRace, bool editMode, QObject* parent = nullptr);
    ~ReplayController() override;

    const std::shared_ptr<const RaceSession>& session() const { return session_; }
    const ReplayClock& clock() const { return clock_; }
    // The picture show holds and releases the replay through the clock.
    ReplayClock& clock() { return clock_; }
    RaceLoader& loader() { return loader_; }
    const std::filesystem::path& dataRoot() const { return dataRoot_; }
    const std::vector<std::string>& raceList() const { return raceList_; }
    // The race list's entry on show (0-based).
    std::size_t listPosition() const { return listPosition_; }
    const std::string& raceFile() const { return raceFile_; }
    bool editMode() const { return editMode_; }
    bool timersActive() const;
    bool playing() const { return frameTimer_.isActive(); }

    // Opening. The session replaces the old one when it is ready; an
    // opening under way is given up for the new one.
    void openRace(const std::string& raceFile, std::optional<TimeMode> timeMode = {});
    // The opening under way stops at once (its converter killed); the race
    // on show, if any, stays.
    void cancelOpening();
    // "SHOW" with the race list's text and entry: the race on show is not
    // opened again (alreadyShown).
    void showListed(const std::string& name, int listIndex);
    // The CT mode panel's choice: the race opens again in that mode.
    void pickTimeMode(bool corrected);
    // The race on show opens again for course editing.
    void enterEditMode();
    // The race on show opens again (a dropped boat joined it).
    void reopen();
    // An edit changed the course: the legs, finishes and rankings follow.
    void replaceSession(std::shared_ptr<const RaceSession> session);

    // What the transport and the time bar ask for.
    void playForward();
    void playBackward();
    void stop();
    void stepForward();
    void stepBackward();
    void jumpTo(double seconds);
    void jumpToStart();
    void pickTime(double seconds);
    void goToBeginning();
    void setRepeatSpan(std::optional<RepeatSpan> span);
    void setSpeedBarPosition(int position, bool byUser);
    void setAutoNext(bool on);
    void setAutoSeaColour(bool on);
    // Auto Trace plays on; without it the replay stops on the static map.
    void setAutoTrace(bool on);

    // The replay waits (a page, the questions of a drop, a save) and goes on
    // where it was; resume() restarts the timers only if they ran before.
    void pause();
    void resume();
    // The replay restarts its timers (the map page is back).
    void restartTimers();
    void stopTimers();

    // The timers' work, callable by tests with the real time they stand for.
    // A test that injects the ticks sets the real ones aside: the timers keep
    // running, as the replay's state, but do no work, however slow the build.
    void setRealTicksIgnored(bool ignored) { realTicksIgnored_ = ignored; }
    void frameTick(std::int64_t elapsedMs);
    void secondTick();
    void lightTick();
    // Where the once-a-second averages take the boats' speeds from.
    void setSpeedSampler(std::function<std::vector<BoatSpeedSample>()> sampler);
    // Events the picture show made the clock give.
    void apply(const ReplayEvents& events);

  signals:
    void openingStarted(const QString& raceFile);
    void openingProgress(int step, int count, const QString& text);
    void openingFailed(const QString& error);
    void openingCancelled();
    // A new race is open; the replay starts right after (replayStarted).
    void sessionChanged(std::shared_ptr<const RaceSession> session);
    // An edit replaced the session of the race on show.
    void sessionEdited(std::shared_ptr<const RaceSession> session);
    // The clock stands at the beginning of the race on show; `newRace` is
    // false when a failed opening restarts the old race.
    void replayStarted(bool newRace);
    void alreadyShown();
    void transportChanged(Transport transport);
    void speedChanged(int racesSecondsPerSecond, int barPosition);
    void seaLevelChanged(int level);
    void flagChanged();
    void rankingCleared();
    void startGun();
    // Boats just finished: a gun and a ranking row each.
    void finishers(const std::vector<int>& boats);
    void beep(int times);
    void frameDue();
    void timeMoved(double seconds);
    void secondChanged(double seconds);
    void holdEnded();
    // Every frame tick's events, for the picture show.
    void ticked(const ReplayEvents& events);
    // The once-a-second tick ran.
    void secondTicked(double seconds);
    // The replay was stopped by the user (the JUMP panel shows).
    void stoppedByUser();
    // The replay plays again (the JUMP panel goes).
    void playStarted();

  private:
    void onLoaded(const LoadOutcome& outcome);
    void startReplay(bool newRace);
    void nextRace();
    void startTimers();

    std::filesystem::path dataRoot_;
    std::vector<std::string> raceList_;
    std::string raceFile_;         // the race on show (or the first to open)
    std::string pendingRaceFile_;  // the race being opened
    std::size_t listPosition_ = 0;
    bool editMode_ = false;
    bool autoNext_ = true;
    bool autoSeaColour_ = true;
    std::shared_ptr<const RaceSession> session_;
    ReplayClock clock_;
    RaceLoader loader_;
    std::function<std::vector<BoatSpeedSample>()> speedSampler_;

    QTimer frameTimer_;
    QTimer secondTimer_;
    QTimer lightTimer_;
    bool realTicksIgnored_ = false;
    bool pausedWhilePlaying_ = false;
    QElapsedTimer realTime_;
    std::int64_t lastFrameMs_ = 0;
};

}  // namespace korvane
