// The replay clock: the race time on show, where it is going and how fast, and
// everything that follows the clock from tick to tick (the speed ramp after the
// gun, the repeat span, the countdown, finishes, the blink and landmark pulse,
// the automatic sea colour, the end of the replay). It reads no clock and owns
// no timer: the window's timers call the tick functions with the real time that
// passed, and act on the events each call returns. This class draws nothing and
// plays no sound.
//
// Typical use by the window:
//   clock.openRace(setup);                                  // a race was opened
//   frame timer:  apply(clock.onFrameTick(msSincePreviousFrame));  then draw at
//                 clock.timeSeconds() when redraw is set, and clock.setBoatsShown(...)
//   second timer: apply(clock.onSecondTick(samples));
//   light timer:  clock.onLightTick();
//   buttons:      apply(clock.playForward()), apply(clock.stop()), apply(clock.stepForward())...
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "replay/countdown.h"
#include "replay/daylight.h"
#include "replay/finish_watch.h"
#include "replay/side_averages.h"

namespace korvane {

enum class Transport { Stopped, Forward, Backward };

// What the clock needs of the open race.
struct ReplayRace {
    double timelineBeginSeconds = -190;
    double timelineEndSeconds = 30;
    double playSpeed = 5;             // race seconds per second after the start
    double playSpeedBeforeStart = 0;  // the speed the replay begins with; 0 = playSpeed
    double startSecondsOfDay = 0;     // local time of day of the start
    double sunriseSeconds = 21600;    // of the local day
    double sunsetSeconds = 64800;
    // By boat (0-based): passing of the last course point, nothing when not finished.
    std::vector<std::optional<double>> finishTimesSeconds;
};

// A stretch of the timeline the replay plays over and over.
struct RepeatSpan {
    double startSeconds = 0;
    double endSeconds = 0;
};

// What the window must do after a call; every field false/empty means nothing.
struct ReplayEvents {
    double fromSeconds = 0;      // replay time before the call
    double toSeconds = 0;        // replay time after the call
    bool redraw = false;         // draw the scene at toSeconds
    bool secondChanged = false;  // the whole second on show changed: refresh the date read-out
    int beeps = 0;               // system beeps (countdown, repeat wrap)
    bool startGun = false;       // fire the gun: the replay passed the start
    std::vector<int> finishers;  // boats (0-based) that just finished: a gun and a ranking row each
    bool rankingCleared = false;    // hide the ranking panels; finishedBoats() is empty again
    bool speedChanged = false;      // the clock moved the speed bar: show speedBarPosition()
    bool transportChanged = false;  // light the picture of transport()
    bool seaLevelChanged = false;   // automatic sea colour: set the bar to seaLevel()
    bool flagChanged = false;       // show the flag panel as flag() says
    bool endOfReplay = false;  // the end was reached and the clock holds 3 s: save the race file
                               // when its picture settings changed, move the window home
    bool nextRace = false;     // automatic next is on: open the next race of the list, or
                               // call restartFromBeginning() when there is none to open
    bool holdEnded = false;    // a picture hold is over: hide the picture
};

class ReplayClock {
  public:
    // Frame ticks after the gun over which the speed ramps up to the race speed.
    static constexpr int kRampTicks = 300;
    // Real time the replay rests at its end before it restarts or moves on.
    static constexpr std::int64_t kEndHoldMs = 3000;
    // The longest real time one frame tick may account for (a stalled machine, a
    // suspended laptop): the replay does not leap past what it could show.
    static constexpr std::int64_t kMaxTickMs = 1000;

    // Sets the clock to the beginning of a newly opened race, playing forward.
    void openRace(ReplayRace race);
    // The course was edited, so the boats finish at other times. Boats
    // already past their new finish count as seen, without a gun each.
    void setFinishTimes(std::vector<std::optional<double>> finishTimesSeconds);

    // --- ticks ---
    // A frame tick: `elapsedMs` real milliseconds since the previous frame tick while
    // playing. Pass differences of one running monotonic clock, so no millisecond is
    // lost between ticks; race time then advances exactly speed × real time.
    ReplayEvents onFrameTick(std::int64_t elapsedMs);
    // The once-a-second tick: blink, countdown, flag, side averages of `boats`.
    ReplayEvents onSecondTick(std::span<const BoatSpeedSample> boats);
    // The landmark light tick: restarts the pulse and advances the light phases.
    void onLightTick();
    // Whether the last drawn frame had any boat with a position (the renderer says).
    void setBoatsShown(bool anyBoat) { boatsShown_ = anyBoat; }

    // --- transport (each ignored while a picture holds the replay) ---
    ReplayEvents playForward();   // play towards the end
    ReplayEvents playBackward();  // play towards the beginning
    ReplayEvents stop();          // stop where the replay is
    ReplayEvents stepForward();   // stop, then the next whole second (wraps to the beginning)
    ReplayEvents stepBackward();  // stop, then one second back, rounded (wraps to the end)

