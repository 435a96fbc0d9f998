// Where a race's photographs are: the folder named after the race inside
// pic/, else the folder the race file's PIC line names.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct PictureFolderChoice {
    std::optional<std::filesystem::path> folder;  // nothing: no folder exists
    std::string warning;                          // why the PIC name was not followed
};

// The first existing folder of: pic/<race file name up to its first ".">;
// `pictureFolder` when it is an absolute path (the user's own folder,
// anywhere); pic/<pictureFolder>. Letter case is ignored below the data
// root. A relative name that climbs out of pic/ is refused with a warning:
// race folders travel between clubs, and their names stay inside the tree.
PictureFolderChoice choosePictureFolder(const std::filesystem::path& dataRoot,
                                        std::string_view raceFileName,
                                        std::string_view pictureFolder);

// Whether a PIC name is an absolute path: a leading "/" or a drive letter.
bool isAbsolutePictureFolder(std::string_view pictureFolder);

}  // namespace korvane
