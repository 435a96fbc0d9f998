// Reads a race file (raceadmin/*.txt) into the race model.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "race/model.h"
#include "race/race_document.h"

namespace korvane {

// The largest time correction factor a BN line may carry.
inline constexpr double kMaxTimeFactor = 10;

// The folders of the data tree a race file's names point into.
enum class RaceFolder { GpsLogs, Attachments };

struct RaceFileOptions {
    // Whether `name` exists in `folder`; the parser asks nothing of the disk
    // itself, so it turns bytes into a model and nothing else.
    using FileExists = std::function<bool(RaceFolder folder, const std::string& name)>;
    FileExists fileExists;
    bool raceOpenedBefore = false;
    bool modePickedByUser = false;  // the user just chose elapsed or corrected time
};

// The existence check against the data tree below `dataRoot` (letter case
// ignored, as the race files were written on Windows).
RaceFileOptions::FileExists filesBelow(const std::filesystem::path& dataRoot);

// What a race file tells the window, as meaning; the panels turn it into
// positions of their own controls.
struct RaceWindowSettings {
    bool northUp = false;         // else wind up
    double replaySpeed = 5;       // race seconds per real second
    double replaySpeed2 = 5;      // the second speed (small-screen replays)
    double zoomFactor = 1.0;      // the zoom bar's factor after opening
    bool hasAttachments = false;  // the attachments button is offered
    // The time mode the race file sets; unset when the user's own choice
    // stands (they picked a mode and the same race was opened before).
    std::optional<TimeMode> timeMode;
};

struct RaceFileResult {
    bool fileFound = false;
    RaceWindowSettings window;
    // Items refused because a table was full, or fields beyond the 20 a line
    // may hold: "<file> (line n): ..." texts for the user.
    std::vector<std::string> warnings;
    // The file as read, for writing edits back; empty when it was not found.
    std::optional<RaceDocument> document;
};

// Resets the model for a new race (keeping ST, FT, TD, MG, WD and LL of the
// race before, which a race file may rely on), reads `path` when it exists
// and computes the derived fields. Throws RaceFileError when a value does not
// convert or the file is not text; the model is then partly filled and must
// not be shown.
RaceFileResult parseRaceFile(const std::filesystem::path& path, RaceModel& model,
                             const RaceFileOptions& options);

// The same from a document already in memory: bytes in, model out.
RaceFileResult parseRaceDocument(const RaceDocument& document, const std::string& fileName,
                                 RaceModel& model, const RaceFileOptions& options);

// The replay-speed slider position for a speed.
int speedSliderPosition(double speed);

}  // namespace korvane
