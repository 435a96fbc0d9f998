#include "replay/replay_clock.h"

#include "base/timestamp.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/numbers.h"
#include "replay/speed_bar.h"

namespace korvane {

namespace {
constexpr double kPulsePerTick = 0.05;
// A replay this long after the gun with no boat left on the water has ended.
constexpr double kEmptyWaterSeconds = 600;
// The start gun sounds only when the replay passes the start in normal play,
// not when it lands far beyond it.
constexpr double kStartGunWindowSeconds = 60;
}  // namespace

void ReplayClock::openRace(ReplayRace race) {
    if (race.playSpeedBeforeStart == 0) race.playSpeedBeforeStart = race.playSpeed;
    if (race.timelineEndSeconds < race.timelineBeginSeconds)
        std::swap(race.timelineBeginSeconds, race.timelineEndSeconds);
    // The check boxes outlive the race; everything else starts afresh.
    const bool autoNext = autoNext_;
    const bool autoSea = autoSea_;
    *this = ReplayClock();
    autoNext_ = autoNext;
    autoSea_ = autoSea;
    finish_.setFinishTimes(std::move(race.finishTimesSeconds));
    race.finishTimesSeconds.clear();
    race_ = std::move(race);
    open_ = true;
    transport_ = Transport::Forward;
    direction_ = 1;
    applyBarPosition(barPositionForSpeed(race_.playSpeedBeforeStart), nullptr);
    landAt(race_.timelineBeginSeconds);
    previous_ = time_;
    shownSecond_ = roundHalfEvenToInt(time_);
    ReplayEvents ignored;
    updateSea(ignored);
}

void ReplayClock::setFinishTimes(std::vector<std::optional<double>> finishTimesSeconds) {
    finish_.setFinishTimes(std::move(finishTimesSeconds));
    finish_.update(time_, race_.timelineEndSeconds);
}

int ReplayClock::speed() const {
    return speedForBarPosition(barPosition_);
}

double ReplayClock::secondsOfDay() const {
    return korvane::secondsOfDay(race_.startSecondsOfDay, time_);
}

// --- time keeping ---

void ReplayClock::setTime(double timeSeconds) {
    anchorTime_ = timeSeconds;
    anchorMs_ = 0;
    time_ = timeSeconds;
}

void ReplayClock::reanchor() {
    setTime(time_);
}

void ReplayClock::landAt(double timeSeconds) {
    setTime(timeSeconds);
    // The minute beep marks minutes the replay runs across, not ones it jumps over.
    lastMinute_ = countdownMinute(timeSeconds);
}

void ReplayClock::advance(std::int64_t ms) {
    anchorMs_ += ms;
    const std::int64_t rate = static_cast<std::int64_t>(direction_) * speed();
    // One multiplication and one division from the anchor: nothing accumulates.
    time_ = anchorTime_ + static_cast<double>(rate * anchorMs_) / 1000.0;
}

void ReplayClock::applyBarPosition(int position, ReplayEvents* ev) {
    position = std::clamp(position, kSpeedBarMin, kSpeedBarMax);
    if (position == barPosition_) return;
    reanchor();
    barPosition_ = position;
    if (ev) ev->speedChanged = true;
}

void ReplayClock::setSpeedBarPosition(int position, bool byUser) {
    if (byUser) speedTouched_ = true;
    applyBarPosition(position, nullptr);
}

void ReplayClock::setRepeatSpan(std::optional<RepeatSpan> span) {
    if (span && span->endSeconds < span->startSeconds)
        std::swap(span->startSeconds, span->endSeconds);
    repeat_ = span;
}

ReplayEvents ReplayClock::startEvents() const {
    ReplayEvents ev;
    ev.fromSeconds = ev.toSeconds = time_;
    return ev;
}

// --- ticks ---

ReplayEvents ReplayClock::onFrameTick(std::int64_t elapsedMs) {
    ReplayEvents ev = startEvents();
    if (!open_ || transport_ == Transport::Stopped) return ev;
    ++framesThisSecond_;
    const std::int64_t ms = std::clamp(elapsedMs, std::int64_t{0}, kMaxTickMs);
    if (hold_ != Hold::None) {
        if (hold_ != Hold::NextRace) {
            holdRemainingMs_ -= ms;
            if (holdRemainingMs_ <= 0) finishHold(ev);
        }
        ev.toSeconds = time_;
        return ev;
    }
    advance(ms);
    frameWork(ev);
    ev.toSeconds = time_;
    return ev;
}

void ReplayClock::frameWork(ReplayEvents& ev) {
    if (previous_ <= 0 && time_ > 0) rampCount_ = 0;
    if (time_ >= 0 && rampCount_ < kRampTicks) ++rampCount_;
    landmarkPulse_ += kPulsePerTick;

    // The span wraps before the end is looked at, so a span that reaches the
    // end of the timeline still repeats instead of ending the replay.
    if (repeat_) {
        if (time_ > repeat_->endSeconds) {
            landAt(repeat_->startSeconds);
            ++ev.beeps;
        } else if (time_ < repeat_->startSeconds) {
            landAt(repeat_->endSeconds);
            ++ev.beeps;
        }
    }
    if (time_ >= race_.timelineEndSeconds || (time_ > kEmptyWaterSeconds && !boatsShown_)) {
        beginEnd(ev);
        return;
    }
    // Playing backward stops at the beginning instead of running on into hours
    // before the race that the time bar cannot show.
    if (time_ < race_.timelineBeginSeconds && transport_ == Transport::Backward) {
        setTime(race_.timelineBeginSeconds);
        transport_ = Transport::Stopped;
        ev.transportChanged = true;
    }
    if (time_ < 0) rampCount_ = 0;

    ev.finishers = finish_.update(time_, race_.timelineEndSeconds);
    ev.rankingCleared = finish_.rankingCleared();
    noteSecond(ev);
    updateSea(ev);
    if (previous_ < 0 && time_ >= 0 && time_ < kStartGunWindowSeconds) ev.startGun = true;

    const double after = race_.playSpeed;
    const double before = race_.playSpeedBeforeStart;
    if (!speedTouched_ && after > before && time_ >= 0 && rampCount_ <= kRampTicks &&
        speed() < after) {
        const int p0 = barPositionForSpeed(before);
        const int p1 = barPositionForSpeed(after);
        const double p = p0 + rampCount_ * static_cast<double>(p1 - p0) / kRampTicks;
        applyBarPosition(static_cast<int>(roundHalfEvenToInt(p)), &ev);
    }
    previous_ = time_;
    ev.redraw = true;
}

void ReplayClock::noteSecond(ReplayEvents& ev) {
    const std::int64_t second = roundHalfEvenToInt(time_);
    if (second != shownSecond_) {
        shownSecond_ = second;
        ev.secondChanged = true;
    }
}

void ReplayClock::updateSea(ReplayEvents& ev) {
    if (!autoSea_) return;
    const Daylight d = daylightAt(secondsOfDay(), race_.sunriseSeconds, race_.sunsetSeconds);
    isNight_ = d.isNight;
    const int level = seaLevelFor(d);
    if (level != seaLevel_) {
        seaLevel_ = level;
        ev.seaLevelChanged = true;
    }
}

ReplayEvents ReplayClock::onSecondTick(std::span<const BoatSpeedSample> boats) {
    ReplayEvents ev = startEvents();
    framesLastSecond_ = framesThisSecond_;
    framesThisSecond_ = 0;
    if (!open_ || transport_ == Transport::Stopped || hold_ == Hold::Picture) return ev;
    blinkCounter_ = blinkCounter_ % 3 + 1;
    if (finish_.forgetIfBeforeWinner(time_)) ev.rankingCleared = true;
    averages_ = sideAverageSpeeds(boats);
    const CountdownSecond second = countdownAt(time_, lastMinute_);
    ev.beeps += second.beeps;
    if (second.flag != flag_) {
        flag_ = second.flag;
        ev.flagChanged = true;
    }
    return ev;
}

void ReplayClock::onLightTick() {
    landmarkPulse_ = 0;
    ++lightTicks_;
}

// --- end of the replay and holds ---

void ReplayClock::beginEnd(ReplayEvents& ev) {
    speedTouched_ = false;
    rampCount_ = 0;
    hold_ = Hold::End;
    holdRemainingMs_ = kEndHoldMs;
    ev.endOfReplay = true;
}

void ReplayClock::finishHold(ReplayEvents& ev) {
    const Hold was = std::exchange(hold_, Hold::None);
    holdRemainingMs_ = 0;
    if (was == Hold::Picture) {
        ev.holdEnded = true;
    } else if (was == Hold::End) {
        if (autoNext_) {
            hold_ = Hold::NextRace;
            ev.nextRace = true;
        } else {
            ReplayEvents restart = restartFromBeginning();
            ev.redraw = restart.redraw;
            ev.secondChanged = restart.secondChanged;
            ev.speedChanged = restart.speedChanged;
        }
    }
}

ReplayEvents ReplayClock::restartFromBeginning() {
    ReplayEvents ev = startEvents();
    if (!open_) return ev;
    hold_ = Hold::None;
    speedTouched_ = false;
    rampCount_ = 0;
    // The bar decides the speed, so what it shows is what plays.
    applyBarPosition(barPositionForSpeed(race_.playSpeedBeforeStart), &ev);
    landAt(race_.timelineBeginSeconds);
    previous_ = time_;
    noteSecond(ev);
    ev.redraw = true;
    ev.toSeconds = time_;
    return ev;
}

void ReplayClock::holdForPicture(std::int64_t ms) {
    if (!open_ || transport_ == Transport::Stopped || hold_ != Hold::None) return;
    hold_ = Hold::Picture;
    holdRemainingMs_ = std::max<std::int64_t>(ms, 0);
}

void ReplayClock::extendHold(std::int64_t ms) {
    if (hold_ == Hold::Picture) holdRemainingMs_ += std::max<std::int64_t>(ms, 0);
}

ReplayEvents ReplayClock::endHold() {
    ReplayEvents ev = startEvents();
    if (hold_ == Hold::Picture) finishHold(ev);
    return ev;
}

// --- transport ---

ReplayEvents ReplayClock::playForward() {
    ReplayEvents ev = startEvents();
    if (ignoresTransport()) return ev;
    reanchor();
    transport_ = Transport::Forward;
    direction_ = 1;
    ev.transportChanged = true;
    return ev;
}

ReplayEvents ReplayClock::playBackward() {
    ReplayEvents ev = startEvents();
    if (ignoresTransport()) return ev;
    reanchor();
    transport_ = Transport::Backward;
    direction_ = -1;
    ev.transportChanged = true;
    return ev;
}

ReplayEvents ReplayClock::stop() {
    ReplayEvents ev = startEvents();
    if (ignoresTransport()) return ev;
    reanchor();
    transport_ = Transport::Stopped;
    ev.transportChanged = true;
    return ev;
}

ReplayEvents ReplayClock::stopForStep() {
    ReplayEvents ev = stop();
    // A step is the user's choice of time: a pending end of replay gives way.
    if (hold_ == Hold::End || hold_ == Hold::NextRace) hold_ = Hold::None;
    return ev;
}

ReplayEvents ReplayClock::stepForward() {
    if (ignoresTransport()) return startEvents();
    ReplayEvents ev = stopForStep();
    double t = std::floor(time_ + 1);
    if (t > race_.timelineEndSeconds) t = race_.timelineBeginSeconds;
    landAt(t);
    noteSecond(ev);
    ev.redraw = true;
    ev.toSeconds = time_;
    return ev;
}

ReplayEvents ReplayClock::stepBackward() {
    if (ignoresTransport()) return startEvents();
    ReplayEvents ev = stopForStep();
    double t = roundHalfEven(time_ - 1);
    if (t < race_.timelineBeginSeconds) t = race_.timelineEndSeconds;
    landAt(t);
    noteSecond(ev);
    ev.redraw = true;
    ev.toSeconds = time_;
    return ev;
}

// --- jumps ---

ReplayEvents ReplayClock::jumpTo(double timeSeconds) {
    ReplayEvents ev = startEvents();
    if (!open_ || !std::isfinite(timeSeconds)) return ev;
    if (hold_ == Hold::End || hold_ == Hold::NextRace) hold_ = Hold::None;
    landAt(std::min(timeSeconds, race_.timelineEndSeconds));
    noteSecond(ev);
    ev.redraw = true;
    ev.toSeconds = time_;
    return ev;
}

ReplayEvents ReplayClock::pickTime(double timeSeconds) {
    ReplayEvents ev = startEvents();
    if (!open_ || !std::isfinite(timeSeconds)) return ev;
    if (hold_ == Hold::Picture) finishHold(ev);
    if (hold_ == Hold::End || hold_ == Hold::NextRace) hold_ = Hold::None;
    double t = timeSeconds;
    // A click above the bar lands a little before the end, where there is still
    // something to watch.
    if (t > race_.timelineEndSeconds) t = race_.timelineEndSeconds - 100;
    t = std::max(t, race_.timelineBeginSeconds);
    landAt(t);
    framesThisSecond_ = 0;
    previous_ = direction_ <= 0 ? t + 1 : t - 1;
    const int current = speed();
    const double after = race_.playSpeed;
    const double before = race_.playSpeedBeforeStart;
    if (current == speedForBarPosition(barPositionForSpeed(after)) ||
        current == speedForBarPosition(barPositionForSpeed(before)))
        applyBarPosition(barPositionForSpeed(t >= 0 ? after : before), &ev);
    finish_.reset();
    ev.rankingCleared = true;
    noteSecond(ev);
    ev.redraw = true;
    ev.toSeconds = time_;
    return ev;
}

ReplayEvents ReplayClock::goToBeginning() {
    ReplayEvents ev = startEvents();
    if (!open_) return ev;
    if (hold_ == Hold::End || hold_ == Hold::NextRace) hold_ = Hold::None;
    landAt(race_.timelineBeginSeconds);
    framesThisSecond_ = 0;
    applyBarPosition(barPositionForSpeed(race_.playSpeedBeforeStart), &ev);
    noteSecond(ev);
    ev.redraw = true;
    ev.toSeconds = time_;
    return ev;
}

}  // namespace korvane
