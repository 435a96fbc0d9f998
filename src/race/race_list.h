// The list of races of a data root: raceadmin/racefile.st first, in its
// order, then every other race file of the folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane {

struct RaceList {
    std::vector<std::string> names;  // relative to raceadmin/, display order
    std::vector<std::string> warnings;
};

// Names of the order file whose files exist (found ignoring letter case) keep
// their order and duplicates; the folder's *.txt files that are not already
// listed (exact comparison) follow, sorted by name ignoring case, as a
// Windows folder lists them. At most kMaxRaces entries.
RaceList buildRaceList(const std::filesystem::path& dataRoot);

}  // namespace korvane
