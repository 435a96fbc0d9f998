#include "pictures/picture_folder.h"

#include "base/paths.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

std::optional<fs::path> folderBelow(const fs::path& root, std::string_view name) {
    const auto found = resolveCaseInsensitive(root, name);
    if (found && isFolder(*found)) return found;
    return std::nullopt;
}

}  // namespace

bool isAbsolutePictureFolder(std::string_view pictureFolder) {
    return pictureFolder.find(':') != std::string_view::npos ||
           (!pictureFolder.empty() && pictureFolder.front() == '/');
}

PictureFolderChoice choosePictureFolder(const fs::path& dataRoot, std::string_view raceFileName,
                                        std::string_view pictureFolder) {
    PictureFolderChoice choice;
    const fs::path picRoot = dataRoot / "pic";
    const std::string_view race = baseName(raceFileName);
    const std::string_view raceStem = race.substr(0, race.find('.'));
    if (!raceStem.empty()) {
        if (auto f = folderBelow(picRoot, raceStem)) {
            choice.folder = std::move(f);
            return choice;
        }
    }
    if (pictureFolder.empty()) return choice;
    if (isAbsolutePictureFolder(pictureFolder)) {
        const fs::path p{std::string(pictureFolder)};
        if (isFolder(p)) choice.folder = p;
        return choice;
    }
    if (leavesFolder(pictureFolder)) {
        choice.warning =
            "picture folder " + std::string(pictureFolder) + " leaves the pic folder; not followed";
        return choice;
    }
    choice.folder = folderBelow(picRoot, pictureFolder);
    return choice;
}

}  // namespace korvane
