#include "pictures/picture_catalogue.h"

#include <algorithm>

#include "base/file_io.h"
#include "base/paths.h"
#include "base/text.h"
#include "pictures/exif_time.h"
#include "pictures/picture_folder.h"
#include "race/fields.h"
#include "race/race_time.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

bool endsWithJpg(std::string_view name) {
    return name.size() > 4 && toLowerAscii(name.substr(name.size() - 4)) == ".jpg";
}

// Seconds from the local race start, nothing for text that is not a time.
std::optional<double> raceSecondsOf(std::string_view text, Timestamp localStart) {
    const auto t = parseTimestamp(trimBlanks(text));
    if (!t) return std::nullopt;
    const int s = secondsBetween(localStart, *t);
    if (s == kSecondsBetweenFailed) return std::nullopt;
    return static_cast<double>(s);
}

void readTimeTable(const std::string& text, const PictureSource& source,
                   const PictureWindow& window, PictureCatalogue& out) {
    const std::string decoded = decodeText(text);
    for (const std::string_view line : splitLines(decoded)) {
        const SplitFields f = splitFields(line, ",");
        if (f.count() < 2) continue;
        const auto s = raceSecondsOf(f[1], window.localStart);
        if (!s || *s < window.timelineBeginSeconds || *s > window.timelineEndSeconds) continue;
        const std::string& name = f[0];
        if (toUpperAscii(name).find(".JPG") == std::string::npos) continue;
        if (leavesFolder(name)) {
            out.warnings.push_back("picture " + name +
                                   " in datetime.csv leaves its folder; skipped");
            continue;
        }
        const auto path = source.find(name);
        if (!path) continue;
        if (out.entries.size() == static_cast<std::size_t>(kMaxScannedPictures)) {
            out.warnings.push_back("datetime.csv lists more than " +
                                   std::to_string(kMaxScannedPictures) +
                                   " pictures of the race; only the first " +
                                   std::to_string(kMaxScannedPictures) + " were kept");
            return;
        }
        out.entries.push_back({name, *path, *s});
    }
}

void scan(const PictureSource& source, const PictureWindow& window, const PictureProgress& progress,
          PictureCatalogue& out) {
    std::vector<std::string> names = source.fileNames();
    std::erase_if(names, [](const std::string& n) { return !endsWithJpg(n); });
    // Name order: the same pictures are read on every machine when a
    // folder holds more than the limit.
    std::sort(names.begin(), names.end());
    if (names.size() > static_cast<std::size_t>(kMaxScannedPictures)) {
        out.warnings.push_back("picture folder holds " + std::to_string(names.size()) +
                               " JPEG files; only the first " +
                               std::to_string(kMaxScannedPictures) + " by name were read");
        names.resize(kMaxScannedPictures);
    }
    const double begin = window.timelineBeginSeconds - kScanMarginSeconds;
    const double end = window.timelineEndSeconds + kScanMarginSeconds;
    const int total = static_cast<int>(names.size());
    int done = 0;
    for (const std::string& name : names) {
        if (progress && !progress(done, total)) return;
        ++done;
        const auto text = source.captureTime(name);
        if (!text) continue;
        const auto s = raceSecondsOf(*text, window.localStart);
        if (!s || *s < begin || *s > end) continue;
        out.entries.push_back({name, source.pathOf(name), *s});
    }
}

}  // namespace

std::vector<double> PictureCatalogue::timesSeconds() const {
    std::vector<double> times;
    times.reserve(entries.size());
    for (const PictureEntry& e : entries) times.push_back(e.timeSeconds);
    return times;
}

double PictureCatalogue::latestSeconds() const {
    if (entries.empty()) return 0;
    double latest = entries.front().timeSeconds;
    for (const PictureEntry& e : entries) latest = std::max(latest, e.timeSeconds);
    return latest;
}

FileRead FolderPictures::timeTable() const {
    const auto path = names_.resolve("datetime.csv");
    if (!path) return {std::nullopt, ReadFailure::NotFound};
    return readRegularFile(*path, kMaxTimeTableBytes);
}

std::optional<fs::path> FolderPictures::find(const std::string& name) const {
    auto path = names_.resolve(name);
    std::error_code ec;
    if (path && fs::is_regular_file(*path, ec)) return path;
    return std::nullopt;
}

std::vector<std::string> FolderPictures::fileNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        // Only plain files: a pipe or a device named like a photograph
        // would block the read forever.
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
    }
    return names;
}

std::optional<std::string> FolderPictures::captureTime(const std::string& name) const {
    return readExifDateTime(folder_ / name);
}

PictureCatalogue cataloguePictures(const PictureSource& source, const PictureWindow& window,
                                   const PictureProgress& progress) {
    PictureCatalogue out;
    const FileRead table = source.timeTable();
    if (table.bytes) {
        out.fromTimeTable = true;
        readTimeTable(*table.bytes, source, window, out);
        return out;
    }
    // A table that is there but cannot be taken is said, not passed over:
    // the pictures then get the cameras' times, which may differ from it.
    if (table.failure != ReadFailure::NotFound)
        out.warnings.push_back("datetime.csv " +
                               describeReadFailure(table.failure, kMaxTimeTableBytes) +
                               "; not read, the pictures' own capture times are used");
    scan(source, window, progress, out);
    return out;
}

PictureCatalogue catalogueFolder(const fs::path& folder, const PictureWindow& window,
                                 const PictureProgress& progress) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return {};
    PictureCatalogue out = cataloguePictures(FolderPictures(folder), window, progress);
    out.folder = folder;
    return out;
}

PictureCatalogue buildPictureCatalogue(const fs::path& dataRoot, const std::string& raceFileName,
                                       const std::string& pictureFolder,
                                       const PictureWindow& window) {
    const PictureFolderChoice choice = choosePictureFolder(dataRoot, raceFileName, pictureFolder);
    PictureCatalogue out;
    if (choice.folder) out = catalogueFolder(*choice.folder, window);
    if (!choice.warning.empty()) out.warnings.insert(out.warnings.begin(), choice.warning);
    return out;
}

}  // namespace korvane
