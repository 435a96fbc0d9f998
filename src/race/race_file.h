// Reads a race file (raceadmin/*.txt) into the race model.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "race/model.h"

namespace korvane {

struct RaceFileOptions {
    std::filesystem::path dataRoot;  // holds gpsdat/, attachment/, ...
    bool raceOpenedBefore = false;
    bool modePickedByUser = false;  // the user just clicked "ET mode"/"CT mode"
};

// What the parser decides for controls of the window; the window applies it.
struct RaceFileWindowEffects {
    // Set when the parser decides the time-mode radio buttons.
    bool setTimeModeButtons = false;
    bool ctModeChecked = false;
    bool northwdChecked = false;  // else "Windwd"
    bool attFilesEnabled = false;
    double scrollBar2Factor = 1.0;
    int playSpeedSlider = 0;
    int playSpeed2Slider = 0;
};

struct RaceFileResult {
    bool fileFound = false;
    RaceFileWindowEffects window;
    // Items refused because a table was full, or fields beyond the 20 a line
    // may hold: "<file> (line n): ..." texts for the user.
    std::vector<std::string> warnings;
};

// Resets the model for a new race (keeping ST, FT, TD, MG, WD and LL of the
// race before, which a race file may rely on), reads `path` when it exists
// and computes the derived fields. Throws RaceFileError when a value does not
// convert or the file is not text; the model is then partly filled and must
// not be shown.
RaceFileResult parseRaceFile(const std::filesystem::path& path, RaceModel& model,
                             const RaceFileOptions& options);

// The replay-speed slider position for a speed.
int speedSliderPosition(double speed);

}  // namespace korvane
