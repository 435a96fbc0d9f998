#include "app/replay_controller.h"

#include <algorithm>
#include <cmath>

#include "race/race_list.h"
#include "race/race_time.h"

namespace korvane {

namespace {

ReplayRace replayRaceOf(const RaceSession& s) {
    const Race& race = s.model.race;
    ReplayRace r;
    r.timelineBeginSeconds = race.timelineBegin;
    r.timelineEndSeconds = race.timelineEnd;
    r.playSpeed = race.playSpeed;
    r.playSpeedBeforeStart = race.playSpeed2;
    r.startSecondsOfDay = startSecondsOfDay(race.start);
    r.sunriseSeconds = s.area.sunriseSeconds;
    r.sunsetSeconds = s.area.sunsetSeconds;
    r.finishTimesSeconds = finishTimesOf(s);
    return r;
}

}  // namespace

ReplayController::ReplayController(std::filesystem::path dataRoot,
                                   std::vector<std::string> raceList, std::string firstRace,
                                   bool editMode, QObject* parent)
    : QObject(parent),
      dataRoot_(std::move(dataRoot)),
      raceList_(std::move(raceList)),
      raceFile_(std::move(firstRace)),
      editMode_(editMode),
      autoNext_(!editMode) {
    const auto first = std::find(raceList_.begin(), raceList_.end(), raceFile_);
    listPosition_ =
        first == raceList_.end() ? 0 : static_cast<std::size_t>(first - raceList_.begin());
    clock_.setAutoNext(autoNext_);
    frameTimer_.setInterval(kFrameMs);
    secondTimer_.setInterval(kSecondMs);
    lightTimer_.setInterval(kSecondMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        if (realTicksIgnored_) return;
        const std::int64_t now = realTime_.elapsed();
        frameTick(now - lastFrameMs_);
        lastFrameMs_ = now;
    });
    connect(&secondTimer_, &QTimer::timeout, this, [this] {
        if (!realTicksIgnored_) secondTick();
    });
    connect(&lightTimer_, &QTimer::timeout, this, [this] {
        if (!realTicksIgnored_) lightTick();
    });
    connect(&loader_, &RaceLoader::progress, this, &ReplayController::openingProgress);
    connect(&loader_, &RaceLoader::finished, this, &ReplayController::onLoaded);
    connect(&loader_, &RaceLoader::cancelled, this, [this] {
        emit openingCancelled();
        if (session_) startReplay(false);
    });
    realTime_.start();
}

ReplayController::~ReplayController() {
    loader_.cancel();
    loader_.wait();
}

void ReplayController::cancelOpening() {
    loader_.cancel();
    loader_.wait();
}

bool ReplayController::timersActive() const {
    return frameTimer_.isActive() || secondTimer_.isActive() || lightTimer_.isActive();
}

void ReplayController::openRace(const std::string& raceFile, std::optional<TimeMode> timeMode) {
    stopTimers();
    pendingRaceFile_ = raceFile;
    emit openingStarted(QString::fromStdString(raceFile));
    OpenRequest request;
    request.dataRoot = dataRoot_;
    request.raceFile = raceFile;
    request.timeMode = timeMode;
    request.editMode = editMode_;
    request.raceOpenedBefore = session_ != nullptr;
    loader_.start(std::move(request), session_);
}

void ReplayController::onLoaded(const LoadOutcome& outcome) {
    if (!outcome.session) {
        // The race on show before (if any) plays on; the race list offers another.
        emit openingFailed(outcome.error);
        if (session_) startReplay(false);
        return;
    }
    raceFile_ = pendingRaceFile_;
    session_ = outcome.session;
    if (listPosition_ >= raceList_.size() || raceList_[listPosition_] != raceFile_) {
        const auto it = std::find(raceList_.begin(), raceList_.end(), raceFile_);
        if (it != raceList_.end()) listPosition_ = static_cast<std::size_t>(it - raceList_.begin());
    }
    emit sessionChanged(session_);
    startReplay(true);
}

void ReplayController::startReplay(bool newRace) {
    clock_.openRace(replayRaceOf(*session_));
    clock_.setAutoNext(autoNext_);
    clock_.setAutoSeaColour(autoSeaColour_);
    emit speedChanged(clock_.speed(), clock_.speedBarPosition());
    emit transportChanged(clock_.transport());
    lastFrameMs_ = realTime_.elapsed();
    startTimers();
    emit replayStarted(newRace);
}

void ReplayController::replaceSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    clock_.setFinishTimes(finishTimesOf(*session_));
    emit sessionEdited(session_);
}

void ReplayController::showListed(const std::string& name, int listIndex) {
    if (name.empty()) return;
    // The same file as the one on show, however its name is spelt; a name
    // that merely appears inside the shown path is another race.
    std::error_code ec;
    if (session_ &&
        std::filesystem::equivalent(resolveRaceFile(dataRoot_, name), session_->raceFilePath, ec)) {
        emit alreadyShown();
        return;
    }
    if (listIndex >= 0) listPosition_ = static_cast<std::size_t>(listIndex);
    emit beep(1);
    openRace(name);
}

