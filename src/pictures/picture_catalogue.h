// The race's photographs and the race second each was taken at. The times
// come from the folder's time table datetime.csv when there is one, else
// from each JPEG's EXIF capture time. Cameras keep local time, so picture
// times count from the race start as the race file writes it, not from the
// UTC start the GPS logs are compared with.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/paths.h"
#include "base/timestamp.h"

namespace korvane {

// Files the scan of a folder reads at most, and pictures a time table gives
// at most; the rest are left with a warning.
inline constexpr int kMaxScannedPictures = 1000;
// The scan keeps pictures this long before the timeline begins and after it
// ends; a time table is kept to the timeline exactly.
inline constexpr double kScanMarginSeconds = 600;
// A time table is a page of text; a larger one is not read (the folder is
// scanned instead, with a warning).
inline constexpr std::uintmax_t kMaxTimeTableBytes = std::uintmax_t{4} << 20;

struct PictureEntry {
    std::string file;            // relative to the catalogue's folder
    std::filesystem::path path;  // where the file is
    double timeSeconds = 0;      // capture time, seconds from the local race start
};

struct PictureCatalogue {
    std::filesystem::path folder;  // empty: no picture folder
    std::vector<PictureEntry> entries;
    bool fromTimeTable = false;
    std::vector<std::string> warnings;  // the limits, a refused name or table

    int count() const { return static_cast<int>(entries.size()); }
    bool empty() const { return entries.empty(); }
    // Capture times in catalogue order, for the replay's stops and the
    // time bar's marks; the camera correction is not included.
    std::vector<double> timesSeconds() const;
    // The latest capture time, whatever the order of the entries (a folder
    // lists by name, and names need not follow the camera's clock); 0 when
    // there is no picture.
    double latestSeconds() const;
};

// The race values the catalogue needs.
struct PictureWindow {
    Timestamp localStart = 0;  // Race::start
    double timelineBeginSeconds = 0;
    double timelineEndSeconds = 0;
};

// What the catalogue reads from a folder; FolderPictures reads a real one,
// tests and the fuzzer hand in files from memory.
class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The text of datetime.csv: its bytes, NotFound when the folder has
    // none, or why one that is there was not read.
    virtual FileRead timeTable() const = 0;
    // The file a time table names (relative, either separator), when it exists.
    virtual std::optional<std::filesystem::path> find(const std::string& name) const = 0;
    // Names of the regular files of the folder, in any order.
    virtual std::vector<std::string> fileNames() const = 0;
    // EXIF capture time of one listed file ("YYYY/MM/DD hh:mm:ss").
    virtual std::optional<std::string> captureTime(const std::string& name) const = 0;
    virtual std::filesystem::path pathOf(const std::string& name) const = 0;
};

class FolderPictures : public PictureSource {
  public:
    explicit FolderPictures(std::filesystem::path folder)
        : folder_(std::move(folder)), names_(folder_) {}
    FileRead timeTable() const override;
    std::optional<std::filesystem::path> find(const std::string& name) const override;
    std::vector<std::string> fileNames() const override;
    std::optional<std::string> captureTime(const std::string& name) const override;
    std::filesystem::path pathOf(const std::string& name) const override { return folder_ / name; }

  private:
    std::filesystem::path folder_;
    CaseInsensitiveResolver names_;  // the time table's names, one listing per folder
};

// How far a scan has come: called before each file is read with the files
// read so far and the files it will read. Returning false ends the scan
// there, with the pictures read so far.
using PictureProgress = std::function<bool(int done, int total)>;

// Reads the pictures of one folder. The scan takes the files whose name ends
// in ".jpg" (any letter case) in name order, at most kMaxScannedPictures;
// a file without a readable capture time is skipped.
PictureCatalogue cataloguePictures(const PictureSource& source, const PictureWindow& window,
                                   const PictureProgress& progress = {});

// The whole step of a race opening: picks the folder (see picture_folder.h)
// and reads it. An empty catalogue when no folder exists.
PictureCatalogue buildPictureCatalogue(const std::filesystem::path& dataRoot,
                                       const std::string& raceFileName,
                                       const std::string& pictureFolder,
                                       const PictureWindow& window);

// One folder the user chose (dropped on the window): read as it is.
PictureCatalogue catalogueFolder(const std::filesystem::path& folder, const PictureWindow& window,
                                 const PictureProgress& progress = {});

}  // namespace korvane
