// Loads the coastline and the landmarks of a race from the coastline
// folder: the files the race file names, or those its area calls for.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "coast/coast_area.h"
#include "coast/coastline.h"
#include "coast/landmarks.h"

namespace korvane {

struct CoastData {
    std::vector<std::string> files;  // as chosen or named, ".cst" cut off
    Coastline coastline;
    std::vector<Landmark> landmarks;
    // Files refused, one line each: a name leaving the folder, a pipe.
    std::vector<std::string> warnings;
};

// `namedFiles` are the MAP names of the race file; when there are none the
// files are chosen from the area. `corridorPaths` are the boats' tracks as
// corridorPath samples them; the whole-country file is filtered by them.
// Missing files are skipped; files refused are skipped with a warning.
CoastData loadCoastline(const std::filesystem::path& coastFolder,
                        const std::vector<std::string>& namedFiles, const CoastArea& area,
                        const std::vector<std::vector<GeoPoint>>& corridorPaths);

}  // namespace korvane
