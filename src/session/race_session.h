// The open race: the model and every table derived from it. Opening a race
// builds a new session; the window and the CLI both go through openRace so
// a race opens the same way everywhere.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "analysis/leg_analysis.h"
#include "coast/coast_loader.h"
#include "coast/gshhg_shoreline.h"
#include "pictures/picture_catalogue.h"
#include "race/course_geometry.h"
#include "race/maneuver.h"
#include "race/model.h"
#include "race/passing_corrections.h"
#include "race/race_area.h"
#include "race/race_file.h"
#include "tracks/track_import.h"

namespace korvane {

// A race file is a page of text; one larger than this is refused unread.
inline constexpr std::uintmax_t kMaxRaceFileBytes = std::uintmax_t{1} << 20;

struct OpenRequest {
    std::filesystem::path dataRoot;
    std::filesystem::path raceFile;  // absolute, or relative to raceadmin/
    // Time mode forced by the user (--et/--ct, or a click on the mode
    // buttons); unset means the race file's CT keyword decides.
    std::optional<TimeMode> timeMode;
    bool editMode = false;
    bool raceOpenedBefore = false;
    // How logs of the converted formats are read (the converter, its
    // limits, the cache folder).
    ConversionOptions conversion = defaultConversionOptions();
    // Where the race folder has no coastline for the area: GSHHG through GMT.
    ShorelineOptions shoreline = defaultShorelineOptions();
};

struct OpenProgress {
    int step = 0;
    int stepCount = 0;
    std::string text;  // e.g. "LOADING  boat.gpx  (3/8)"
};
using ProgressCallback = std::function<void(const OpenProgress&)>;

class RaceSession {
  public:
    std::filesystem::path dataRoot;
    std::filesystem::path raceFilePath;
    std::string raceBaseName;
    bool editMode = false;
    RaceModel model;
    RaceFileResult raceFile;
    std::vector<std::string> warnings;
    TrackImportResult trackImport;
    // Derived at opening from the tracks and the course.
    LegAnalysis legs;
    // The passings as the detection found them; `legs` holds them with the
    // race officer's corrections (read beside the race file) put in.
    LegAnalysis detectedLegs;
    PassingCorrections passingCorrections;
    RaceArea area;
    CourseGeometry course;
    CoastData coast;  // coastline files used, their polylines, the landmarks
    // Every boat's tacks, gybes, turns and roundings: [b] for boat slot b.
    // Found when first asked for, once, by whichever thread asks first:
    // most replays never open the table, and the opening should not wait.
    const std::vector<std::vector<Maneuver>>& maneuvers() const;
    // The course or the wind changed: the next request finds them anew.
    void forgetManeuvers() { maneuvers_ = std::make_shared<ManeuverCache>(); }
    // The race's photographs; empty when it has none. Race::pictureFolder
    // keeps the name the race file gave, the catalogue the folder read.
    PictureCatalogue pictures;

  private:
    struct ManeuverCache {
        std::once_flag found;
        std::vector<std::vector<Maneuver>> table;
    };
    // Shared by copies of the session until one of them forgets it.
    std::shared_ptr<ManeuverCache> maneuvers_ = std::make_shared<ManeuverCache>();
};

// Resolves a race name the way the user gives it: an existing path, or a
// name inside raceadmin/ (letter case ignored).
std::filesystem::path resolveRaceFile(const std::filesystem::path& dataRoot,
                                      const std::filesystem::path& race);

// Runs the opening sequence. Throws RaceFileError when the race cannot be
// opened (no data folder; a race file missing, a folder, a pipe, too large;
// a value that does not convert; no boat left); `previous` carries the
// values a race file may inherit. What was skipped on the way is in
// RaceSession::warnings. The session does not change afterwards: the
// window, the exports and the CLI share it read-only, and what changes from
// frame to frame belongs to whoever draws. A stop request through `stop`
// ends the opening at its next step or log (a running converter is killed
// at once) and throws Cancelled (base/parallel.h).
std::shared_ptr<const RaceSession> openRace(const OpenRequest& request,
                                            const RaceModel* previous = nullptr,
                                            const ProgressCallback& progress = {},
                                            std::stop_token stop = {});

// The course or the wind of an open race was edited: the course points,
// every boat's passings, the leg figures and the maneuvers follow the edit.
// The tracks stay as the opening cut them at the finish.
void remeasureCourse(RaceSession& session);

// The race officer corrected passings: the legs, ranks, distances, totals
// and maneuvers follow at once. The tracks stay cut at the detected finish,
// so a race reopened with these corrections shows the same.
void correctPassings(RaceSession& session, PassingCorrections corrections);

// Writes the corrections beside the race file, in the race file's encoding
// and line ends (no file when nothing is corrected). False when that failed.
bool saveCorrections(const RaceSession& session);

// Each boat's finish in race seconds (its passing of the last course point),
// empty for a boat that did not finish; in slot order.
std::vector<std::optional<double>> finishTimesOf(const RaceSession& session);

}  // namespace korvane
