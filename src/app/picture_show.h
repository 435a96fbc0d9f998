// Photographs in the replay: when a frame tick crosses the moment a picture
// was taken, the replay rests on it and the picture panel shows it; the user
// may hold it, release it, resize it and shift the camera clock against GPS
// time. This class owns the two picture panels and the picture state of the
// open race; MainWindow hands it the frame ticks' events.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "app/picture_panel.h"
#include "app/picture_settings_panel.h"
#include "pictures/picture_catalogue.h"
#include "race/race_rewrite.h"
#include "replay/replay_clock.h"
#include "session/race_session.h"

namespace korvane {

class PictureShow : public QObject {
    Q_OBJECT
  public:
    // Real time the hold button adds to a picture's rest.
    static constexpr std::int64_t kHoldMs = 600000;

    // `apply` carries the clock's events back to the window, `beep` sounds.
    PictureShow(QWidget* area, ReplayClock& clock, std::function<void(const ReplayEvents&)> apply,
                std::function<void()> beep);

    // A race was opened: its catalogue, size and camera correction.
    void setSession(const RaceSession* session, int areaWidth);
    // Pictures dropped on the window replace the race's set.
    void replaceCatalogue(PictureCatalogue catalogue, int areaWidth);

    // After each frame tick: rest on the picture the tick crossed.
    void afterFrame(const ReplayEvents& events);
    // The clock ended a hold (its time ran out, or a jump ended it).
    void holdEnded();
    // Once a second: the settings stay up until a minute after the last picture.
    void secondTick(double timeSeconds);
    // A page covers the map: a picture resting the replay lets it go, and
    // both panels make way (the settings come back with the map's next second).
    void leaveMap();

    const PictureCatalogue& catalogue() const { return catalogue_; }
    // Picture times with the camera correction, for the time bar's marks.
    std::vector<double> correctedTimesSeconds() const;
    double correctionSeconds() const { return correction_; }
    bool enabled() const;  // the race has pictures and is not in corrected time
    bool showing() const { return current_.has_value(); }
    bool holdPaused() const { return holdPaused_; }
    std::optional<int> currentPicture() const { return current_; }

    // The settings as the race file's PIC line should hold them: the folder
    // (a dropped one replaces the file's), the camera correction and the
    // size. Nothing when the race has no pictures.
    std::optional<PictureLine> pictureLine() const;
    // The user changed them since the race opened or they were last kept.
    bool pictureLineChanged() const { return pictureLine() && line_ != keptLine_; }
    void pictureLineKept() { keptLine_ = line_; }

    PictureSettingsPanel* settings() const { return settings_; }
    PicturePanel* panel() const { return panel_; }

  signals:
    // The correction or the set changed: the time bar redraws its marks.
    void picturesChanged();

  private:
    void show(int index);
    void toggleHold(bool fromButton);
    void resetPlace(int areaWidth);
    QString captionFor(int index) const;

    ReplayClock& clock_;
    std::function<void(const ReplayEvents&)> apply_;
    std::function<void()> beep_;
    PictureSettingsPanel* settings_ = nullptr;
    PicturePanel* panel_ = nullptr;
    const RaceSession* session_ = nullptr;
    PictureCatalogue catalogue_;
    double correction_ = 0;
    PictureLine line_;      // what the settings say now
    PictureLine keptLine_;  // what the race file says
    std::optional<int> current_;
    bool holdPaused_ = false;
    int areaWidth_ = 0;
};

}  // namespace korvane
