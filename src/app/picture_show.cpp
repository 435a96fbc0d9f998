#include "app/picture_show.h"

#include <QFileInfo>
#include <QSignalBlocker>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "replay/picture_cue.h"

namespace korvane {

namespace {

constexpr int kShowSettingsAfterLastSeconds = 60;

// The race file holds the camera correction as the reader's float had it;
// written back at float precision it reads the same and looks the same.
double asWritten(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
    return std::strtod(text, nullptr);
}

}  // namespace

PictureShow::PictureShow(QWidget* area, ReplayClock& clock,
                         std::function<void(const ReplayEvents&)> apply, std::function<void()> beep)
    : QObject(area), clock_(clock), apply_(std::move(apply)), beep_(std::move(beep)) {
    settings_ = new PictureSettingsPanel(area);
    settings_->hide();
    panel_ = new PicturePanel(area);
    panel_->hide();
    connect(settings_, &PictureSettingsPanel::holdPressed, this, [this] { toggleHold(true); });
    connect(panel_, &PicturePanel::holdToggleRequested, this, [this] { toggleHold(false); });
    connect(settings_, &PictureSettingsPanel::picturesToggled, this, [this](bool on) {
        if (on) return;
        panel_->hide();
        apply_(clock_.endHold());
    });
    connect(settings_, &PictureSettingsPanel::sizeChanged, this, [this](int pixels) {
        line_.size = pixels;
        if (current_) show(*current_);
    });
    connect(settings_, &PictureSettingsPanel::correctionChanged, this, [this](int seconds) {
        correction_ = seconds;
        line_.offsetSeconds = seconds;
        emit picturesChanged();
        // The boats move to the moment the corrected camera clock gives.
        if (holdPaused_ && current_)
            apply_(clock_.jumpTo(
                catalogue_.entries.at(static_cast<std::size_t>(*current_)).timeSeconds +
                correction_));
    });
}

void PictureShow::setSession(const RaceSession* session, int areaWidth) {
    session_ = session;
    catalogue_ = session ? session->pictures : PictureCatalogue{};
    current_.reset();
    holdPaused_ = false;
    panel_->hide();
    settings_->setPicturesOn(true);  // every opening offers the pictures again
    settings_->showHoldButton(QStringLiteral("stop"), false);
    if (session) {
        const Race& race = session->model.race;
        settings_->showRaceSettings(race.pictureSize, static_cast<int>(race.pictureTimeOffset));
        // The spinner shows whole seconds, but until it is turned the
        // pictures keep the file's own correction.
        correction_ = race.pictureTimeOffset;
        line_ = PictureLine{race.pictureFolderSaved, asWritten(race.pictureTimeOffset),
                            race.pictureSize};
        keptLine_ = line_;
    }
    resetPlace(areaWidth);
    settings_->setVisible(enabled());
    emit picturesChanged();
}

void PictureShow::replaceCatalogue(PictureCatalogue catalogue, int areaWidth) {
    catalogue_ = std::move(catalogue);
    line_.folder = catalogue_.folder.string();
    current_.reset();
    panel_->hide();
    resetPlace(areaWidth);
    settings_->setVisible(enabled());
    emit picturesChanged();
}

void PictureShow::resetPlace(int areaWidth) {
    areaWidth_ = areaWidth;
    panel_->placeAt(QPoint(areaWidth - settings_->sizePixels() - 10, 0));
}

std::optional<PictureLine> PictureShow::pictureLine() const {
    if (catalogue_.empty() || line_.folder.empty()) return std::nullopt;
    return line_;
}

bool PictureShow::enabled() const {
    return session_ && !catalogue_.empty() && session_->model.race.timeMode != TimeMode::Corrected;
}

std::vector<double> PictureShow::correctedTimesSeconds() const {
    std::vector<double> times = catalogue_.timesSeconds();
    for (double& t : times) t += correction_;
    return times;
}

void PictureShow::afterFrame(const ReplayEvents& ev) {
    if (!enabled() || !settings_->picturesOn() || clock_.pictureHeld() || !ev.redraw) return;
    const std::vector<double> times = catalogue_.timesSeconds();
    const int direction = clock_.transport() == Transport::Backward ? -1 : 1;
    const auto k = pictureCrossed(times, correction_, ev.fromSeconds, ev.toSeconds, direction);
    if (!k) return;
    std::error_code error;
    if (!std::filesystem::is_regular_file(catalogue_.entries.at(static_cast<std::size_t>(*k)).path,
                                          error))
        return;
    clock_.holdForPicture(std::int64_t{settings_->holdSeconds()} * 1000);
    if (!clock_.pictureHeld()) return;
    beep_();
    settings_->showHoldButton(QStringLiteral("stop"), true);
    show(*k);
}

void PictureShow::show(int index) {
    current_ = index;
    const PictureEntry& e = catalogue_.entries.at(static_cast<std::size_t>(index));
    const QString path = QString::fromStdString(e.path.string());
    if (panel_->showPicture(path, captionFor(index), settings_->sizePixels()))
        panel_->placeAt(QPoint(areaWidth_ - panel_->width(), 0));
    panel_->show();
    panel_->raise();
}

QString PictureShow::captionFor(int index) const {
    const PictureEntry& e = catalogue_.entries.at(static_cast<std::size_t>(index));
    const Timestamp start = session_ ? session_->model.race.start : 0;
    const QString when = QString::fromStdString(
        formatTimestamp(start + std::nearbyint(clock_.timeSeconds()) / kSecondsPerDay));
    return when + QStringLiteral("   ") + QString::fromStdString(e.path.filename().string()) +
           QStringLiteral(" ( %1 / %2 )").arg(index + 1).arg(catalogue_.count());
}

void PictureShow::toggleHold(bool fromButton) {
    if (!clock_.pictureHeld()) return;
    if (!holdPaused_) {
        holdPaused_ = true;
        settings_->showHoldButton(QStringLiteral("restart"), settings_->holdButtonEnabled());
        clock_.extendHold(kHoldMs);
        return;
    }
    holdPaused_ = false;
    settings_->showHoldButton(QStringLiteral("stop"),
                              !fromButton && settings_->holdButtonEnabled());
    apply_(clock_.endHold());
}

void PictureShow::holdEnded() {
    panel_->hide();
    current_.reset();
    holdPaused_ = false;
    settings_->showHoldButton(QStringLiteral("stop"), false);
}

void PictureShow::secondTick(double timeSeconds) {
    const bool open = enabled() && timeSeconds < catalogue_.latestSeconds() + correction_ +
                                                     kShowSettingsAfterLastSeconds;
    settings_->setVisible(open);
}

void PictureShow::leaveMap() {
    settings_->hide();
    if (clock_.pictureHeld()) apply_(clock_.endHold());
    holdEnded();
}

}  // namespace korvane
