#include "coast/coast_loader.h"

#include <optional>

#include "base/file_io.h"
#include "base/paths.h"
#include "base/text.h"
#include "coast/corridor_mask.h"
#include "coast/datum_shift.h"
#include "coast/mesh_tiles.h"
#include "coast/user_coast.h"
#include "coast/whole_country.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

using Warnings = std::vector<std::string>;

std::optional<std::string> readCoastFile(const fs::path& folder, const std::string& name,
                                         Warnings& warnings) {
    if (leavesFolder(name)) {
        warnings.push_back("coastline file " + name +
                           ": the name leaves the coastline folder; refused");
        return std::nullopt;
    }
    const auto path = resolveCaseInsensitive(folder, name);
    if (!path) return std::nullopt;
    FileRead read = readRegularFile(*path);
    if (!read.bytes && read.failure != ReadFailure::NotFound)
        warnings.push_back("coastline file " + name + ": " + describeReadFailure(read.failure));
    return std::move(read.bytes);
}

// Tile names are mesh codes; anything else names a whole-country or a user
// file.
bool namesTiles(const std::string& name) {
    return name[0] >= '0' && name[0] <= '9';
}

void loadTiles(const fs::path& folder, const std::vector<std::string>& names, const CoastArea& area,
               Coastline& coast, Warnings& warnings) {
    const DatumShift shift = datumShift(area.centreLat, area.centreLon);
    const LatLonBox extended = area.extended();
    for (const std::string& name : names)
        if (const auto text = readCoastFile(folder, name + ".cst", warnings))
            readMeshTile(*text, extended, shift, coast);
    clipTilePoints(coast, extended);
}

void loadOtherFiles(const fs::path& folder, const std::vector<std::string>& names,
                    const CoastArea& area, const std::vector<std::vector<GeoPoint>>& tracks,
                    Coastline& coast, Warnings& warnings) {
    std::optional<CorridorMask> mask;
    for (const std::string& name : names) {
        const std::string upper = toUpperAscii(name);
        if (upper.find("JCOA") != std::string::npos) {
            const auto bytes = readCoastFile(folder, kWholeCountryFile, warnings);
            if (!bytes) continue;
            if (!mask) mask.emplace(area, tracks);
            filterWholeCountry(*bytes, *mask, area.trackBox, coast);
        } else {
            const std::string file =
                upper.find(".CST") == std::string::npos ? upper + ".cst" : upper;
            if (const auto text = readCoastFile(folder, file, warnings))
                readUserCoast(*text, coast);
        }
    }
}

std::vector<Landmark> loadLandmarks(const fs::path& folder, const CoastArea& area,
                                    Warnings& warnings) {
    if (!area.known) return {};
    for (const char* name : kLandmarkFiles)
        if (const auto bytes = readCoastFile(folder, name, warnings))
            return readLandmarks(*bytes, area.trackBox);
    return {};
}

}  // namespace

CoastData loadCoastline(const fs::path& coastFolder, const std::vector<std::string>& namedFiles,
                        const CoastArea& area, const std::vector<std::vector<GeoPoint>>& tracks) {
    CoastData data;
    const std::vector<std::string> names = namedFiles.empty() ? chooseCoastFiles(area) : namedFiles;
    for (const std::string& name : names) {
        std::string base = coastBaseName(name);
        if (!base.empty()) data.files.push_back(std::move(base));
    }
    if (!data.files.empty()) {
        if (namesTiles(data.files.front()))
            loadTiles(coastFolder, data.files, area, data.coastline, data.warnings);
        else
            loadOtherFiles(coastFolder, data.files, area, tracks, data.coastline, data.warnings);
    }
    data.landmarks = loadLandmarks(coastFolder, area, data.warnings);
    return data;
}

}  // namespace korvane