void ReplayController::pickTimeMode(bool corrected) {
    if (!session_) return;
    const TimeMode picked = corrected ? TimeMode::Corrected : TimeMode::Elapsed;
    if (picked == session_->model.race.timeMode) return;
    emit beep(1);
    openRace(raceFile_, picked);
}

void ReplayController::enterEditMode() {
    editMode_ = true;
    setAutoNext(false);
    openRace(raceFile_);
}

void ReplayController::reopen() {
    emit beep(1);
    openRace(raceFile_);
}

void ReplayController::nextRace() {
    if (raceList_.size() > 1) {
        // The list moves on even past a race whose file has gone: the race on
        // show plays once more and the next end tries the race after it.
        listPosition_ = (listPosition_ + 1) % raceList_.size();
        const std::string& next = raceList_[listPosition_];
        std::error_code ec;
        if (std::filesystem::is_regular_file(resolveRaceFile(dataRoot_, next), ec)) {
            emit beep(1);
            openRace(next);
            return;
        }
    }
    apply(clock_.restartFromBeginning());
}

void ReplayController::playForward() {
    emit playStarted();
    apply(clock_.playForward());
}

void ReplayController::playBackward() {
    emit playStarted();
    apply(clock_.playBackward());
}

void ReplayController::stop() {
    if (clock_.pictureHeld()) return;
    apply(clock_.stop());
    emit stoppedByUser();
}

void ReplayController::stepForward() {
    apply(clock_.stepForward());
}

void ReplayController::stepBackward() {
    apply(clock_.stepBackward());
}

void ReplayController::jumpTo(double seconds) {
    apply(clock_.jumpTo(seconds));
}

void ReplayController::jumpToStart() {
    apply(clock_.jumpToStart());
}

void ReplayController::pickTime(double seconds) {
    apply(clock_.pickTime(seconds));
}

void ReplayController::goToBeginning() {
    apply(clock_.goToBeginning());
}

void ReplayController::setRepeatSpan(std::optional<RepeatSpan> span) {
    clock_.setRepeatSpan(span);
    emit frameDue();
}

void ReplayController::setSpeedBarPosition(int position, bool byUser) {
    clock_.setSpeedBarPosition(position, byUser);
    emit speedChanged(clock_.speed(), clock_.speedBarPosition());
}

void ReplayController::setAutoNext(bool on) {
    autoNext_ = on;
    clock_.setAutoNext(on);
}

void ReplayController::setAutoSeaColour(bool on) {
    autoSeaColour_ = on;
    clock_.setAutoSeaColour(on);
}

void ReplayController::setAutoTrace(bool on) {
    emit beep(2);
    if (on) {
        playForward();
    } else {
        apply(clock_.stop());
        emit stoppedByUser();
    }
    emit frameDue();
}

void ReplayController::startTimers() {
    lastFrameMs_ = realTime_.elapsed();
    frameTimer_.start();
    secondTimer_.start();
    lightTimer_.start();
}

void ReplayController::stopTimers() {
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
}

void ReplayController::restartTimers() {
    startTimers();
}

void ReplayController::pause() {
    pausedWhilePlaying_ = frameTimer_.isActive();
    frameTimer_.stop();
    secondTimer_.stop();
}

void ReplayController::resume() {
    if (pausedWhilePlaying_) startTimers();
    pausedWhilePlaying_ = false;
}

void ReplayController::frameTick(std::int64_t elapsedMs) {
    if (!session_ || loader_.busy()) return;
    const ReplayEvents ev = clock_.onFrameTick(elapsedMs);
    apply(ev);
    emit ticked(ev);
}

void ReplayController::setSpeedSampler(std::function<std::vector<BoatSpeedSample>()> sampler) {
    speedSampler_ = std::move(sampler);
}

void ReplayController::secondTick() {
    if (!session_) return;
    apply(clock_.onSecondTick(speedSampler_ ? speedSampler_() : std::vector<BoatSpeedSample>{}));
    emit secondTicked(clock_.timeSeconds());
}

void ReplayController::lightTick() {
    clock_.onLightTick();
}

void ReplayController::apply(const ReplayEvents& ev) {
    if (ev.transportChanged) emit transportChanged(clock_.transport());
    if (ev.speedChanged) emit speedChanged(clock_.speed(), clock_.speedBarPosition());
    if (ev.seaLevelChanged) emit seaLevelChanged(clock_.seaLevel());
    if (ev.flagChanged) emit flagChanged();
    if (ev.rankingCleared) emit rankingCleared();
    if (ev.startGun) emit startGun();
    if (!ev.finishers.empty()) emit finishers(ev.finishers);
    if (ev.beeps > 0) emit beep(ev.beeps);
    if (ev.redraw) emit frameDue();
    emit timeMoved(clock_.timeSeconds());
    if (ev.secondChanged) emit secondChanged(clock_.timeSeconds());
    if (ev.holdEnded) emit holdEnded();
    if (ev.nextRace) nextRace();
}

}  // namespace korvane
