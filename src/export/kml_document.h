// The two KML files of a race, as text: the whole race (every track, every
// boat at regular times, marks and lines) and the present scene (each boat's
// recent wake and where it is at the replayed instant). This unit does not
// decide where the files go; kml_export.h writes them.
#pragma once

#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "export/kml_placemarks.h"
#include "race/model.h"

namespace korvane {

struct KmlOptions {
    // The folder of the boat and buoy icons; placemarks name them by
    // absolute path, so it should be absolute.
    std::filesystem::path iconFolder;
    Language language = Language::Japanese;
    // Leave out the boats hidden on the map (the user's answer to the
    // question the window asks when any boat is hidden).
    bool hideUnfocusedBoats = false;
};

// The whole race, piece by piece in file order into `sink` (the tracks of
// several boats are made at once); false when the sink refused a piece.
bool writeWholeRaceKml(const RaceModel& model, const KmlOptions& options, const ByteSink& sink);
// The same pieces joined.
std::string wholeRaceKml(const RaceModel& model, const KmlOptions& options);

// `timeSeconds` is the replay time; boats without a position then are left out.
std::string presentSceneKml(const RaceModel& model, double timeSeconds, const KmlOptions& options);

}  // namespace korvane