    // --- jumps ---
    ReplayEvents jumpTo(double timeSeconds);          // the JUMP panel: to a time, at most the end
    ReplayEvents jumpToStart() { return jumpTo(0); }  // the JUMP panel: to the gun
    // A left click on the time bar at `timeSeconds`: ends a picture hold, forgets the
    // finishes, keeps the direction and fits the speed to the side of the gun.
    ReplayEvents pickTime(double timeSeconds);
    // The START box of the time bar: back to the beginning at the before-start speed.
    ReplayEvents goToBeginning();
    // The end of the replay without a next race: the same race from its beginning.
    ReplayEvents restartFromBeginning();

    // --- settings ---
    // Moves the speed bar; `byUser` (a drag) stops the automatic ramp until the end.
    void setSpeedBarPosition(int position, bool byUser);
    void setRepeatSpan(std::optional<RepeatSpan> span);  // nothing clears it
    void setAutoNext(bool on) { autoNext_ = on; }        // "AutoNext"
    void setAutoSeaColour(bool on) { autoSea_ = on; }    // "AUTO" of the sea colour

    // --- picture holds ---
    // Rests the replay on a photograph for `ms` real milliseconds.
    void holdForPicture(std::int64_t ms);
    // Keeps the photograph up `ms` longer.
    void extendHold(std::int64_t ms);
    // Ends a picture hold now; the replay goes on.
    ReplayEvents endHold();

    // --- state ---
    double timeSeconds() const { return time_; }              // replay time, race seconds
    double previousTimeSeconds() const { return previous_; }  // at the end of the last frame tick
    Transport transport() const { return transport_; }        // playing or stopped
    int direction() const { return direction_; }              // +1 or -1, the last played way
    int speed() const;                                        // race seconds per real second
    int speedBarPosition() const { return barPosition_; }     // 0 ... 136
    bool speedTouched() const { return speedTouched_; }       // the user dragged the bar
    std::optional<RepeatSpan> repeatSpan() const { return repeat_; }
    bool pictureHeld() const { return hold_ == Hold::Picture; }  // resting on a photograph
    bool atEnd() const { return hold_ == Hold::End || hold_ == Hold::NextRace; }
    bool blinkPhase() const { return blinkCounter_ == 1; }   // names blink on
    double landmarkPulse() const { return landmarkPulse_; }  // ring growth of the lights
    std::int64_t lightTicks() const { return lightTicks_; }  // light phase counter
    double secondsOfDay() const;                             // clock face time of day
    int seaLevel() const { return seaLevel_; }               // automatic sea-colour bar
    bool isNight() const { return isNight_; }                // landmarks light up
    StartFlag flag() const { return flag_; }                 // flag panel state
    SideAverages sideAverages() const { return averages_; }  // wake colouring means
    const std::vector<bool>& finishedBoats() const { return finish_.finished(); }
    int finisherCount() const { return finish_.finisherCount(); }  // ranking rows shown
    int framesLastSecond() const { return framesLastSecond_; }     // frame rate, for diagnostics

  private:
    enum class Hold { None, Picture, End, NextRace };

    void setTime(double timeSeconds);
    void landAt(double timeSeconds);  // a jump, not a run
    void reanchor();
    void advance(std::int64_t ms);
    void applyBarPosition(int position, ReplayEvents* ev);
    void frameWork(ReplayEvents& ev);
    void beginEnd(ReplayEvents& ev);
    void finishHold(ReplayEvents& ev);
    void noteSecond(ReplayEvents& ev);
    void updateSea(ReplayEvents& ev);
    ReplayEvents startEvents() const;
    ReplayEvents stopForStep();
    bool ignoresTransport() const { return !open_ || hold_ == Hold::Picture; }

    ReplayRace race_;
    bool open_ = false;
    // The race time runs as anchor + rate × milliseconds since the anchor, in whole
    // milliseconds, so frames of any length add up to the exact real time.
    double anchorTime_ = 0;
    std::int64_t anchorMs_ = 0;
    double time_ = 0;
    double previous_ = 0;
    Transport transport_ = Transport::Stopped;
    int direction_ = 1;
    int barPosition_ = 30;
    bool speedTouched_ = false;
    int rampCount_ = 0;
    std::optional<RepeatSpan> repeat_;
    Hold hold_ = Hold::None;
    std::int64_t holdRemainingMs_ = 0;
    bool autoNext_ = true;
    bool autoSea_ = true;
    bool boatsShown_ = true;
    std::int64_t shownSecond_ = 0;
    int blinkCounter_ = 1;
    double landmarkPulse_ = 0;
    std::int64_t lightTicks_ = 0;
    int seaLevel_ = 100;
    bool isNight_ = false;
    int lastMinute_ = 0;
    StartFlag flag_ = StartFlag::Hidden;
    SideAverages averages_;
    FinishWatch finish_;
    int framesThisSecond_ = 0;
    int framesLastSecond_ = 0;
};

}  // namespace korvane
